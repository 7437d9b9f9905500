// CHtmlCtrl: the system's web browser object hosted in a plain child window, used like any
// other control (mouse activation and focus as for a child window, not a document view).
// Where the system has no HTML engine, Create says so and nothing is embedded.
#pragma once
#include <windows.h>
#include <exdisp.h>
#include <oleidl.h>

#include <string>

#include "winfx/Com.h"
#include "winfx/Unique.h"

class CHtmlCtrl {
public:
    CHtmlCtrl() = default;
    // Releases the browser without asking anything, even while a page still loads.
    ~CHtmlCtrl();
    CHtmlCtrl(const CHtmlCtrl&) = delete;
    CHtmlCtrl& operator=(const CHtmlCtrl&) = delete;

    // Creates the host window (WS_CHILD | WS_VISIBLE, control id `id`) at `rect` and embeds
    // the browser in it. False when no browser engine could be created: then no window exists.
    bool Create(HWND parent, const RECT& rect, int id);
    bool Navigate(const std::string& url);
    HWND Hwnd() const { return m_host.Get(); }
    IWebBrowser2* Browser() const { return m_browser.Get(); }

    // Whether an HTML engine is installed at all (the browser object needs one to show pages).
    static bool EngineAvailable();

private:
    class Site;
    static LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void Release();

    winfx::UniqueHwnd m_host;
    Site* m_site = nullptr;  // counted: one reference held here
    winfx::ComPtr<IOleObject> m_object;
    winfx::ComPtr<IWebBrowser2> m_browser;
};
