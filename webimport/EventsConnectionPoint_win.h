// The one connection point of FaceImport, for _IFaceImportEvents. It is part of the object:
// its references are the object's, so it lives exactly as long as the object does. The
// events interface has no members, so nothing is ever fired; sinks are only kept.
#pragma once
#include <ocidl.h>
#include <olectl.h>  // CONNECT_E_*

#include <vector>

#include "winfx/Com.h"

namespace webimport {

class EventsConnectionPoint final : public IConnectionPoint {
public:
    explicit EventsConnectionPoint(IConnectionPointContainer* container) : m_container(container) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return m_container->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() override { return m_container->Release(); }

    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** out) override;

private:
    IConnectionPointContainer* m_container;  // the owning object; not counted
    // Slot i holds the sink of cookie i + 1; an empty slot is reused by the next Advise.
    std::vector<winfx::ComPtr<IUnknown>> m_sinks;
};

// Enumerates the object's connection points: exactly one.
HRESULT EnumOneConnectionPoint(IConnectionPoint* point, IEnumConnectionPoints** out);

}  // namespace webimport
