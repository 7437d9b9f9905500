#include "Messenger_win.h"

#include "MessengerPath.h"
#include "MessengerRules.h"
#include "WindowTree_win.h"
#include "winfx/Registry.h"
#include "winfx/Unique.h"
#include "winfx/Wide.h"

namespace dock {
namespace {

struct Search {
    wintree::LiveWindowTree tree;
    HWND found = nullptr;
};

BOOL CALLBACK VisitTopLevel(HWND window, LPARAM lp) {
    auto* search = reinterpret_cast<Search*>(lp);
    if (!IsMessengerWindow(search->tree, wintree::FromHwnd(window))) return TRUE;
    search->found = window;
    return FALSE;
}

class RegistryInstallKeys : public InstallKeys {
public:
    std::optional<std::string> Install(std::string_view key) const override {
        const winfx::UniqueKey k = winfx::KeyOpen(HKEY_LOCAL_MACHINE, key, KEY_READ);
        if (!k) return std::nullopt;
        return winfx::KeyGetString(k.Get(), "Install").value_or(std::string());
    }
};

}  // namespace

HWND FindMessengerWindow() {
    Search search;
    EnumWindows(VisitTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsChatWindow(HWND window) {
    return window && IsMainChatWindow(wintree::LiveWindowTree(), wintree::FromHwnd(window));
}

std::string GetMessengerExePath() {
    return MessengerExePath(RegistryInstallKeys());
}

StartedMessenger StartMessenger(const std::string& exePath) {
    std::wstring app = winfx::ToWide(exePath);
    std::wstring commandLine = winfx::ToWide(MessengerCommandLine(exePath));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(app.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &si, &pi))
        return {};
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return {true, pi.dwThreadId};
}

}  // namespace dock
