// Mienko.dll: follows the messenger's chat windows from inside its process.
#include <windows.h>

extern "C" BOOL WINAPI InstallHook(HWND, DWORD) {
    return FALSE;
}

extern "C" BOOL WINAPI UninstallHook() {
    return TRUE;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
