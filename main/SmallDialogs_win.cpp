#include <windows.h>

#include "SmallDialogs_win.h"

#include <shellapi.h>

#include "Config.h"
#include "PelumoRes.h"
#include "Siblings_win.h"
#include "winfx/Hwnd.h"

namespace {

constexpr const wchar_t* kSite = L"http://www.pelux.example/";

// The client size the skin section was drawn for.
void SetClientSize(HWND hwnd, int width, int height) {
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
    SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
}

}  // namespace

CMainAboutDlg::CMainAboutDlg(const std::string& programDir) : CSkinDialog(IDD_ABOUT) {
    SetSkinFile(programDir + "\\skin\\default\\skin.xml");
    SetSkinSection("about_window");
}

bool CMainAboutDlg::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    SetClientSize(Hwnd(), 320, 180);
    const auto place = [&](int id, int l, int t, int r, int b) {
        SetWindowPos(Item(id), nullptr, l, t, r - l, b - t, SWP_NOZORDER);
    };
    place(IDC_ABOUT_ICON, 20, 44, 52, 76);
    place(IDC_ABOUT_TITLE, 68, 42, 300, 60);
    place(IDC_ABOUT_CONTACT, 68, 66, 300, 84);
    place(IDC_ABOUT_LINK, 68, 90, 300, 108);
    place(IDOK, 236, 140, 308, 164);
    ShowIcon();
    LOGFONTW lf{};
    lf.lfHeight = 14;
    lf.lfUnderline = TRUE;
    lstrcpynW(lf.lfFaceName, L"MS Sans Serif", LF_FACESIZE);
    m_linkFont.Reset(CreateFontIndirectW(&lf));
    SendMessageW(Item(IDC_ABOUT_LINK), WM_SETFONT, reinterpret_cast<WPARAM>(m_linkFont.Get()), TRUE);
    winfx::HwndCenterOn(Hwnd(), GetParent(Hwnd()));
    return true;
}

// The icon bitmap keys its background with magenta (as the skin's pictures do): drawn
// 32 x 32 onto the dialog's colour.
void CMainAboutDlg::ShowIcon() {
    winfx::UniqueBitmap source(static_cast<HBITMAP>(
        LoadImageW(winfx::ThisModule(), MAKEINTRESOURCEW(IDB_ABOUT), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!source) return;
    BITMAP info{};
    GetObjectW(source.Get(), sizeof info, &info);
    HDC screen = GetDC(Hwnd());
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    m_icon.Reset(CreateCompatibleBitmap(screen, 32, 32));
    ReleaseDC(Hwnd(), screen);
    if (from && to && m_icon) {
        HGDIOBJ oldFrom = SelectObject(from, source.Get());
        HGDIOBJ oldTo = SelectObject(to, m_icon.Get());
        RECT all{0, 0, 32, 32};
        FillRect(to, &all, GetSysColorBrush(COLOR_BTNFACE));
        TransparentBlt(to, 0, 0, 32, 32, from, 0, 0, info.bmWidth, info.bmHeight, RGB(255, 0, 255));
        SelectObject(from, oldFrom);
        SelectObject(to, oldTo);
        HBITMAP old = reinterpret_cast<HBITMAP>(SendMessageW(Item(IDC_ABOUT_ICON), STM_SETIMAGE, IMAGE_BITMAP,
                                                             reinterpret_cast<LPARAM>(m_icon.Get())));
        if (old && old != m_icon.Get()) DeleteObject(old);
    }
    if (from) DeleteDC(from);
    if (to) DeleteDC(to);
}

bool CMainAboutDlg::OnCommand(int id, int code, HWND control) {
    if (id == IDC_ABOUT_LINK && code == STN_CLICKED) {
        ShellExecuteW(nullptr, L"open", kSite, nullptr, nullptr, SW_SHOWMAXIMIZED);
        return true;
    }
    return CSkinDialog::OnCommand(id, code, control);
}

LRESULT CMainAboutDlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CTLCOLORSTATIC) {
        HDC dc = reinterpret_cast<HDC>(wp);
        SetBkMode(dc, TRANSPARENT);
        const bool link = GetDlgCtrlID(reinterpret_cast<HWND>(lp)) == IDC_ABOUT_LINK;
        SetTextColor(dc, link ? RGB(35, 90, 140) : RGB(32, 38, 46));
        return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    return CSkinDialog::OnMessage(msg, wp, lp);
}

COptionsCfgDlg::COptionsCfgDlg(const std::string& programDir, CConfig& config,
                               std::function<void(bool, bool)> apply)
    : CSkinDialog(IDD_OPTIONS), m_config(config), m_apply(std::move(apply)) {
    SetSkinFile(programDir + "\\skin\\default\\skinED.xml");
    SetSkinSection("config_window");
}

bool COptionsCfgDlg::Checked(const char* id) const {
    for (const auto& c : CheckControls())
        if (c->Id() == id) return c->IsChecked();
    return false;
}

void COptionsCfgDlg::Check(const char* id) {
    for (const auto& c : CheckControls())
        if (c->Id() == id) SendMessageW(c->Hwnd(), BM_SETCHECK, BST_CHECKED, 0);
}

bool COptionsCfgDlg::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    SetClientSize(Hwnd(), 320, 334);
    bool hook = true, left = false;
    if (m_config.GetBool("Menu_QQHook", hook) && !hook)
        Check("self_run");
    else if (m_config.GetBool("hook_win_show_left", left) && left)
        Check("left_QQ");
    else
        Check("QQ_right");
    switch (ReadUpdateValue("NextFaceUpdateFlag")) {
        case 1: Check("update_day"); break;
        case 2: Check("update_week"); break;
        case 3: Check("update_month"); break;
        case 4: Check("update_none"); break;
        default: Check("update_auto"); break;
    }
    winfx::HwndCenterOn(Hwnd(), nullptr);
    return true;
}

void COptionsCfgDlg::Store() {
    bool left = m_config.GetBoolOr("hook_win_show_left", false);
    if (Checked("QQ_right")) {
        m_config.SetBool("hook_win_show_left", false);
        left = false;
    } else if (Checked("left_QQ")) {
        m_config.SetBool("hook_win_show_left", true);
        left = true;
    }
    const bool hook = !Checked("self_run");
    m_config.SetBool("Menu_QQHook", hook);
    if (m_apply) m_apply(hook, left);
    DWORD flag = 0;
    const char* names[] = {"update_auto", "update_day", "update_week", "update_month", "update_none"};
    for (DWORD i = 0; i < 5; ++i)
        if (Checked(names[i])) flag = i;
    WriteUpdateValue("NextFaceUpdateFlag", flag);
}

void COptionsCfgDlg::OnSkinButtonClick(int index) {
    CSkinButton* button = FindSkinButton(index);
    if (!button) return;
    if (button->Name() == "ok") {
        Store();
        End(1);
    } else if (button->Name() == "cancel" || button->Name() == "close") {
        End(0);
    }
}
