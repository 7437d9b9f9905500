// The main window's controls, menus, buttons, small dialogs and face gestures.
#include <windows.h>

#include "MienkoMainDlg_win.h"
#include "OnlineDown_win.h"
#include "Paging.h"
#include "PanelGeometry.h"
#include "PelumoRes.h"
#include "Siblings_win.h"
#include "SmallDialogs_win.h"
#include "TrayMenu.h"
#include "winfx/Controls.h"
#include "winfx/Hwnd.h"

namespace {

constexpr int kClientWidth = 250;
constexpr int kClientHeight = 492;
constexpr COLORREF kLabelText = RGB(32, 38, 46);

bool IsPageControl(int id) {
    return (id >= IDC_PREV_PAGE && id <= IDC_PAGE_9) || id == IDC_MORE;
}

}  // namespace

// Pixel places of the controls in the skin's 250 x 492 client area.
void CMienkoMainDlg::LayoutControls() {
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(Hwnd(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(Hwnd(), GWL_EXSTYLE)));
    SetWindowPos(Hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    auto place = [&](int id, int l, int t, int r, int b) { winfx::Control(Hwnd(), id).Move(RECT{l, t, r, b}); };
    place(IDC_CATEGORY_LABEL, 8, 38, 70, 56);
    place(IDC_CATEGORY, 70, 33, 165, 300);
    place(IDC_MANAGE, 170, 32, 242, 56);
    place(IDC_PREV_PAGE, 6, 62, 30, 78);
    for (int k = 0; k < 9; ++k) place(IDC_PAGE_1 + k, 32 + 10 * k, 62, 41 + 10 * k, 78);
    place(IDC_NEXT_PAGE, 124, 62, 148, 78);
    place(IDC_PAGE_LABEL, 150, 62, 208, 78);
    place(IDC_PAGE_LABEL_HIDDEN, 150, 62, 208, 78);
    place(IDC_MORE, 208, 62, 246, 78);
    place(IDC_PANEL, 10, 80, 10 + 5 * panel::kPitch, 80 + 8 * panel::kPitch);
    place(IDC_SEARCH_BOX, 8, 457, 165, 600);
    place(IDC_SEARCH, 170, 456, 242, 480);
    m_pageButtons.clear();
    for (int id = IDC_PREV_PAGE; id <= IDC_PAGE_9; ++id) {
        auto button = std::make_unique<CStaticPageButton>();
        button->Attach(GetDlgItem(Hwnd(), id));
        m_pageButtons.push_back(std::move(button));
    }
    // The two push buttons wear the skin's button picture.
    m_pushButtons.clear();
    for (int id : {IDC_MANAGE, IDC_SEARCH}) {
        auto button = std::make_unique<CBitmapBtn>();
        if (!button->Attach(GetDlgItem(Hwnd(), id))) continue;
        if (HBITMAP image = DefaultButtonImage()) SetButtonImage(*button, image);
        m_pushButtons.push_back(std::move(button));
    }
    auto more = std::make_unique<CStaticPageButton>();
    more->Attach(GetDlgItem(Hwnd(), IDC_MORE));
    m_pageButtons.push_back(std::move(more));
}

LRESULT CMienkoMainDlg::OnColourStatic(HDC dc, HWND control) {
    const int id = GetDlgCtrlID(control);
    if (SkinControl::FromHwnd(control) || IsPageControl(id)) return 0;
    SetTextColor(dc, kLabelText);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

bool CMienkoMainDlg::OnCommand(int id, int code, HWND control) {
    if (id >= IDC_PAGE_1 && id <= IDC_PAGE_9) {
        if (code == STN_CLICKED && id - IDC_PAGE_1 != m_page) GoToPage(id - IDC_PAGE_1);
        return true;
    }
    switch (id) {
        case IDC_PREV_PAGE:
            if (code == STN_CLICKED && m_page > 0) GoToPage(m_page - 1);
            return true;
        case IDC_NEXT_PAGE:
            if (code == STN_CLICKED) GoToPage(m_page + 1);
            return true;
        case IDC_MORE:
            if (code == STN_CLICKED) ShowOnlineDownload(Hwnd());
            return true;
        case IDC_CATEGORY:
            if (code == CBN_SELCHANGE) OnCategoryChanged();
            return true;
        case IDC_SEARCH_BOX:
            if (code == CBN_SELCHANGE) OnHistoryChosen();
            return true;
        case IDC_SEARCH:
            if (code == BN_CLICKED) SearchFromBox();
            return true;
        case IDC_MANAGE:
            if (code == BN_CLICKED) Manage();
            return true;
        default: break;
    }
    if (code == 0 && control == nullptr && id >= ID_TRAY_DOCK && id <= ID_TRAY_OPTIONS) {
        OnMenuCommand(static_cast<UINT>(id));
        return true;
    }
    return CSkinDialog::OnCommand(id, code, control);
}

// Enter is the search key wherever it is pressed; it never closes the window.
void CMienkoMainDlg::OnOK() { SearchFromBox(); }
void CMienkoMainDlg::OnCancel() {}

void CMienkoMainDlg::OnSize(UINT type, int width, int height) {
    CSkinDialog::OnSize(type, width, height);
    if (!m_initialised || type == SIZE_MINIMIZED || width < 30 || height < 50 || m_client.cx == 0) return;
    ResizeView(width, height);
}

void CMienkoMainDlg::OnSkinButtonClick(int index) {
    CSkinButton* button = FindSkinButton(index);
    if (!button) return;
    if (button->Name() == "minimize")
        ToggleDock();
    else if (button->Name() == "close")
        HideMainWindow();
}

void CMienkoMainDlg::HideMainWindow() {
    m_dock->SetDockTarget(false);
    ShowWindow(Hwnd(), SW_HIDE);
}

void CMienkoMainDlg::ToggleDock() { m_dockChecked = m_dock->ToggleDock(m_dockChecked); }

void CMienkoMainDlg::ShowTrayMenu(POINT screen) {
    if (!m_trayMenu) return;
    const traymenu::State state = traymenu::StateFor(m_config, IsWindowVisible(Hwnd()) != FALSE);
    m_trayMenu.Check(ID_TRAY_DOCK, state.dockChecked);
    m_trayMenu.SetText(ID_TRAY_SHOWHIDE, state.firstText);
    m_trayMenu.Check(ID_TRAY_SHOWHIDE, state.firstChecked);
    m_trayMenu.SetDefault(ID_TRAY_SHOWHIDE);
    SetForegroundWindow(Hwnd());
    if (const UINT chosen = m_trayMenu.Track(Hwnd(), screen)) OnMenuCommand(chosen);
}

void CMienkoMainDlg::OnMenuCommand(UINT id) {
    switch (id) {
        case ID_TRAY_SHOWHIDE:
            if (IsWindowVisible(Hwnd()))
                HideMainWindow();
            else
                m_dock->ShowMainWindow();
            break;
        case ID_TRAY_DOCK: ToggleDock(); break;
        case ID_TRAY_OPTIONS: ShowOptions(); break;
        case ID_TRAY_UPGRADE: LaunchUpdater(m_programDir, "-upgrade"); break;
        case ID_TRAY_DOWNLOAD: ShowOnlineDownload(Hwnd()); break;
        case ID_TRAY_MANAGE: LaunchEditor(m_programDir, ""); break;
        case ID_TRAY_ABOUT: ShowAbout(); break;
        case ID_TRAY_EXIT: ExitApplication(); break;
        default: break;
    }
}

void CMienkoMainDlg::ShowAbout() {
    CMainAboutDlg about(m_programDir);
    about.DoModal(Hwnd());
}

void CMienkoMainDlg::ShowOptions() {
    static const wchar_t* kOptionsTitle = L"选项设置";
    // A second request while it is open only brings it forward.
    if (HWND open = FindWindowW(L"#32770", kOptionsTitle);
        open && GetWindowThreadProcessId(open, nullptr) == GetCurrentThreadId()) {
        SetWindowPos(open, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        return;
    }
    COptionsCfgDlg options(m_programDir, m_config, [this](bool hook, bool left) {
        m_dock->SetToolbarSide(left);
        m_dockChecked = m_dock->ApplyQQHook();
        (void)hook;
    });
    options.DoModal(Hwnd());
}

void CMienkoMainDlg::Manage() {
    SaveConfig();
    LoadCategories(true);
    BuildCategorySelector();
    LaunchEditor(m_programDir, "");
    m_viewMode = kCategoryView;
}

// A gesture on a face: its file and fragment go to the clipboard, the chat window last
// reported gets the paste (and the send key), and the face leads the frequent list.
void CMienkoMainDlg::SendFace(int cell, bool send) {
    const PanelFace* face = m_panel.Face(cell);
    if (!face || !m_sender) return;
    const PanelFace copy = *face;
    m_sender->SendFace(copy, Hwnd(), m_dock ? m_dock->CurrentChatWindow() : nullptr, send);
    RecordSentFace(copy.id);
}

void CMienkoMainDlg::OnFaceClick(int cell) { SendFace(cell, false); }
void CMienkoMainDlg::OnFaceDoubleClick(int cell) { SendFace(cell, true); }
void CMienkoMainDlg::OnFaceRightClick(int cell, POINT) { SendFace(cell, true); }
