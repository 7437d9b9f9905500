#include "Siblings_win.h"

#include "TestKit.h"

namespace updkit {

SiblingWindow::SiblingWindow(const std::string& title) {
    // An empty dialog template: style, no items, no menu, the dialog class, no title.
    struct alignas(4) Template {
        DLGTEMPLATE head;
        WORD menu, cls, title;
    } t{};
    t.head.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    t.head.x = 10;
    t.head.y = 10;
    t.head.cx = 120;
    t.head.cy = 40;
    m_hwnd = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &t.head, nullptr, &SiblingWindow::Proc,
                                        reinterpret_cast<LPARAM>(this));
    if (m_hwnd) SetWindowTextW(m_hwnd, testkit::Wide(title).c_str());
}

SiblingWindow::~SiblingWindow() {
    if (IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
}

INT_PTR CALLBACK SiblingWindow::Proc(HWND hwnd, UINT msg, WPARAM, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lp);
        return TRUE;
    }
    auto* self = reinterpret_cast<SiblingWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (msg == WM_CLOSE && self) {
        self->m_gotClose = true;
        DestroyWindow(hwnd);
        return TRUE;
    }
    return FALSE;
}

}  // namespace updkit
