// Start-up, the messages from other programs, and shut-down of the main window.
#include <windows.h>

#include "CommandLine.h"
#include "MienkoMainDlg_win.h"
#include "PelumoRes.h"
#include "Siblings_win.h"
#include "UsageOrder.h"
#include "winfx/Controls.h"
#include "winfx/Hwnd.h"
#include "winfx/Wide.h"

namespace {

constexpr const char* kDbFailed = "数据库连接失败,程序无法继续运行!";
constexpr const char* kTipSearch = "输入想要搜索的表情名称";
constexpr const char* kTipDialog = "左键单击：插入QQ表情到当前聊天窗口；\n双击或右击：直接发送QQ表情给好友！";

HICON LoadIconSized(int id, int size) {
    return static_cast<HICON>(LoadImageW(winfx::ThisModule(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
}

}  // namespace

CMienkoMainDlg::CMienkoMainDlg(std::string params)
    : CSkinDialog(IDD_MAIN), m_params(std::move(params)) {}

CMienkoMainDlg::~CMienkoMainDlg() = default;

bool CMienkoMainDlg::OpenLibrary() { return m_library.Open(m_programDir + "data\\mienko.db"); }

bool CMienkoMainDlg::OnInitDialog() {
    m_programDir = ProgramDir();
    SetSkinFile(m_programDir + "\\skin\\default\\skin.xml");
    SetSkinSection("main_window");
    CSkinDialog::OnInitDialog();
    // Files dropped on the window go to the editor, once the drag is over.
    m_fileDrop.Register(Hwnd(), [this](const std::vector<std::string>& paths) {
        m_dropped = paths;
        PostMessageW(Hwnd(), UM_FILES_DROPPED, 0, 0);
    });
    SetWindowLongPtrW(Hwnd(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);  // no taskbar button
    m_config.Load(m_programDir + "config.xml");
    m_dock = std::make_unique<CDockControl>(Hwnd(), m_config, m_programDir);
    m_dock->SetMenuCommandHandler([this](UINT id) { OnMenuCommand(id); });

    m_images = winfx::ImageList(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4);
    winfx::ComboBoxEx(Hwnd(), IDC_CATEGORY).SetImageList(m_images.Get());
    m_initialised = true;

    wchar_t aboutText[128] = {};
    if (LoadStringW(winfx::ThisModule(), IDS_ABOUT_ITEM, aboutText, 128) > 0) {
        if (HMENU sys = GetSystemMenu(Hwnd(), FALSE)) {
            AppendMenuW(sys, MF_SEPARATOR, 0, nullptr);
            AppendMenuW(sys, MF_STRING, IDM_ABOUTBOX, aboutText);
        }
    }
    m_bigIcon.Reset(LoadIconSized(IDI_PELUMO, 32));
    m_smallIcon.Reset(LoadIconSized(IDI_PELUMO, 16));
    SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_bigIcon.Get()));
    SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon.Get()));
    SetWindowPos(Hwnd(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);

    LayoutControls();
    const RECT panelRect = winfx::Control(Hwnd(), IDC_PANEL).RectInParent();
    m_panel.Create(Hwnd(), panelRect, IDC_PANEL + 1000);
    m_panel.CreateGrid(5, 8, 40, this);
    m_sender = std::make_unique<panel::FaceSender>(m_programDir);
    m_panel.SetPressedFrame(false);
    m_panel.SetHoverFrame(true);
    m_pageSize = 40;

    if (!OpenLibrary()) {
        winfx::HwndMessageBox(Hwnd(), kDbFailed, kTitle, MB_OK);
        End(IDCANCEL);
        return false;
    }
    LoadCategories(false);

    SetWindowTextW(Hwnd(), winfx::ToWide(kTitle).c_str());
    const RECT client = winfx::HwndGetClientRect(Hwnd());
    m_client = SIZE{client.right, client.bottom};
    const RECT panel = winfx::HwndGetClientRect(m_panel.Hwnd());
    m_panelSize = SIZE{panel.right, panel.bottom};

    m_trayIcon.Reset(LoadIconSized(IDI_TRAY, 16));
    m_tray = std::make_unique<winfx::TrayIcon>(Hwnd(), IDR_TRAY_MENU, UM_TRAY_NOTIFY);
    m_tray->Add(m_trayIcon.Get(), kTitle);
    m_trayMenu = winfx::PopupMenu::Load(winfx::ThisModule(), IDR_TRAY_MENU);

    if (m_tooltip.Create(Hwnd())) {
        m_tooltip.SetMaxWidth(400);
        if (HWND edit = FindWindowExW(GetDlgItem(Hwnd(), IDC_SEARCH_BOX), nullptr, L"Edit", nullptr))
            m_tooltip.AddTool(edit, kTipSearch);
        m_tooltip.AddTool(Hwnd(), kTipDialog);
    }

    m_startInToolbar = m_config.GetBoolOr("StartShowTool", false);
    m_dock->SetDockTarget(!m_startInToolbar);
    m_dock->SetToolbarHiddenByUser(m_config.GetBoolOr("UnhookHideQQTool", false));
    m_dock->SetToolbarSide(m_config.GetBoolOr("hook_win_show_left", false));

    m_frequent = m_config.FrequentFaces();
    winfx::ComboBox search(Hwnd(), IDC_SEARCH_BOX);
    for (const std::string& s : m_config.SearchHistory()) search.Add(s);
    BuildCategorySelector();
    m_dockChecked = m_dock->ApplyQQHook();

    RegisterLinkProtocol(m_programDir);
    HandleStartCommandLine();
    return true;
}

void CMienkoMainDlg::HandleStartCommandLine() {
    if (!m_params.empty()) {
        const int answer = winfx::HwndMessageBox(Hwnd(), "是否要导入表情包：" + m_params, kTitle,
                                                 MB_YESNO | MB_ICONQUESTION);
        if (answer == IDYES) {
            LaunchEditor(m_programDir, m_params);
            return;
        }
    }
    RunUpdateCheck(m_programDir);
}

LRESULT CMienkoMainDlg::OnCopyData(const COPYDATASTRUCT* data) {
    if (!data) return FALSE;
    const cmdline::Forwarded f = cmdline::DecodeForward(data->lpData, data->cbData);
    switch (f.action) {
        case cmdline::ForwardAction::None: return TRUE;
        case cmdline::ForwardAction::Quit: End(0); return -1;
        case cmdline::ForwardAction::Launch: LaunchEditor(m_programDir, AnsiToUtf8(f.text)); return FALSE;
    }
    return FALSE;
}

// Only the first file counts.
void CMienkoMainDlg::OnFilesDropped() {
    std::vector<std::string> names;
    names.swap(m_dropped);
    if (names.empty()) return;
    std::optional<int> category;
    if (m_selected >= 0 && m_lastShownId >= 0) category = m_lastShownId;
    if (auto params = cmdline::EditorParamsForDrop(names.front(), category)) LaunchEditor(m_programDir, *params);
}

LRESULT CMienkoMainDlg::ReloadLibrary() {
    const int id = (m_selected >= 0 && m_selected < static_cast<int>(m_categories.size()))
                       ? m_categories[static_cast<size_t>(m_selected)].id
                       : -1;
    const int page = m_page;
    SaveConfig();
    LoadCategories(true);
    BuildCategorySelector();
    int index = -1;
    for (size_t i = 0; i < m_categories.size(); ++i)
        if (m_categories[i].id == id) index = static_cast<int>(i);
    m_viewMode = kCategoryView;
    ShowView(true, index, page, true, page);
    return 1;
}

void CMienkoMainDlg::SaveConfig() {
    m_config.SetBool("StartShowTool", !IsWindowVisible(Hwnd()));
    m_config.SetBool("UnhookHideQQTool", m_dock && m_dock->ToolbarHiddenByUser());
    m_config.SetFrequentFaces(m_frequent);
    std::vector<int> ids;
    for (const Category& c : m_categories) ids.push_back(c.id);
    m_config.SetTableList(usage::SelectorTableList(m_selector, ids, m_useCounts));
    winfx::ComboBox search(Hwnd(), IDC_SEARCH_BOX);
    std::vector<std::string> history;
    for (int i = 0; i < search.Count() && history.size() < CConfig::kMaxSearches; ++i)
        history.push_back(search.ItemText(i));
    m_config.SetSearchHistory(history);
    m_config.Save();
}

void CMienkoMainDlg::ExitApplication() {
    if (m_dock) m_dock->EnableChatHook(false);
    ClearFaceCache(m_programDir);
    if (m_tray && m_tray->IsShown()) m_tray->Remove();
    SaveConfig();
    End(0);
}

LRESULT CMienkoMainDlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (m_tray && m_tray->HandleTaskbarCreated(msg)) return 0;
    switch (msg) {
        case WM_COPYDATA: return OnCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lp));
        case UM_LIBRARY_CHANGED: return ReloadLibrary();
        case UM_CHATWND_ACTIVE:
            if (m_dock) m_dock->SetCurrentChatWindow(reinterpret_cast<HWND>(wp));
            return 0;
        case UM_TRAY_NOTIFY:
            if (LOWORD(lp) == WM_LBUTTONDBLCLK && m_dock) m_dock->ShowMainWindow();
            if (LOWORD(lp) == WM_RBUTTONUP) {
                POINT pt;
                GetCursorPos(&pt);
                ShowTrayMenu(pt);
            }
            return 0;
        case UM_FILES_DROPPED: OnFilesDropped(); return 0;
        case WM_DESTROY: m_fileDrop.Revoke(); break;
        case WM_TIMER:
            if (wp == kPrefetchTimer) {
                PrefetchNextPage();
                return 0;
            }
            if (m_dock && m_dock->OnTimer(wp)) return 0;
            break;
        case WM_CLOSE: ExitApplication(); return 0;
        case WM_SYSCOMMAND:
            if ((wp & 0xFFF0) >= IDM_ABOUTBOX && (wp & 0xFFF0) < 32) {
                ShowAbout();
                return 0;
            }
            break;
        case WM_RBUTTONDOWN: {
            POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            ClientToScreen(Hwnd(), &pt);
            ShowTrayMenu(pt);
            return 0;
        }
        case WM_LBUTTONDOWN: {
            const int x = static_cast<short>(LOWORD(lp)), y = static_cast<short>(HIWORD(lp));
            if (x >= 0 && x < 24 && y >= 0 && y < 24) {
                POINT pt{x, y};
                ClientToScreen(Hwnd(), &pt);
                ShowTrayMenu(pt);
                return 0;
            }
            break;
        }
        case WM_SHOWWINDOW:
            // Made topmost again once shown: the style change above dropped it on some systems.
            if (wp) SetWindowPos(Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
            break;
        case WM_PAINT:
            // A start in toolbar mode shows no main window. A paint that comes while the
            // dialog is not shown yet must not use up the flag: the show would stay.
            if (m_startInToolbar && IsWindowVisible(Hwnd())) {
                m_startInToolbar = false;
                ShowWindow(Hwnd(), SW_HIDE);
            }
            break;
        case WM_CTLCOLORSTATIC: {
            const LRESULT brush = OnColourStatic(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
            if (brush) return brush;
            break;
        }
        default: break;
    }
    return CSkinDialog::OnMessage(msg, wp, lp);
}
