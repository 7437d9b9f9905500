// The about box and the options dialog of the picker.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "SkinDialog_win.h"

class CConfig;

class CMainAboutDlg : public CSkinDialog {
public:
    explicit CMainAboutDlg(const std::string& programDir);

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void ShowIcon();

    winfx::UniqueFont m_linkFont;
    winfx::UniqueBitmap m_icon;
};

// The dock side and the face-update schedule. On "ok" the settings are stored and
// `apply` runs with the new "Menu_QQHook" value.
class COptionsCfgDlg : public CSkinDialog {
public:
    COptionsCfgDlg(const std::string& programDir, CConfig& config, std::function<void(bool hook, bool left)> apply);

protected:
    bool OnInitDialog() override;
    void OnSkinButtonClick(int index) override;

private:
    bool Checked(const char* id) const;
    void Check(const char* id);
    void Store();

    CConfig& m_config;
    std::function<void(bool, bool)> m_apply;
};
