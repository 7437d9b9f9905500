#include "winfx/FileDrop.h"

#include <ole2.h>
#include <shellapi.h>

#include "winfx/Wide.h"

namespace winfx {

namespace {

FORMATETC FileListFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

std::vector<std::string> PathsOf(IDataObject* data) {
    std::vector<std::string> paths;
    FORMATETC format = FileListFormat();
    STGMEDIUM medium{};
    if (!data || FAILED(data->GetData(&format, &medium))) return paths;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
        if (auto drop = static_cast<HDROP>(GlobalLock(medium.hGlobal))) {
            const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
            for (UINT i = 0; i < count; ++i) {
                const UINT length = DragQueryFileW(drop, i, nullptr, 0);
                if (length == 0 || length > FileDrop::kMaxPathChars) continue;
                std::wstring path(length + 1, L'\0');
                DragQueryFileW(drop, i, path.data(), length + 1);
                path.resize(length);
                paths.push_back(ToUtf8(path));
            }
            GlobalUnlock(medium.hGlobal);
        }
    }
    ReleaseStgMedium(&medium);
    return paths;
}

}  // namespace

class FileDrop::Target : public IDropTarget {
public:
    explicit Target(Handler onDrop) : m_onDrop(std::move(onDrop)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDropTarget) {
            *out = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&m_refs)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&m_refs);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        FORMATETC format = FileListFormat();
        m_acceptable = data && data->QueryGetData(&format) == S_OK;
        return DragOver(0, POINTL{}, effect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
        if (effect) *effect = m_acceptable ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        m_acceptable = false;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
        const std::vector<std::string> paths = PathsOf(data);
        if (effect) *effect = paths.empty() ? DROPEFFECT_NONE : DROPEFFECT_COPY;
        if (!paths.empty() && m_onDrop) m_onDrop(paths);
        m_acceptable = false;
        return S_OK;
    }
    // The owner is going away: a drag still holding this target must not call it.
    void Forget() { m_onDrop = nullptr; }

private:
    virtual ~Target() = default;
    LONG m_refs = 1;
    Handler m_onDrop;
    bool m_acceptable = false;
};

bool FileDrop::Register(HWND window, Handler onDrop) {
    Revoke();
    RevokeDragDrop(window);
    auto* target = new Target(std::move(onDrop));
    if (FAILED(RegisterDragDrop(window, target))) {
        target->Release();
        return false;
    }
    m_window = window;
    m_target = target;
    return true;
}

void FileDrop::Revoke() {
    if (!m_target) return;
    m_target->Forget();
    if (IsWindow(m_window)) RevokeDragDrop(m_window);
    m_target->Release();
    m_target = nullptr;
    m_window = nullptr;
}

}  // namespace winfx
