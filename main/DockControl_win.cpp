#include "DockControl_win.h"

#include "Config.h"

void CDockControl::SetDockTarget(bool dockMainWindow) { m_dockMain = dockMainWindow; }

int CDockControl::EnableChatHook(bool on) {
    m_hookInstalled = 0;  // no hook library yet
    (void)on;
    return 0;
}

void CDockControl::ShowMainWindow() {
    const HWND chat = m_chat;
    if (m_toolbarHidden) {
        EnableChatHook(true);
        m_toolbarHidden = false;
    }
    SetDockTarget(true);
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
        m_toolbarHidden = false;
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
    EnableChatHook(on);
    SetDockTarget(m_dockMain);
    return on;
}
