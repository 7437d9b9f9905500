// CDragDrop: the editor window's OLE drop target. It takes the shell's file list
// (CF_HDROP), queues each path with the window and posts UM_FILES_DROPPED, so the
// window adds the files after the drag source has been answered.
#pragma once
#include <windows.h>
#include <ole2.h>

namespace editor {

class CZevezEZDlg;

class CDragDrop : public IDropTarget {
public:
    // Registers a new target for `window` (revoking an earlier one); null on failure.
    static CDragDrop* Register(HWND window, CZevezEZDlg& owner);
    static void Revoke(HWND window, CDragDrop* target);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // IDropTarget
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;

private:
    CDragDrop(HWND window, CZevezEZDlg& owner) : m_window(window), m_owner(owner) {}
    virtual ~CDragDrop() = default;

    LONG m_refs = 1;
    HWND m_window;
    CZevezEZDlg& m_owner;
    bool m_acceptable = false;
};

}  // namespace editor
