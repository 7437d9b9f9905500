#include "DragDrop_win.h"

#include <shellapi.h>

#include "EditorIds.h"
#include "ZevezEZDlg_win.h"
#include "winfx/Wide.h"

namespace editor {

namespace {

constexpr UINT kMaxPathChars = 260;

FORMATETC FileListFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

}  // namespace

CDragDrop* CDragDrop::Register(HWND window, CZevezEZDlg& owner) {
    RevokeDragDrop(window);
    auto* target = new CDragDrop(window, owner);
    if (FAILED(RegisterDragDrop(window, target))) {
        target->Release();
        return nullptr;
    }
    return target;
}

void CDragDrop::Revoke(HWND window, CDragDrop* target) {
    RevokeDragDrop(window);
    if (target) target->Release();
}

HRESULT CDragDrop::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDropTarget) {
        *out = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG CDragDrop::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }

ULONG CDragDrop::Release() {
    LONG left = InterlockedDecrement(&m_refs);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT CDragDrop::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    FORMATETC format = FileListFormat();
    m_acceptable = data && data->QueryGetData(&format) == S_OK;
    if (effect) *effect = m_acceptable ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
}

HRESULT CDragDrop::DragOver(DWORD, POINTL, DWORD* effect) {
    if (effect) *effect = m_acceptable ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
}

HRESULT CDragDrop::DragLeave() {
    m_acceptable = false;
    return S_OK;
}

HRESULT CDragDrop::Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) {
    if (effect) *effect = DROPEFFECT_NONE;
    if (!data) return E_INVALIDARG;
    FORMATETC format = FileListFormat();
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&format, &medium))) return S_OK;
    bool queued = false;
    if (auto drop = static_cast<HDROP>(GlobalLock(medium.hGlobal))) {
        UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            UINT length = DragQueryFileW(drop, i, nullptr, 0);
            if (length == 0 || length > kMaxPathChars) continue;  // longer paths are no files we open
            std::wstring path(length + 1, L'\0');
            DragQueryFileW(drop, i, path.data(), length + 1);
            path.resize(length);
            m_owner.QueueDroppedPath(winfx::ToUtf8(path));
            queued = true;
        }
        GlobalUnlock(medium.hGlobal);
    }
    ReleaseStgMedium(&medium);
    if (queued) {
        PostMessageW(m_window, UM_FILES_DROPPED, 0, 0);
        if (effect) *effect = DROPEFFECT_COPY;
    }
    return S_OK;
}

}  // namespace editor
