// The main program's side of docking, played by a test: a main window that records the chat
// windows the hook reports, a toolbar whose title carries the dock order, and the hook
// library's two exports.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace hooktest {

constexpr UINT kChatWindowActive = WM_USER + 101;
constexpr int kToolWidth = 30, kToolHeight = 120;
constexpr int kMainWidth = 250, kMainHeight = 400;

using InstallHookFn = int(WINAPI*)(DWORD, HWND, HWND);
using UninstallHookFn = int(WINAPI*)(HWND);

struct HookLibrary {
    HMODULE module = nullptr;
    InstallHookFn install = nullptr;
    UninstallHookFn uninstall = nullptr;
    bool Load(const std::string& path);  // kept loaded for the process, as the program does
};

class PickerStandIn {
public:
    PickerStandIn();
    ~PickerStandIn();
    PickerStandIn(const PickerStandIn&) = delete;
    PickerStandIn& operator=(const PickerStandIn&) = delete;

    HWND Main() const { return m_main; }
    HWND Tool() const { return m_tool; }
    void SetTitle(const std::string& utf8);
    // Every wParam of UM_CHATWND_ACTIVE received so far (after the queue was pumped).
    const std::vector<HWND>& Reported() const { return m_reported; }

    bool Installed() const { return m_installed; }
    int Install(HookLibrary& lib, DWORD thread);
    int Uninstall(HookLibrary& lib);

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND m_main = nullptr, m_tool = nullptr;
    std::vector<HWND> m_reported;
    bool m_installed = false;
    HookLibrary* m_lib = nullptr;
};

RECT RectOf(HWND w);
std::string RectText(const RECT& r);
// Handles every message already queued for this thread.
void PumpPending();

}  // namespace hooktest
