// Calls one export of SharedProbe.dll in a process of its own and exits with its result:
//   SharedProbeClient install MAIN TOOL | uninstall MAIN      (window handles in hex)
// Exit codes: the call's result (0/1), 2 bad arguments, 3 library or export missing.
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

HWND Handle(const wchar_t* hex) {
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(wcstoul(hex, nullptr, 16)));
}

std::wstring BesideMe(const wchar_t* file) {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return file;
    std::wstring dir(path, n);
    return dir.substr(0, dir.find_last_of(L'\\') + 1) + file;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    HMODULE dll = LoadLibraryW(BesideMe(L"SharedProbe.dll").c_str());
    if (!dll) return 3;
    using Install = BOOL(WINAPI*)(DWORD, HWND, HWND);
    using Uninstall = BOOL(WINAPI*)(HWND);
    const std::wstring verb = argv[1];
    if (verb == L"install" && argc == 4) {
        auto fn = reinterpret_cast<Install>(reinterpret_cast<void*>(GetProcAddress(dll, "InstallHook")));
        return fn ? (fn(GetCurrentThreadId(), Handle(argv[2]), Handle(argv[3])) ? 1 : 0) : 3;
    }
    if (verb == L"uninstall" && argc == 3) {
        auto fn = reinterpret_cast<Uninstall>(reinterpret_cast<void*>(GetProcAddress(dll, "UninstallHook")));
        return fn ? (fn(Handle(argv[2])) ? 1 : 0) : 3;
    }
    return 2;
}
