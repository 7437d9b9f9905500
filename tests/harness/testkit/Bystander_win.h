// A small visible window of the test that can hold the foreground, as some window always does
// on a real desktop.
#pragma once
#include <windows.h>

namespace testkit {

class Bystander {
public:
    Bystander() {
        m_hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, L"Static", L"bystander", WS_POPUP | WS_VISIBLE,
                                 1200, 980, 20, 20, nullptr, nullptr, nullptr, nullptr);
    }
    ~Bystander() {
        if (m_hwnd) DestroyWindow(m_hwnd);
    }
    Bystander(const Bystander&) = delete;
    Bystander& operator=(const Bystander&) = delete;
    HWND Get() const { return m_hwnd; }

private:
    HWND m_hwnd = nullptr;
};

}  // namespace testkit
