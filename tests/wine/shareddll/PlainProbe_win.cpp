// PlainProbe.dll: how a hook library comes out when the .def file and the shared attribute
// are forgotten. The layout check must refuse it.
#include <windows.h>

HWND g_hWndMain = nullptr;   // per process: not shared

extern "C" __declspec(dllexport) BOOL WINAPI InstallHook(DWORD, HWND mainWindow, HWND) {
    g_hWndMain = mainWindow;
    return TRUE;
}

extern "C" __declspec(dllexport) BOOL WINAPI UninstallHook(HWND) {
    return TRUE;
}
