#include "UpdaterKit_win.h"

#include <commctrl.h>

#include <optional>
#include <sstream>

#include "TestKit.h"

using testkit::Wide;

namespace updkit {
namespace {

constexpr const wchar_t* kUpdateKey = L"Software\\Pelux\\AppUpdate";

std::vector<uint8_t> FromHex(const std::string& hex) {
    std::vector<uint8_t> out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) out.push_back(static_cast<uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
    return out;
}

void WriteText(const std::string& path, const std::string& text) {
    HANDLE f = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
}

HANDLE Start(const std::string& exe, const std::string& params, const std::string& folder) {
    std::wstring cmd = L"\"" + Wide(exe) + L"\" " + Wide(params);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(Wide(exe).c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : Wide(folder).c_str(), &si, &pi))
        return nullptr;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

}  // namespace

Server::Server(const std::string& exeDir, const std::string& config) {
    static int serial = 0;
    m_dir = testkit::RunDir() + "\\server" + std::to_string(++serial);
    CreateDirectoryW(Wide(m_dir).c_str(), nullptr);
    WriteText(m_dir + "\\config.txt", config);
    const std::string params = "--config \"" + m_dir + "\\config.txt\" --ports \"" + m_dir + "\\ports.txt\" --log \"" + m_dir + "\\log.txt\"";
    m_process = Start(exeDir + "\\UpdServer.exe", params, m_dir);
    if (!m_process) return;
    testkit::WaitUntil([this] {
        const std::string ports = ReadText(m_dir + "\\ports.txt");
        unsigned udp = 0, http = 0;
        if (sscanf(ports.c_str(), "udp=%u\nhttp=%u", &udp, &http) != 2) return false;
        m_udpPort = static_cast<uint16_t>(udp);
        m_httpPort = static_cast<uint16_t>(http);
        return true;
    }, std::chrono::seconds(30));
}

Server::~Server() {
    if (!m_process) return;
    TerminateProcess(m_process, 0);
    WaitForSingleObject(m_process, 5000);
    CloseHandle(m_process);
}

std::string Server::HttpBase() const { return "http://127.0.0.1:" + std::to_string(m_httpPort); }

void Server::Reconfigure(const std::string& config) {
    WriteText(m_dir + "\\config.tmp", config);
    MoveFileExW(Wide(m_dir + "\\config.tmp").c_str(), Wide(m_dir + "\\config.txt").c_str(), MOVEFILE_REPLACE_EXISTING);
}

std::vector<std::vector<uint8_t>> Server::Requests(const std::string& kind) const {
    std::vector<std::vector<uint8_t>> out;
    for (const std::string& line : Lines(ReadText(m_dir + "\\log.txt")))
        if (line.rfind(kind + " ", 0) == 0) out.push_back(FromHex(line.substr(kind.size() + 1)));
    return out;
}

void ClearRegistry() { RegDeleteTreeW(HKEY_CURRENT_USER, kUpdateKey); }

void PrepareRegistry(uint16_t udpPort, long appVer) {
    ClearRegistry();
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kUpdateKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) return;
    const wchar_t host[] = L"127.0.0.1";
    RegSetValueExW(key, L"ServerHost", 0, REG_SZ, reinterpret_cast<const BYTE*>(host), sizeof host);
    const DWORD port = udpPort;
    RegSetValueExW(key, L"ServerPort", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&port), sizeof port);
    if (appVer >= 0) {
        const DWORD v = static_cast<DWORD>(appVer);
        RegSetValueExW(key, L"AppVer", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
    }
    RegCloseKey(key);
}

std::optional<DWORD> ReadUpdateDword(const char* name) {
    DWORD value = 0, size = sizeof value, type = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kUpdateKey, Wide(name).c_str(), RRF_RT_ANY, &type, &value, &size) != ERROR_SUCCESS ||
        type != REG_DWORD)
        return std::nullopt;
    return value;
}

HANDLE StartVolte(const std::string& params) {
    return Start(testkit::AppDir() + "\\Volte.exe", params, testkit::AppDir());
}

bool WaitExit(HANDLE process, std::chrono::milliseconds timeout) {
    return testkit::WaitUntil([process] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, timeout);
}

HWND FindDialog(const std::string& title) { return FindWindowW(L"#32770", Wide(title).c_str()); }

HWND WaitDialog(const std::string& title, std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    testkit::WaitUntil([&] {
        found = FindDialog(title);
        return found && IsWindowVisible(found);
    }, timeout);
    return found && IsWindowVisible(found) ? found : nullptr;
}

std::string WindowText(HWND window) {
    wchar_t text[512] = {};
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
    return testkit::Narrow(text);
}

std::string MessageText(HWND box) {
    HWND text = GetDlgItem(box, 0xFFFF);
    return text ? WindowText(text) : std::string();
}

// The item structure and its text buffer live in the list's process.
std::string ListCell(HWND list, int row, int column) {
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return {};
    constexpr int kChars = 260;
    auto* remote = static_cast<BYTE*>(VirtualAllocEx(process, nullptr, sizeof(LVITEMW) + kChars * sizeof(wchar_t),
                                                     MEM_COMMIT, PAGE_READWRITE));
    std::string result;
    if (remote) {
        LVITEMW item{};
        item.iSubItem = column;
        item.cchTextMax = kChars;
        item.pszText = reinterpret_cast<wchar_t*>(remote + sizeof(LVITEMW));
        WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
        DWORD_PTR n = 0;
        SendMessageTimeoutW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote),
                            SMTO_ABORTIFHUNG, 5000, &n);
        wchar_t text[kChars] = {};
        ReadProcessMemory(process, remote + sizeof(LVITEMW), text, sizeof text - sizeof(wchar_t), nullptr);
        result = testkit::Narrow(text);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return result;
}

int ListRows(HWND list) {
    DWORD_PTR n = 0;
    SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &n);
    return static_cast<int>(n);
}

std::string ReadText(const std::string& path) { return testkit::ReadFile(path); }

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) out.push_back(line);
    }
    return out;
}

}  // namespace updkit
