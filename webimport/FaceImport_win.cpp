#include "FaceImport_win.h"

#include <new>

#include "EditorDelivery_win.h"

namespace webimport {

FaceImport::FaceImport(IUnknown* outer) : m_outer(outer ? outer : &m_inner) {}

HRESULT FaceImport::Create(IUnknown* outer, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer && !IsEqualIID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
    FaceImport* object = new (std::nothrow) FaceImport(outer);
    if (!object) return E_OUTOFMEMORY;
    const HRESULT hr = object->m_inner.QueryInterface(iid, out);
    object->m_inner.Release();  // the creation reference; the caller's remains if QI succeeded
    return hr;
}

HRESULT FaceImport::Inner::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    IUnknown* p = nullptr;
    if (IsEqualIID(iid, IID_IUnknown))
        p = this;
    else if (IsEqualIID(iid, kIidFaceImport) || IsEqualIID(iid, IID_IDispatch))
        p = static_cast<IFaceImport*>(&m_self);
    else if (IsEqualIID(iid, IID_ISupportErrorInfo))
        p = static_cast<ISupportErrorInfo*>(&m_self);
    else if (IsEqualIID(iid, IID_IConnectionPointContainer))
        p = static_cast<IConnectionPointContainer*>(&m_self);
    else if (IsEqualIID(iid, IID_IObjectWithSite))
        p = static_cast<IObjectWithSite*>(&m_self);
    *out = p;
    if (!p) return E_NOINTERFACE;
    p->AddRef();
    return S_OK;
}

ULONG FaceImport::Inner::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&m_self.m_refs));
}

ULONG FaceImport::Inner::Release() {
    const LONG n = InterlockedDecrement(&m_self.m_refs);
    if (n == 0) delete &m_self;
    return static_cast<ULONG>(n);
}

//--- IDispatch

HRESULT FaceImport::LoadTypeInfo() {
    if (m_typeInfo) return S_OK;
    const std::wstring path = ModulePath();
    if (path.empty()) return TYPE_E_CANTLOADLIBRARY;
    winfx::ComPtr<ITypeLib> lib;
    HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, lib.Put());
    if (FAILED(hr)) return hr;
    return lib->GetTypeInfoOfGuid(kIidFaceImport, m_typeInfo.Put());
}

HRESULT FaceImport::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT FaceImport::GetTypeInfo(UINT index, LCID, ITypeInfo** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    const HRESULT hr = LoadTypeInfo();
    if (FAILED(hr)) return hr;
    *out = m_typeInfo.Get();
    (*out)->AddRef();
    return S_OK;
}

HRESULT FaceImport::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    if (!names || !ids) return E_POINTER;
    const HRESULT hr = LoadTypeInfo();
    if (FAILED(hr)) return hr;
    return DispGetIDsOfNames(m_typeInfo.Get(), names, count, ids);
}

HRESULT FaceImport::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                           EXCEPINFO* excep, UINT* argErr) {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    const HRESULT hr = LoadTypeInfo();
    if (FAILED(hr)) return hr;
    return DispInvoke(static_cast<IFaceImport*>(this), m_typeInfo.Get(), id, flags, params, result, excep,
                      argErr);
}

//--- IFaceImport

HRESULT FaceImport::AddFace(BSTR faceFile, BSTR desc) {
    // A page gets S_OK whatever happens: there is nothing it could do about a failure.
    try {
        HandToEditor(faceFile, desc);
    } catch (...) {
    }
    return S_OK;
}

//--- ISupportErrorInfo

HRESULT FaceImport::InterfaceSupportsErrorInfo(REFIID iid) {
    return IsEqualIID(iid, kIidFaceImport) ? S_OK : S_FALSE;
}

//--- IConnectionPointContainer

HRESULT FaceImport::EnumConnectionPoints(IEnumConnectionPoints** out) {
    return EnumOneConnectionPoint(&m_events, out);
}

HRESULT FaceImport::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, kIidFaceImportEvents)) return CONNECT_E_NOCONNECTION;
    *out = &m_events;
    m_events.AddRef();
    return S_OK;
}

//--- IObjectWithSite

HRESULT FaceImport::SetSite(IUnknown* site) {
    if (site) site->AddRef();
    // Assigned before the old site goes: its release may call back into us.
    winfx::ComPtr<IUnknown> old = std::move(m_site);
    m_site = winfx::ComPtr<IUnknown>::Attach(site);
    return S_OK;
}

HRESULT FaceImport::GetSite(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!m_site) return E_FAIL;
    return m_site->QueryInterface(iid, out);
}

}  // namespace webimport
