#include "QQToolDlg_win.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include "DockProtocol.h"
#include "QQToolDlgRes.h"
#include "winfx/Wide.h"

CQQToolDlg::CQQToolDlg(QQToolActions& actions, std::string skinFile)
    : CSkinDialog(IDD_QQTOOL), m_actions(actions) {
    SetSkinFile(skinFile);
    SetSkinSection("toolbar_window");
    SetFrameFlags(0);
}

bool CQQToolDlg::Create(HWND mainDialog) {
    return CreateModeless(mainDialog);
}

void CQQToolDlg::SetToolbarSide(bool dockLeft) {
    m_tipDirection = dockLeft ? kTipOpensLeft : kTipOpensRight;
}

// The buttons' tips open away from the chat window: beside the button, not under the mouse.
bool CQQToolDlg::PlaceTip(const NMHDR& nm) {
    const HWND button = reinterpret_cast<HWND>(nm.idFrom);
    if (!button || GetParent(button) != Hwnd()) return false;
    RECT b{}, tip{};
    GetWindowRect(button, &b);
    GetWindowRect(nm.hwndFrom, &tip);
    const LONG x = m_tipDirection == kTipOpensLeft ? b.left - (tip.right - tip.left) : b.right;
    SetWindowPos(nm.hwndFrom, nullptr, x, b.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

std::string CQQToolDlg::Title() const {
    wchar_t text[260] = {};
    GetWindowTextW(Hwnd(), text, 260);
    return winfx::ToUtf8(text);
}

void CQQToolDlg::SetTitle(const std::string& title) {
    SetWindowTextW(Hwnd(), winfx::ToWide(title).c_str());
}

bool CQQToolDlg::OnInitDialog() {
    m_menu = winfx::PopupMenu::Load(winfx::ThisModule(), IDR_POPTOOL, 0);
    const bool result = CSkinDialog::OnInitDialog();
    SetTitle(std::string(dock::kDockTitle));
    SetToolbarSide(m_tipDirection == kTipOpensLeft);
    return result;
}

LRESULT CQQToolDlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_RBUTTONDOWN) {
        POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        ClientToScreen(Hwnd(), &pt);
        ShowMenu(pt);
        return 0;
    }
    if (msg == WM_NOTIFY && lp) {
        const auto& nm = *reinterpret_cast<const NMHDR*>(lp);
        if (nm.code == TTN_SHOW && PlaceTip(nm)) return TRUE;
    }
    if (msg == WM_CONTEXTMENU) {
        POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        if (pt.x == -1 && pt.y == -1) GetCursorPos(&pt);  // from the keyboard
        ShowMenu(pt);
        return 0;
    }
    return CSkinDialog::OnMessage(msg, wp, lp);
}

void CQQToolDlg::ShowMenu(POINT screen) {
    if (!m_menu) return;
    m_menu.SetDefault(m_menu.IdAt(0));
    m_menu.TrackNotify(Hwnd(), screen, 0x40);
}

bool CQQToolDlg::OnCommand(int id, int code, HWND control) {
    switch (id) {
        case ID_TOOL_HIDE:
            m_hiddenByUser = true;
            m_actions.HideToolbarByUser();
            return true;
        case ID_TOOL_UPGRADE:
            m_actions.StartUpgrade();
            return true;
        case ID_TOOL_HOMEPAGE:
            ShellExecuteW(Hwnd(), L"open", winfx::ToWide(kHomePage).c_str(), nullptr, nullptr,
                          SW_SHOWMAXIMIZED);
            return true;
        case ID_TOOL_ABOUT:
            m_actions.ShowAbout();
            return true;
        default:
            return CSkinDialog::OnCommand(id, code, control);
    }
}

void CQQToolDlg::OnSkinButtonClick(int index) {
    const CSkinButton* button = FindSkinButton(index);
    if (!button) return CSkinDialog::OnSkinButtonClick(index);
    const std::string& name = button->Name();
    if (name == "mainface")
        m_actions.ShowPanelFromToolbar();
    else if (name == "editface")
        m_actions.LaunchEditorFromToolbar();
    else if (name == "downface")
        m_actions.ShowOnlineDownload();
    else if (name == "settings")
        m_actions.ShowOptions();
    else
        CSkinDialog::OnSkinButtonClick(index);
}
