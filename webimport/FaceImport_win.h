// FaceImport: the scriptable object a web page creates to hand a picture it shows to the
// editor. Apartment threaded and aggregatable; keeps no state between calls.
#pragma once
#include <ocidl.h>

#include "EventsConnectionPoint_win.h"
#include "FaceImportCom_win.h"
#include "Module_win.h"
#include "winfx/Com.h"

namespace webimport {

class FaceImport final : public IFaceImport,
                         public ISupportErrorInfo,
                         public IConnectionPointContainer,
                         public IObjectWithSite {
public:
    // Class-factory entry: `outer` aggregates the new object (then `iid` must be IUnknown).
    static HRESULT Create(IUnknown* outer, REFIID iid, void** out);

    // IUnknown: always the controlling unknown's (the outer object's when aggregated).
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        return m_outer->QueryInterface(iid, out);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return m_outer->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return m_outer->Release(); }

    // IDispatch, driven by the embedded type library.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** out) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;

    // IFaceImport
    HRESULT STDMETHODCALLTYPE AddFace(BSTR faceFile, BSTR desc) override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

    // IObjectWithSite: the site is kept for the browser's sake, never used.
    HRESULT STDMETHODCALLTYPE SetSite(IUnknown* site) override;
    HRESULT STDMETHODCALLTYPE GetSite(REFIID iid, void** out) override;

private:
    // The object's own, non-delegating IUnknown: what an aggregating outer object holds.
    class Inner final : public IUnknown {
    public:
        explicit Inner(FaceImport& self) : m_self(self) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
        ULONG STDMETHODCALLTYPE AddRef() override;
        ULONG STDMETHODCALLTYPE Release() override;

    private:
        FaceImport& m_self;
    };

    explicit FaceImport(IUnknown* outer);
    HRESULT LoadTypeInfo();

    ModuleRef m_module;
    volatile LONG m_refs = 1;
    Inner m_inner{*this};
    IUnknown* m_outer;  // not counted: when aggregated, the outer object owns us
    EventsConnectionPoint m_events{this};
    winfx::ComPtr<ITypeInfo> m_typeInfo;
    winfx::ComPtr<IUnknown> m_site;
};

}  // namespace webimport
