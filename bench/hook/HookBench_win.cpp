// HookBench.exe: what Mienko.dll costs the messenger. Run under Wine from a program folder
// (Mienko.dll and FakeQQ.exe beside it), by hand, e.g. the 64-bit build under native wine64:
//   tests/harness/wine-test.sh --install --name hookbench --arch win64
//       --bin build/win64/bin --native build --source . -- HookBench.exe   (one line)
// (--arch win32 --bin build/win32/bin: the shipped 32-bit build under emulation). It measures:
//   1. the hook procedure's own work per message, called directly with the live desktop: a
//      message it does not handle, a WM_WINDOWPOSCHANGED of a child that is no chat window
//      (one class-name test), and the CallNextHookEx every message ends with;
//   2. the same seen through the system's hook dispatch (SendMessage to a window of a hooked
//      thread: no hook, an empty hook, Mienko);
//   3. from a chat window's activation in the fake messenger to the toolbar's final position.
// Prints one line per measurement (ASCII) to stdout.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "ChatHook.h"
#include "HookDesktop_win.h"

namespace {

using InstallFn = int(WINAPI*)(DWORD, HWND, HWND);
using UninstallFn = int(WINAPI*)(HWND);

double Now() {
    static LARGE_INTEGER f = [] { LARGE_INTEGER x; QueryPerformanceFrequency(&x); return x; }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

void Pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
}

HWND Popup(const wchar_t* cls, const wchar_t* title, DWORD style, int x, int y, int w, int h,
           HWND parent = nullptr) {
    return CreateWindowExW(0, cls, title, style, x, y, w, h, parent, nullptr, nullptr, nullptr);
}

double PerMessage(HWND target, UINT msg, WPARAM wp, LPARAM lp, int n) {
    const double t0 = Now();
    for (int i = 0; i < n; ++i) SendMessageW(target, msg, wp, lp);
    return (Now() - t0) / n;
}

std::wstring Folder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path);
    return p.substr(0, p.find_last_of(L'\\') + 1);
}

LRESULT Command(const std::string& text) {
    const HWND control = FindWindowW(L"FakeQQ_Control", L"HookBench");
    if (!control) return 0;
    COPYDATASTRUCT cds{0x46515143, static_cast<DWORD>(text.size()), const_cast<char*>(text.data())};
    DWORD_PTR r = 0;
    SendMessageTimeoutW(control, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_ABORTIFHUNG,
                        10000, &r);
    return static_cast<LRESULT>(r);
}

template <class F>
bool WaitFor(F cond, double seconds) {
    const double end = Now() + seconds;
    while (Now() < end) {
        if (cond()) return true;
        Pump();
        Sleep(0);
    }
    return cond();
}

void ActivationToPosition(InstallFn install, UninstallFn uninstall, HWND main, HWND tool) {
    const std::wstring exe = Folder() + L"FakeQQ.exe";
    std::wstring cmd = L"\"" + exe + L"\" --tag HookBench --lifetime 300 --window classic@100,100,420,360";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::puts("activation: FakeQQ.exe not started");
        return;
    }
    CloseHandle(pi.hThread);
    HWND chat = nullptr;
    WaitFor([&] { return (chat = reinterpret_cast<HWND>(Command("hwnd 1"))) != nullptr; }, 60);
    if (!chat || !install(GetWindowThreadProcessId(chat, nullptr), main, tool)) {
        std::puts("activation: no chat window or no hook");
        return;
    }
    std::vector<double> times;
    for (int i = 0; i < 15; ++i) {
        SetForegroundWindow(main);
        WaitFor([&] { return GetForegroundWindow() == main; }, 5);
        const int y = 100 + (i % 5) * 20;
        Command("move 1 100 " + std::to_string(y));
        ShowWindow(tool, SW_HIDE);
        SetWindowPos(tool, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
        RECT c{};
        GetWindowRect(chat, &c);
        RECT t{};
        GetWindowRect(tool, &t);
        const LONG wantX = c.right, wantY = c.bottom - (t.bottom - t.top) - 36;
        const double t0 = Now();
        Command("activate 1");
        const bool ok = WaitFor([&] {
            RECT r{};
            GetWindowRect(tool, &r);
            return IsWindowVisible(tool) && r.left == wantX && r.top == wantY;
        }, 10);
        if (ok) times.push_back(Now() - t0);
    }
    uninstall(main);
    Command("quit");
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hProcess);
    if (times.empty()) {
        std::puts("activation: the toolbar never arrived");
        return;
    }
    std::sort(times.begin(), times.end());
    std::printf("activation to toolbar position: median %.2f ms, min %.2f ms, max %.2f ms (%zu runs)\n",
                times[times.size() / 2] * 1e3, times.front() * 1e3, times.back() * 1e3, times.size());
}

LRESULT CALLBACK EmptyHook(int code, WPARAM wp, LPARAM lp) {
    return CallNextHookEx(nullptr, code, wp, lp);
}

// Best of three runs of n calls, per call.
template <class F>
double BestPerCall(int n, F f) {
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        const double t0 = Now();
        for (int i = 0; i < n; ++i) f();
        best = std::min(best, (Now() - t0) / n);
    }
    return best;
}

void HookProcedureItself(HWND main, HWND tool, HWND plain, HWND child) {
    using wintree::FromHwnd;
    dock::SharedValues shared{FromHwnd(main), FromHwnd(tool), 0, 0, 0};
    dock::HookDesktop desktop;
    CWPSTRUCT cwp{0, 0, WM_USER + 77, plain};
    const double unhandled = BestPerCall(1000000, [&] {
        dock::HandleHookedMessage(shared, desktop, {cwp.message, cwp.wParam, FromHwnd(cwp.hwnd)});
    });
    const double nonChat = BestPerCall(20000, [&] {
        dock::HandleHookedMessage(shared, desktop, {WM_WINDOWPOSCHANGED, 0, FromHwnd(child)});
    });
    const double next = BestPerCall(20000, [&] {
        CallNextHookEx(nullptr, HC_ACTION, 0, reinterpret_cast<LPARAM>(&cwp));
    });
    std::printf("hook procedure itself (best of 3): unhandled message %.1f ns; "
                "WM_WINDOWPOSCHANGED of a non-chat child %.3f us; CallNextHookEx %.3f us; "
                "unhandled message in all %.3f us\n",
                unhandled * 1e9, nonChat * 1e6, next * 1e6, (unhandled + next) * 1e6);
}

}  // namespace

int wmain() {
    HMODULE lib = LoadLibraryW((Folder() + L"Mienko.dll").c_str());
    auto install = lib ? reinterpret_cast<InstallFn>(reinterpret_cast<void*>(GetProcAddress(lib, "InstallHook"))) : nullptr;
    auto uninstall = lib ? reinterpret_cast<UninstallFn>(reinterpret_cast<void*>(GetProcAddress(lib, "UninstallHook"))) : nullptr;
    if (!install || !uninstall) {
        std::puts("Mienko.dll or its exports missing");
        return 1;
    }
    const HWND main = Popup(L"Static", L"PeluQQ表情精灵", WS_POPUP | WS_VISIBLE, 900, 40, 250, 400);
    const HWND tool = Popup(L"Static", L"PeluQQ表情工具栏", WS_POPUP, 0, 0, 24, 96, main);
    const HWND plain = Popup(L"Static", L"plain", WS_POPUP, 0, 0, 50, 50);
    const HWND child = Popup(L"Button", L"child", WS_CHILD, 0, 0, 10, 10, plain);
    WINDOWPOS pos{};
    pos.hwnd = child;
    const int n = 20000;
    HookProcedureItself(main, tool, plain, child);

    for (int round = 0; round < 3; ++round) {
        const double base = PerMessage(plain, WM_USER + 77, 0, 0, n);
        const double baseChild = PerMessage(child, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos), n / 4);
        if (!install(GetCurrentThreadId(), main, tool)) {
            std::puts("InstallHook failed");
            return 1;
        }
        const double hooked = PerMessage(plain, WM_USER + 77, 0, 0, n);
        const double hookedChild = PerMessage(child, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos), n / 4);
        uninstall(main);
        // The system's own price of a WH_CALLWNDPROC hook: one that does nothing.
        HHOOK empty = SetWindowsHookExW(WH_CALLWNDPROC, EmptyHook, nullptr, GetCurrentThreadId());
        const double emptyHooked = PerMessage(plain, WM_USER + 77, 0, 0, n);
        UnhookWindowsHookEx(empty);
        std::printf("round %d: per unhandled message: no hook %.3f us, empty hook %.3f us, "
                    "Mienko %.3f us (Mienko - empty = %.3f us); WM_WINDOWPOSCHANGED of a "
                    "non-chat child: %.3f us more with Mienko\n",
                    round, base * 1e6, emptyHooked * 1e6, hooked * 1e6,
                    (hooked - emptyHooked) * 1e6, (hookedChild - baseChild) * 1e6);
    }
    ActivationToPosition(install, uninstall, main, tool);
    return 0;
}
