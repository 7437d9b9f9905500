#include "DockControl_win.h"

#include "Config.h"
#include "DockProtocol.h"
#include "Messenger_win.h"

namespace {

// Tray menu commands the toolbar shares.
constexpr UINT kCmdDownload = 32775, kCmdAbout = 32776, kCmdUpgrade = 32777;
constexpr UINT kCmdManage = 32780, kCmdOptions = 32781;

}  // namespace

CDockControl::CDockControl(HWND mainWindow, CConfig& config, const std::string& programDir)
    : m_main(mainWindow),
      m_config(config),
      m_toolbar(std::make_unique<CQQToolDlg>(*this, programDir + "\\skin\\default\\skinED.xml")) {
    m_toolbar->Create(mainWindow);
}

CDockControl::~CDockControl() {
    if (m_poll.Active()) KillTimer(m_main, kMessengerPollTimer);
}

bool CDockControl::DockLeft() const {
    return m_config.GetBoolOr("hook_win_show_left", false);
}

// Moves the chat window one pixel right and back, so the hook inside the messenger docks at
// once. Asynchronous: the main program never waits for the messenger.
void CDockControl::Nudge(HWND chat) const {
    if (!chat || !IsWindow(chat)) return;
    RECT r{};
    GetWindowRect(chat, &r);
    const UINT flags = SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS;
    SetWindowPos(chat, nullptr, r.left + 1, r.top, 0, 0, flags);
    SetWindowPos(chat, nullptr, r.left, r.top, 0, 0, flags);
}

void CDockControl::SetDockTarget(bool dockMainWindow) {
    using dock::Side;
    using dock::Target;
    m_toolbar->SetTitle(dock::DockTitle(dockMainWindow ? Target::MainWindow : Target::Toolbar,
                                        DockLeft() ? Side::Left : Side::Right));
    Nudge(m_chat);
}

int CDockControl::EnableChatHook(bool on) {
    if (!m_hook.Available()) return 0;
    if (!on) return DisableChatHook();
    SetWindowPos(m_main, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    if (const HWND messenger = dock::FindMessengerWindow())
        return InstallOn(GetWindowThreadProcessId(messenger, nullptr));
    if (m_poll.Active()) return 0;  // already started, still waiting for its window
    const dock::StartedMessenger started = dock::StartMessenger(dock::GetMessengerExePath());
    // A messenger that cannot be started gets no desktop-wide hook in its place.
    if (!started.started) return 0;
    m_startedThread = started.thread;
    m_poll.Start();
    SetTimer(m_main, kMessengerPollTimer, dock::MessengerPoll::kIntervalMs, nullptr);
    return 0;
}

bool CDockControl::OnTimer(UINT_PTR id) {
    if (id != kMessengerPollTimer) return false;
    const HWND messenger = dock::FindMessengerWindow();
    switch (m_poll.Tick(messenger != nullptr)) {
        case dock::MessengerPoll::Step::Wait:
            return true;
        case dock::MessengerPoll::Step::Found:
            KillTimer(m_main, kMessengerPollTimer);
            InstallOn(GetWindowThreadProcessId(messenger, nullptr));
            return true;
        case dock::MessengerPoll::Step::GiveUp:
            KillTimer(m_main, kMessengerPollTimer);
            InstallOn(m_startedThread);
            return true;
    }
    return true;
}

int CDockControl::InstallOn(DWORD thread) {
    m_hookInstalled = m_hook.Install(thread, m_main, m_toolbar->Hwnd());
    const HWND foreground = GetForegroundWindow();
    if (dock::IsChatWindow(foreground)) m_chat = foreground;
    if (m_hookInstalled && m_chat) Nudge(m_chat);
    return m_hookInstalled;
}

int CDockControl::DisableChatHook() {
    if (m_poll.Active()) {
        m_poll.Cancel();
        KillTimer(m_main, kMessengerPollTimer);
    }
    const int result = m_hook.Uninstall(m_main);
    if (result) m_hookInstalled = 0;
    if (m_toolbar->HiddenByUser()) {
        m_chat = nullptr;
        SetDockTarget(true);
        ShowWindow(m_toolbar->Hwnd(), SW_HIDE);
        return result;
    }
    SetDockTarget(true);
    ShowWindow(m_toolbar->Hwnd(), SW_HIDE);
    RECT r{};
    GetWindowRect(m_main, &r);
    const int dx = DockLeft() ? -10 : 10;
    SetWindowPos(m_main, HWND_TOPMOST, r.left + dx, r.top, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    return result;
}

void CDockControl::ShowMainWindow() {
    const HWND chat = m_chat;
    if (m_toolbar->HiddenByUser()) {
        m_toolbar->SetHiddenByUser(false);
        EnableChatHook(true);
    }
    SetDockTarget(true);
    ShowWindow(m_toolbar->Hwnd(), SW_HIDE);
    ShowWindow(m_main, SW_SHOW);
    if (IsIconic(m_main)) ShowWindow(m_main, SW_RESTORE);
    SetForegroundWindow(m_main);
    if (chat && IsWindow(chat)) {
        if (IsIconic(chat)) ShowWindow(chat, SW_RESTORE);
        ShowWindow(chat, SW_SHOW);
        SetForegroundWindow(chat);
    }
}

bool CDockControl::ToggleDock(bool checked) {
    if (checked && !m_hookInstalled) {
        EnableChatHook(true);
        return true;
    }
    if (checked) {
        m_toolbar->SetHiddenByUser(false);
        EnableChatHook(false);
        m_config.SetBool("Menu_QQHook", false);
        return false;
    }
    EnableChatHook(true);
    m_config.SetBool("Menu_QQHook", true);
    return true;
}

bool CDockControl::ApplyQQHook() {
    const bool on = m_config.GetBoolOr("Menu_QQHook", true);
    // A toolbar the user hid keeps the hook off until the main window is shown again.
    EnableChatHook(on && !m_toolbar->HiddenByUser());
    SetDockTarget(m_toolbar->Title().find(dock::kPanelPrefix) != std::string::npos);
    return on;
}

void CDockControl::ShowPanelFromToolbar() {
    SetDockTarget(true);
    ShowWindow(m_toolbar->Hwnd(), SW_HIDE);
    ShowWindow(m_main, SW_SHOW);
    if (IsIconic(m_main)) ShowWindow(m_main, SW_RESTORE);
    SetForegroundWindow(m_main);
}

void CDockControl::HideToolbarByUser() {
    m_toolbar->SetHiddenByUser(true);
    EnableChatHook(false);
}

void CDockControl::LaunchEditorFromToolbar() {
    if (m_menuCommand) m_menuCommand(kCmdManage);
}

void CDockControl::ShowOnlineDownload() {
    if (m_menuCommand) m_menuCommand(kCmdDownload);
}

void CDockControl::ShowOptions() {
    if (m_menuCommand) m_menuCommand(kCmdOptions);
}

void CDockControl::StartUpgrade() {
    if (m_menuCommand) m_menuCommand(kCmdUpgrade);
}

void CDockControl::ShowAbout() {
    if (m_menuCommand) m_menuCommand(kCmdAbout);
}
