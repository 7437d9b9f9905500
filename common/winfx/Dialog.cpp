#include "winfx/Dialog.h"

#include "winfx/Hwnd.h"

namespace winfx {

Dialog::Dialog(int templateId, HINSTANCE instance) : m_instance(instance), m_templateId(templateId) {}

Dialog::Dialog(std::vector<BYTE> templateBytes, HINSTANCE instance)
    : m_instance(instance), m_template(std::move(templateBytes)) {}

const DLGTEMPLATE* Dialog::Template() const noexcept {
    return m_template.empty() ? nullptr : reinterpret_cast<const DLGTEMPLATE*>(m_template.data());
}

INT_PTR Dialog::DoModal(HWND parent) {
    if (Hwnd()) return -1;
    m_modal = true;
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    INT_PTR r;
    if (const DLGTEMPLATE* t = Template())
        r = DialogBoxIndirectParamW(m_instance, t, parent, &Window::DialogProc, self);
    else
        r = DialogBoxParamW(m_instance, MAKEINTRESOURCEW(m_templateId), parent, &Window::DialogProc,
                            self);
    m_modal = false;
    return r;
}

bool Dialog::CreateModeless(HWND parent, App* app) {
    if (Hwnd()) return false;
    m_modal = false;
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    HWND h;
    if (const DLGTEMPLATE* t = Template())
        h = CreateDialogIndirectParamW(m_instance, t, parent, &Window::DialogProc, self);
    else
        h = CreateDialogParamW(m_instance, MAKEINTRESOURCEW(m_templateId), parent,
                               &Window::DialogProc, self);
    if (!h || h != Hwnd()) return false;
    if (app) {
        app->AddModeless(h);
        m_modelessApp = app;
    }
    return true;
}

void Dialog::End(INT_PTR result) {
    if (!Hwnd()) return;
    if (m_modal)
        EndDialog(Hwnd(), result);
    else
        Destroy();
}

std::string Dialog::ItemText(int id) const {
    return HwndGetText(Item(id));
}

void Dialog::SetItemText(int id, std::string_view utf8) {
    HwndSetText(Item(id), utf8);
}

bool Dialog::IsChecked(int id) const noexcept {
    return IsDlgButtonChecked(Hwnd(), id) == BST_CHECKED;
}

void Dialog::SetChecked(int id, bool checked) noexcept {
    CheckDlgButton(Hwnd(), id, checked ? BST_CHECKED : BST_UNCHECKED);
}

LRESULT Dialog::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) return OnInitDialog() ? TRUE : FALSE;
    return Window::OnMessage(msg, wp, lp);
}

LRESULT Dialog::DefaultProc(UINT, WPARAM, LPARAM) {
    m_defaulted = true;  // DialogProc returns FALSE: the dialog manager's default applies
    return 0;
}

bool Dialog::OnCommand(int id, int, HWND) {
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

// Messages whose result is the dialog procedure's return value itself, not DWLP_MSGRESULT.
static bool ReturnsDirectly(UINT msg) {
    switch (msg) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return true;
    }
    return false;
}

INT_PTR CALLBACK Window::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Window*>(lp);
        if (self && !self->m_hwnd) self->Bind(hwnd, true);
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self || self->m_hwnd != hwnd) return FALSE;
    Outcome outcome;
    const LRESULT r = self->SafeOnMessage(msg, wp, lp, outcome);
    if (msg == WM_INITDIALOG && outcome == Outcome::Threw) {
        // OnInitDialog threw: a half-initialised dialog must not be shown.
        auto* dlg = static_cast<Dialog*>(self);
        if (dlg->m_modal)
            EndDialog(hwnd, -1);
        else
            DestroyWindow(hwnd);
        return FALSE;
    }
    if (msg == WM_NCDESTROY && self->m_hwnd == hwnd) {
        self->Unbind();
        self->SafeFinalMessage();  // may delete self
        return FALSE;
    }
    if (outcome != Outcome::Handled) return FALSE;
    if (ReturnsDirectly(msg)) return static_cast<INT_PTR>(r);
    SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, r);
    return TRUE;
}

}  // namespace winfx
