// COnlineDownFaceDlg: the skinned modal window that shows the maker's face-pack catalogue in
// an embedded browser; the page's "mienko:" links go to the updater through the link
// protocol. Without a browser engine the window says so and offers the user's own browser.
#pragma once
#include <windows.h>

#include <string>

#include "BrowserLayout.h"
#include "HtmlCtrl_win.h"
#include "SkinDialog_win.h"
#include "winfx/Unique.h"

class COnlineDownFaceDlg : public CSkinDialog {
public:
    static constexpr int kPlaceholderId = 1047;  // the browser takes the placeholder's id
    static constexpr int kNoticeId = 1048;
    static constexpr int kAddressId = 1049;
    static constexpr int kOpenButtonId = 1050;

    // programDir: the folder of the program, ending in a backslash.
    explicit COnlineDownFaceDlg(std::string programDir);

    std::string catalogueUrl = onlinedown::kCatalogueUrl;

    bool BrowserShown() const { return m_browser.Hwnd() != nullptr; }
    RECT BrowserRect() const { return m_browserRect; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void ShowFallback();

    std::string m_programDir;
    RECT m_browserRect{};
    CHtmlCtrl m_browser;
    winfx::UniqueBrush m_panel;
};

// Opens the window modal over `parent`; returns when the user closes it.
void OpenOnlineDownload(HWND parent);
