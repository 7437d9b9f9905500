// Stand-ins for the picker's and the editor's windows: top-level "#32770" dialogs with
// their titles, in this test's process, that note WM_CLOSE and close.
#pragma once
#include <windows.h>

#include <string>

namespace updkit {

class SiblingWindow {
public:
    explicit SiblingWindow(const std::string& title);
    ~SiblingWindow();
    SiblingWindow(const SiblingWindow&) = delete;
    SiblingWindow& operator=(const SiblingWindow&) = delete;

    HWND Hwnd() const { return m_hwnd; }
    bool GotClose() const { return m_gotClose; }
    bool Gone() const { return !IsWindow(m_hwnd); }

private:
    static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    HWND m_hwnd = nullptr;
    bool m_gotClose = false;
};

}  // namespace updkit
