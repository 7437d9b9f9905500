// CQQToolDlg: the small skinned toolbar the hook docks beside the active chat window. Its
// title is the dock order the hook reads (SetDockTarget writes it); it never moves itself.
#pragma once
#include <windows.h>

#include <string>

#include "SkinDialog_win.h"
#include "winfx/Menu.h"

// What the toolbar's buttons and menu ask of the main program.
class QQToolActions {
public:
    virtual ~QQToolActions() = default;
    virtual void ShowPanelFromToolbar() = 0;  // "mainface"
    virtual void HideToolbarByUser() = 0;     // menu "隐 藏"
    virtual void LaunchEditorFromToolbar() = 0;
    virtual void ShowOnlineDownload() = 0;
    virtual void ShowOptions() = 0;
    virtual void StartUpgrade() = 0;
    virtual void ShowAbout() = 0;
};

class CQQToolDlg : public CSkinDialog {
public:
    static constexpr const char* kHomePage = "http://www.pelux.cn/pelux/";
    static constexpr UINT kTipOpensLeft = 0x30;   // anchored at the button's right edge
    static constexpr UINT kTipOpensRight = 0x20;  // anchored at its left edge

    // skinFile: ProgramDir + "\skin\default\skinED.xml".
    CQQToolDlg(QQToolActions& actions, std::string skinFile);

    bool Create(HWND mainDialog);

    // Hidden-by-user flag ("UnhookHideQQTool").
    bool HiddenByUser() const { return m_hiddenByUser; }
    void SetHiddenByUser(bool hidden) { m_hiddenByUser = hidden; }

    // Which way the buttons' tooltips open: towards the chat window's far side.
    void SetToolbarSide(bool dockLeft);
    UINT TipDirection() const { return m_tipDirection; }

    std::string Title() const;
    void SetTitle(const std::string& title);

protected:
    bool OnInitDialog() override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnSkinButtonClick(int index) override;
    void OnOK() override {}      // Enter and Esc never close the toolbar
    void OnCancel() override {}

private:
    void ShowMenu(POINT screen);
    bool PlaceTip(const NMHDR& nm);

    QQToolActions& m_actions;
    winfx::PopupMenu m_menu;
    bool m_hiddenByUser = false;
    UINT m_tipDirection = kTipOpensRight;
};
