#include "Siblings_win.h"

#include <shellapi.h>

#include <ctime>

#include "CommandLine.h"
#include "winfx/App.h"
#include "winfx/Registry.h"
#include "winfx/Wide.h"

namespace {

constexpr const char* kUpdateKey = "Software\\Pelux\\AppUpdate";
// A per-user program cannot write the machine-wide class root; the user's own classes
// key is merged into it for this user.
constexpr const char* kLinkKey = "Software\\Classes\\mienko";
constexpr DWORD kAppVersion = 101;

void Open(const std::string& file, const std::string& params) {
    ShellExecuteW(nullptr, L"open", winfx::ToWide(file).c_str(),
                  params.empty() ? nullptr : winfx::ToWide(params).c_str(), nullptr, SW_SHOWNORMAL);
}

}  // namespace

std::string ProgramDir() {
    const std::string path = winfx::ModuleFileName();
    return path.substr(0, path.rfind('\\') + 1);
}

void LaunchEditor(const std::string& programDir, const std::string& params) {
    Open(programDir + ".\\Tessel.exe", params);
}

void LaunchUpdater(const std::string& programDir, const std::string& params) {
    Open(programDir + "\\Volte.exe", params);
}

DWORD ReadUpdateValue(const char* name) {
    winfx::UniqueKey key = winfx::KeyOpen(HKEY_CURRENT_USER, kUpdateKey, KEY_READ);
    if (!key) return 0;
    return winfx::KeyGetDword(key.Get(), name).value_or(0);
}

bool WriteUpdateValue(const char* name, DWORD value) {
    winfx::UniqueKey key = winfx::KeyCreate(HKEY_CURRENT_USER, kUpdateKey, KEY_WRITE);
    return key && winfx::KeySetDword(key.Get(), name, value);
}

void RunUpdateCheck(const std::string& programDir) {
    if (ReadUpdateValue("AppVer") != kAppVersion) WriteUpdateValue("AppVer", kAppVersion);
    cmdline::UpdateValues v;
    v.nextUpdate = ReadUpdateValue("NextUpdate");
    v.faceFlag = ReadUpdateValue("NextFaceUpdateFlag");
    v.nextFaceUpdate = ReadUpdateValue("NextFaceUpdate");
    v.lastFaceUpdate = ReadUpdateValue("LastFaceUpdate");
    switch (cmdline::DueUpdate(static_cast<int64_t>(std::time(nullptr)), v)) {
        case cmdline::UpdateLaunch::Program: LaunchUpdater(programDir, "-upgrade -s"); break;
        case cmdline::UpdateLaunch::Faces: LaunchUpdater(programDir, "-FaceUpdate"); break;
        case cmdline::UpdateLaunch::None: break;
    }
}

void RegisterLinkProtocol(const std::string& programDir) {
    HKEY raw = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, winfx::ToWide(kLinkKey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &raw, &disposition) != ERROR_SUCCESS)
        return;
    winfx::UniqueKey key(raw);
    if (disposition == REG_OPENED_EXISTING_KEY) return;  // registered once, never changed
    const std::string handler = programDir + "\\Volte.exe";
    const std::string description = "URL:Pelumo Download";
    winfx::KeySetString(key.Get(), "", description);
    const bool isUrl = description.rfind("URL:", 0) == 0;
    if (isUrl) winfx::KeySetString(key.Get(), "URL Protocol", "");
    if (winfx::UniqueKey icon = winfx::KeyCreate(key.Get(), "DefaultIcon"))
        winfx::KeySetString(icon.Get(), "", "\"" + handler + "\",-128");
    if (winfx::UniqueKey command = winfx::KeyCreate(key.Get(), "shell\\open\\command"))
        winfx::KeySetString(command.Get(), "", "\"" + handler + "\" \"%" + (isUrl ? "L" : "1") + "\"");
}

void ClearFaceCache(const std::string& programDir) {
    const std::wstring dir = winfx::ToWide(programDir + "\\face\\");
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((dir + L"*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (fd.cFileName[0] == L'.') continue;
        DeleteFileW((dir + fd.cFileName).c_str());
    } while (FindNextFileW(find, &fd));
    FindClose(find);
}

std::string AnsiToUtf8(const std::string& ansi) {
    if (ansi.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), w.data(), n);
    return winfx::ToUtf8(w);
}

std::string Utf8ToAnsi(const std::string& utf8) {
    const std::wstring w = winfx::ToWide(utf8);
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}
