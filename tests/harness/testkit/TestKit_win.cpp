#include "TestKit.h"

#include <windows.h>

#include <fstream>
#include <sstream>
#include <vector>

namespace testkit {

std::wstring Wide(const std::string& s) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

std::string Narrow(const std::wstring& w) {
    if (w.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr,
                        nullptr);
    return s;
}

std::string Env(const char* name) {
    std::wstring wname = Wide(name);
    DWORD n = GetEnvironmentVariableW(wname.c_str(), nullptr, 0);
    if (n == 0) return {};
    std::wstring v(n, L'\0');
    n = GetEnvironmentVariableW(wname.c_str(), v.data(), n);
    v.resize(n);
    return Narrow(v);
}

std::string AppDir() { return Env("FACELIB_APPDIR"); }
std::string RunDir() { return Env("FACELIB_RUNDIR"); }

std::string SourcePath(const std::string& rel) {
    std::string p = Env("FACELIB_SOURCE") + "\\" + rel;
    for (char& c : p)
        if (c == '/') c = '\\';
    return p;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(Wide(path).c_str(), std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

int TimeScale() {
    const std::string v = Env("FACELIB_TIME_SCALE");
    int n = 0;
    for (char c : v) {
        if (c < '0' || c > '9' || n > 100) return 1;
        n = n * 10 + (c - '0');
    }
    return n < 1 ? 1 : n;
}

std::chrono::milliseconds Scaled(std::chrono::milliseconds native) {
    return native * TimeScale();
}

unsigned long ScaledMs(unsigned long nativeMs) {
    return nativeMs * static_cast<unsigned long>(TimeScale());
}

bool WaitUntil(const std::function<bool()>& cond, std::chrono::milliseconds timeout,
               std::chrono::milliseconds step) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(Scaled(timeout).count());
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (cond()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(static_cast<DWORD>(step.count()));
    }
}

bool Screenshot(const std::string& name, std::chrono::milliseconds timeout) {
    const std::string run = RunDir();
    if (run.empty()) return false;
    const std::string req = run + "\\shot\\" + name + ".req";
    {
        std::ofstream f(Wide(req).c_str());
        if (!f) return false;
    }
    return WaitUntil([&] { return !FileExists(req); }, timeout, std::chrono::milliseconds(50));
}

}  // namespace testkit
