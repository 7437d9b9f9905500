#include "HookBinding_win.h"

namespace dock {

bool HookBinding::Load() {
    if (m_module) return true;
    m_module = LoadLibraryW(L"Mienko.dll");
    if (!m_module) return false;
    m_install = reinterpret_cast<InstallFn>(
        reinterpret_cast<void*>(GetProcAddress(m_module, "InstallHook")));
    m_uninstall = reinterpret_cast<UninstallFn>(
        reinterpret_cast<void*>(GetProcAddress(m_module, "UninstallHook")));
    return true;
}

bool HookBinding::Available() {
    return Load();
}

int HookBinding::Install(DWORD thread, HWND mainWindow, HWND toolbar) {
    if (!Load() || !m_install) return 0;
    return m_install(thread, mainWindow, toolbar);
}

int HookBinding::Uninstall(HWND mainWindow) {
    if (!Load() || !m_uninstall) return 0;
    return m_uninstall(mainWindow);
}

}  // namespace dock
