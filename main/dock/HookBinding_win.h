// The main program's binding to Mienko.dll: found by the ordinary library search (in practice
// the program folder), its two exports looked up by name. Loaded at the first call and kept
// for the life of the process, like every later load would have been.
#pragma once
#include <windows.h>

namespace dock {

class HookBinding {
public:
    // 0 when the library or the export is missing, else what the export returns.
    int Install(DWORD thread, HWND mainWindow, HWND toolbar);
    int Uninstall(HWND mainWindow);
    bool Available();

private:
    using InstallFn = int(WINAPI*)(DWORD, HWND, HWND);
    using UninstallFn = int(WINAPI*)(HWND);
    bool Load();

    HMODULE m_module = nullptr;  // never freed: the hook procedure lives in it
    InstallFn m_install = nullptr;
    UninstallFn m_uninstall = nullptr;
};

}  // namespace dock
