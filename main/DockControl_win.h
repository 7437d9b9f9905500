// The docking control as the main window sees it: the chat window last reported, the
// dock target and the hook switch. For now a stand-in without the hook library and the
// toolbar: the chat window is settable (UM_CHATWND_ACTIVE), docking does nothing.
#pragma once
#include <windows.h>

class CConfig;

class CDockControl {
public:
    CDockControl(HWND mainWindow, CConfig& config) : m_main(mainWindow), m_config(config) {}

    HWND CurrentChatWindow() const { return m_chat; }
    void SetCurrentChatWindow(HWND chat) { m_chat = chat; }
    bool HookInstalled() const { return m_hookInstalled != 0; }
    bool ToolbarHiddenByUser() const { return m_toolbarHidden; }
    void SetToolbarHiddenByUser(bool hidden) { m_toolbarHidden = hidden; }
    void SetToolbarSide(bool left) { m_left = left; }

    void SetDockTarget(bool dockMainWindow);
    int EnableChatHook(bool on);
    void ShowMainWindow();
    // The tray item "吸附QQ窗口" and the skin's "minimize" button; returns the new check state.
    bool ToggleDock(bool checked);
    // "Menu_QQHook" read and applied (start-up, options); returns the check state.
    bool ApplyQQHook();

private:
    HWND m_main;
    CConfig& m_config;
    HWND m_chat = nullptr;
    int m_hookInstalled = 0;
    bool m_toolbarHidden = false;
    bool m_left = false;
    bool m_dockMain = true;
};
