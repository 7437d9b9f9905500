#include "OnlineDownDlg_win.h"

#include <shellapi.h>

#include "winfx/App.h"
#include "winfx/Controls.h"
#include "winfx/DialogTemplate.h"
#include "winfx/Hwnd.h"
#include "winfx/Wide.h"

namespace {

// Dialog 137's layout: 321 x 271 dialog units, one placeholder static for the browser.
std::vector<BYTE> OnlineDownTemplate() {
    winfx::DialogTemplate t("", WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 321, 271, "MS Shell Dlg", 8);
    t.Add("Static", "", COnlineDownFaceDlg::kPlaceholderId, SS_LEFT, 4, 20, 313, 245);
    return t.Bytes();
}

int BitmapHeight(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return 0;
    return info.bmHeight;
}

std::string ProgramDirOfThisProcess() {
    std::string path = winfx::ModuleFileName(nullptr);
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

COnlineDownFaceDlg::COnlineDownFaceDlg(std::string programDir)
    : CSkinDialog(OnlineDownTemplate()), m_programDir(std::move(programDir)) {
    SetSkinFile(m_programDir + "\\skin\\default\\skinED.xml");
    SetSkinSection("onlinedown_window");
}

bool COnlineDownFaceDlg::OnInitDialog() {
    const bool result = CSkinDialog::OnInitDialog();
    SetWindowTextW(Hwnd(), L"Pelu表情在线下载");

    RECT client;
    GetClientRect(Hwnd(), &client);
    const onlinedown::Box box = onlinedown::BrowserBox(client.right, client.bottom, BitmapHeight(Piece(skin::kTopMid)),
                                                       BitmapHeight(Piece(skin::kBottomMid)));
    m_browserRect = RECT{box.left, box.top, box.right, box.bottom};

    const HWND placeholder = Item(kPlaceholderId);
    if (m_browser.Create(Hwnd(), m_browserRect, kPlaceholderId)) {
        // One window answers to the id: the browser, not the placeholder.
        if (placeholder) DestroyWindow(placeholder);
        m_browser.Navigate(catalogueUrl);
    } else {
        ShowFallback();
    }
    // Over its owner: the picker stays on top of other windows, so this window must too.
    const HWND owner = GetWindow(Hwnd(), GW_OWNER);
    winfx::HwndCenterOn(Hwnd(), owner);
    if (owner && (GetWindowLongPtrW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST))
        SetWindowPos(Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return result;
}

void COnlineDownFaceDlg::ShowFallback() {
    m_panel.Reset(CreateSolidBrush(RGB(255, 255, 255)));
    const RECT& r = m_browserRect;
    if (const HWND placeholder = Item(kPlaceholderId))
        MoveWindow(placeholder, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
    const int x = r.left + 16, width = r.right - r.left - 32;
    winfx::CreateControl(Hwnd(), L"Static",
                         "这台电脑上没有可用的网页浏览组件，表情下载页无法在此窗口中显示。\n\n"
                         "您可以在默认浏览器中打开表情下载页，点击页面上的表情包即可下载安装。",
                         SS_LEFT, RECT{x, r.top + 24, x + width, r.top + 84}, kNoticeId);
    winfx::CreateControl(Hwnd(), L"Static", catalogueUrl, SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS,
                         RECT{x, r.top + 92, x + width, r.top + 110}, kAddressId);
    const int buttonWidth = 180;
    const int bx = r.left + (r.right - r.left - buttonWidth) / 2;
    winfx::CreateControl(Hwnd(), L"Button", "在浏览器中打开下载页", BS_PUSHBUTTON | WS_TABSTOP,
                         RECT{bx, r.top + 124, bx + buttonWidth, r.top + 152}, kOpenButtonId);
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(Hwnd(), WM_GETFONT, 0, 0));
    for (int id : {kNoticeId, kAddressId, kOpenButtonId})
        SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetFocus(Item(kOpenButtonId));
}

bool COnlineDownFaceDlg::OnCommand(int id, int code, HWND control) {
    if (id == kOpenButtonId && code == BN_CLICKED) {
        ShellExecuteW(Hwnd(), L"open", winfx::ToWide(catalogueUrl).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return true;
    }
    return CSkinDialog::OnCommand(id, code, control);
}

LRESULT COnlineDownFaceDlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CTLCOLORSTATIC && m_panel) {
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lp));
        if (id == kPlaceholderId || id == kNoticeId || id == kAddressId) {
            const HDC dc = reinterpret_cast<HDC>(wp);
            SetBkColor(dc, RGB(255, 255, 255));
            SetTextColor(dc, id == kAddressId ? RGB(0x1f, 0x4e, 0x8c) : RGB(0, 0, 0));
            return reinterpret_cast<LRESULT>(m_panel.Get());
        }
    }
    return CSkinDialog::OnMessage(msg, wp, lp);
}

void OpenOnlineDownload(HWND parent) {
    COnlineDownFaceDlg dialog(ProgramDirOfThisProcess());
    dialog.DoModal(parent);
}
