// SharedProbe.dll: built the way Mienko.dll is (.def exports, stdcall, a shared data
// section), holding what the two processes share so tests can watch it from both sides.
#include <windows.h>

namespace {

struct Shared {
    HWND hWndMain;
    HWND hWndTool;
};

}  // namespace

// One copy for every process that maps the library.
Shared g_shared __attribute__((section(".shared"), shared)) = {};

// Nonzero when this call installed; 0 when some process already did.
extern "C" BOOL WINAPI InstallHook(DWORD, HWND mainWindow, HWND toolbar) {
    if (g_shared.hWndMain) return FALSE;
    g_shared.hWndTool = toolbar;
    g_shared.hWndMain = mainWindow;
    return TRUE;
}

// Nonzero when mainWindow is the one some process installed with.
extern "C" BOOL WINAPI UninstallHook(HWND mainWindow) {
    if (!mainWindow || mainWindow != g_shared.hWndMain) return FALSE;
    g_shared.hWndMain = nullptr;
    g_shared.hWndTool = nullptr;
    return TRUE;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
