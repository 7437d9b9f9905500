// RecStub.exe: records how it was started (see RecStubProtocol.h).
#include <windows.h>

#include <string>

#include "CommandLineTail.h"
#include "RecStubProtocol.h"

namespace recstub {
namespace {

std::string Utf8(const std::wstring& w) {
    if (w.empty()) return {};
    const int size = static_cast<int>(w.size());
    int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), size, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, w.data(), size, s.data(), n, nullptr, nullptr);
    return s;
}

std::wstring Env(const wchar_t* name) {
    DWORD n = GetEnvironmentVariableW(name, nullptr, 0);
    if (n == 0) return {};
    std::wstring v(n, L'\0');
    n = GetEnvironmentVariableW(name, v.data(), n);
    v.resize(n);
    return v;
}

std::wstring OwnPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::wstring CurrentDir() {
    DWORD n = GetCurrentDirectoryW(0, nullptr);
    std::wstring dir(n, L'\0');
    n = GetCurrentDirectoryW(n, dir.data());
    dir.resize(n);
    return dir;
}

bool Append(const std::wstring& path, const std::string& line) {
    HANDLE f = CreateFileW(path.c_str(), FILE_APPEND_DATA,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    // One write per line: stubs started together never interleave inside a line.
    const bool ok = WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                    written == text.size();
    CloseHandle(f);
    return ok;
}

int Run() {
    const std::wstring own = OwnPath();
    const size_t slash = own.find_last_of(L'\\');
    const std::wstring folder = slash == std::wstring::npos ? L"." : own.substr(0, slash);
    std::wstring name = slash == std::wstring::npos ? own : own.substr(slash + 1);
    const size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos) name.resize(dot);

    std::wstring dir = Env(L"RECSTUB_DIR");
    if (dir.empty()) dir = folder;
    if (dir.back() != L'\\') dir += L'\\';

    const std::string commandLine = Utf8(GetCommandLineW());
    const std::string args(ArgumentsOf(commandLine));
    bool ok = Append(dir + name + L".cmdline.txt", args);
    ok = Append(dir + name + L".launch.txt",
                "cmdline=" + commandLine + "\tcwd=" + Utf8(CurrentDir())) && ok;

    const std::wstring linger = Env(L"RECSTUB_LINGER_MS");
    if (!linger.empty()) {
        unsigned long ms = wcstoul(linger.c_str(), nullptr, 10);
        Sleep(ms > kMaxLingerMs ? kMaxLingerMs : static_cast<DWORD>(ms));
    }
    return ok ? 0 : 1;
}

}  // namespace
}  // namespace recstub

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        return recstub::Run();
    } catch (...) {
        return 1;
    }
}
