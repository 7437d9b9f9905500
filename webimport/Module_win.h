// The DLL's own state, which COM's unload protocol needs: its handle and the count of
// live objects and server locks (DllCanUnloadNow).
#pragma once
#include <windows.h>

#include <string>

namespace webimport {

void ModuleSetHandle(HINSTANCE instance);
HINSTANCE ModuleHandle();
std::wstring ModulePath();  // full path of this DLL

void ModuleLock();
void ModuleUnlock();
bool ModuleInUse();

// Counts one live object for as long as it exists.
class ModuleRef {
public:
    ModuleRef() { ModuleLock(); }
    ~ModuleRef() { ModuleUnlock(); }
    ModuleRef(const ModuleRef&) = delete;
    ModuleRef& operator=(const ModuleRef&) = delete;
};

}  // namespace webimport
