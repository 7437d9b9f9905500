// Mienko.dll: follows the messenger's chat windows from inside its process. The main program
// installs a WH_CALLWNDPROC hook on the messenger's thread; the five values both processes
// need live in one shared section.
#include <windows.h>

#include "ChatHook.h"
#include "HookDesktop_win.h"

namespace {

using wintree::FromHwnd;
using wintree::ToHwnd;

// Installing process only: the hook handle (null inside the messenger) and our module.
HHOOK g_hook = nullptr;
HINSTANCE g_module = nullptr;

}  // namespace

// One copy for every process that maps the library, zero at first load.
dock::SharedValues g_shared __attribute__((section(".shared"), shared)) = {};

namespace {

LRESULT CALLBACK CallWndProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && lParam) {
        const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
        try {
            dock::HookDesktop desktop;
            dock::HandleHookedMessage(g_shared, desktop,
                                      {cwp->message, cwp->wParam, FromHwnd(cwp->hwnd)});
        } catch (...) {
            // Nothing may unwind into the messenger.
        }
    }
    return CallNextHookEx(g_hook, code, wParam, lParam);
}

}  // namespace

extern "C" int WINAPI UninstallHook(HWND mainWindow) {
    if (!mainWindow || FromHwnd(mainWindow) != g_shared.hWndMain) return 0;
    // Only the installing process holds the handle; elsewhere there is nothing to remove.
    if (!g_hook || !UnhookWindowsHookEx(g_hook)) return 0;
    g_hook = nullptr;
    g_shared.hWndMain = 0;
    g_shared.hWndTool = 0;
    return 1;
}

extern "C" int WINAPI InstallHook(DWORD threadId, HWND mainWindow, HWND toolbar) {
    // A main window that no longer exists belongs to a program that died without removing
    // its hook (the system removed it with the thread): that installation is over.
    if (g_shared.hWndMain && IsWindow(ToHwnd(g_shared.hWndMain))) return 0;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, CallWndProc, g_module, threadId);
    if (!hook) return 0;
    g_hook = hook;
    g_shared.hWndTool = FromHwnd(toolbar);
    g_shared.hWndMain = FromHwnd(mainWindow);
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = module;
        DisableThreadLibraryCalls(module);
    } else if (reason == DLL_PROCESS_DETACH && g_shared.hWndMain) {
        UninstallHook(ToHwnd(g_shared.hWndMain));
    }
    return TRUE;
}
