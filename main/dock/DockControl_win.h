// CDockControl: the main program's side of docking to the messenger. It owns the toolbar
// (whose title tells the hook what to dock and where), finds or starts the messenger,
// installs and removes the hook, and switches between toolbar and panel mode.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "HookBinding_win.h"
#include "MessengerPoll.h"
#include "QQToolDlg_win.h"

class CConfig;

class CDockControl : public QQToolActions {
public:
    // Timer of the main window that drives the wait for a just-started messenger.
    static constexpr UINT_PTR kMessengerPollTimer = 0x4D51;

    // programDir ends in "\"; the toolbar is created at once (owned by mainWindow).
    CDockControl(HWND mainWindow, CConfig& config, const std::string& programDir);
    ~CDockControl() override;

    // Tray menu commands the toolbar's buttons share with the tray (editor, download,
    // options, updater, about): the main window carries them out.
    void SetMenuCommandHandler(std::function<void(UINT)> handler) { m_menuCommand = std::move(handler); }

    HWND CurrentChatWindow() const { return m_chat; }
    void SetCurrentChatWindow(HWND chat) { m_chat = chat; }
    bool HookInstalled() const { return m_hookInstalled != 0; }
    bool ToolbarHiddenByUser() const { return m_toolbar->HiddenByUser(); }
    void SetToolbarHiddenByUser(bool hidden) { m_toolbar->SetHiddenByUser(hidden); }
    void SetToolbarSide(bool left) { m_toolbar->SetToolbarSide(left); }
    CQQToolDlg& Toolbar() { return *m_toolbar; }
    bool WaitingForMessenger() const { return m_poll.Active(); }

    void SetDockTarget(bool dockMainWindow);
    int EnableChatHook(bool on);
    void ShowMainWindow();
    // The tray item "吸附QQ窗口" and the skin's "minimize" button; returns the new check state.
    bool ToggleDock(bool checked);
    // "Menu_QQHook" read and applied (start-up, options); returns the check state.
    bool ApplyQQHook();
    // WM_TIMER of the main window; true when it was ours.
    bool OnTimer(UINT_PTR id);

    // QQToolActions
    void ShowPanelFromToolbar() override;
    void HideToolbarByUser() override;
    void LaunchEditorFromToolbar() override;
    void ShowOnlineDownload() override;
    void ShowOptions() override;
    void StartUpgrade() override;
    void ShowAbout() override;

private:
    int InstallOn(DWORD thread);
    int DisableChatHook();
    void Nudge(HWND chat) const;
    bool DockLeft() const;

    HWND m_main;
    CConfig& m_config;
    std::unique_ptr<CQQToolDlg> m_toolbar;
    dock::HookBinding m_hook;
    dock::MessengerPoll m_poll;
    DWORD m_startedThread = 0;
    HWND m_chat = nullptr;
    int m_hookInstalled = 0;
    std::function<void(UINT)> m_menuCommand;
};
