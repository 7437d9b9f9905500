#include "Module_win.h"

namespace webimport {
namespace {

// Process-wide by nature: COM asks the DLL, not an object, whether it may unload.
struct ModuleState {
    HINSTANCE instance = nullptr;
    volatile LONG locks = 0;
};
ModuleState g_module;

}  // namespace

void ModuleSetHandle(HINSTANCE instance) {
    g_module.instance = instance;
}

HINSTANCE ModuleHandle() {
    return g_module.instance;
}

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(g_module.instance, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
}

void ModuleLock() {
    InterlockedIncrement(&g_module.locks);
}

void ModuleUnlock() {
    InterlockedDecrement(&g_module.locks);
}

bool ModuleInUse() {
    return InterlockedCompareExchange(&g_module.locks, 0, 0) != 0;
}

}  // namespace webimport
