#include <winsock2.h>
#include <ws2tcpip.h>

#include "WebImportKit_win.h"

#include <wininet.h>

#include <algorithm>

#include "TestKit.h"

namespace webkit {
namespace {

using testkit::Narrow;
using testkit::Wide;

// A 1x1 GIF.
const unsigned char kGif[] = {0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00,
                              0xff, 0x00, 0x00, 0x00, 0x00, 0x00, 0x21, 0xf9, 0x04, 0x01, 0x00, 0x00, 0x00,
                              0x00, 0x2c, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02,
                              0x44, 0x01, 0x00, 0x3b};

void Answer(SOCKET s) {
    std::string request;
    char buf[1024];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
        const int n = recv(s, buf, sizeof buf, 0);
        if (n <= 0) return;
        request.append(buf, static_cast<size_t>(n));
    }
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Type: image/gif\r\nContent-Length: " +
                             std::to_string(sizeof kGif) +
                             "\r\nCache-Control: max-age=3600\r\nConnection: close\r\n\r\n";
    std::string reply = head + std::string(reinterpret_cast<const char*>(kGif), sizeof kGif);
    send(s, reply.data(), static_cast<int>(reply.size()), 0);
    shutdown(s, SD_SEND);
}

}  // namespace

PictureServer::PictureServer() {
    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return;
    m_listen = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int len = sizeof addr;
    if (m_listen == INVALID_SOCKET || bind(m_listen, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
        listen(m_listen, 8) != 0 || getsockname(m_listen, reinterpret_cast<sockaddr*>(&addr), &len) != 0)
        return;
    m_port = ntohs(addr.sin_port);
    m_thread = std::thread([this] { Serve(); });
}

PictureServer::~PictureServer() {
    m_stop = true;
    if (m_listen != INVALID_SOCKET) closesocket(m_listen);
    if (m_thread.joinable()) m_thread.join();
    WSACleanup();
}

void PictureServer::Serve() {
    while (!m_stop) {
        const SOCKET s = accept(m_listen, nullptr, nullptr);
        if (s == INVALID_SOCKET) return;
        ++m_requests;
        Answer(s);
        closesocket(s);
    }
}

std::string PictureServer::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

std::string FetchIntoCache(const std::string& url) {
    const HINTERNET net = InternetOpenW(L"webimport-test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!net) return {};
    const HINTERNET req = InternetOpenUrlW(net, Wide(url).c_str(), nullptr, 0, INTERNET_FLAG_RELOAD, 0);
    if (req) {
        char buf[4096];
        DWORD n = 0;
        while (InternetReadFile(req, buf, sizeof buf, &n) && n > 0) {
        }
        InternetCloseHandle(req);
    }
    InternetCloseHandle(net);
    DWORD size = 0;
    GetUrlCacheEntryInfoW(Wide(url).c_str(), nullptr, &size);
    if (size == 0) return {};
    std::vector<INTERNET_CACHE_ENTRY_INFOW> entry(size / sizeof(INTERNET_CACHE_ENTRY_INFOW) + 1);
    if (!GetUrlCacheEntryInfoW(Wide(url).c_str(), entry.data(), &size)) return {};
    return Narrow(entry[0].lpszLocalFileName ? entry[0].lpszLocalFileName : L"");
}

std::string FetchIntoCacheAs(const std::string& url, const std::string& ext) {
    const std::wstring wurl = Wide(url), wext = Wide(ext);
    std::string body;
    const HINTERNET net = InternetOpenW(L"webimport-test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!net) return {};
    const HINTERNET req = InternetOpenUrlW(net, wurl.c_str(), nullptr, 0,
                                           INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0);
    if (req) {
        char buf[4096];
        DWORD n = 0;
        while (InternetReadFile(req, buf, sizeof buf, &n) && n > 0) body.append(buf, n);
        InternetCloseHandle(req);
    }
    InternetCloseHandle(net);
    if (body.empty()) return {};
    wchar_t file[MAX_PATH] = {};
    if (!CreateUrlCacheEntryW(wurl.c_str(), static_cast<DWORD>(body.size()), wext.c_str(), file, 0)) return {};
    const HANDLE f = CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return {};
    DWORD written = 0;
    WriteFile(f, body.data(), static_cast<DWORD>(body.size()), &written, nullptr);
    CloseHandle(f);
    FILETIME never{};
    if (!CommitUrlCacheEntryW(wurl.c_str(), file, never, never, NORMAL_CACHE_ENTRY, nullptr, 0, wext.c_str(),
                              nullptr))
        return {};
    return Narrow(file);
}

EditorStandIn::EditorStandIn() {
    // A bare dialog template: "#32770" is the class every dialog gets.
    struct {
        DLGTEMPLATE t;
        WORD menu, cls, title;
    } tpl{};
    tpl.t.style = WS_POPUP | WS_CAPTION;
    tpl.t.cx = 100;
    tpl.t.cy = 40;
    m_hwnd = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &tpl.t, nullptr, Proc,
                                        reinterpret_cast<LPARAM>(this));
    if (m_hwnd) SetWindowTextW(m_hwnd, L"PeluQQ表情编辑器");
}

EditorStandIn::~EditorStandIn() {
    if (m_hwnd) DestroyWindow(m_hwnd);
}

INT_PTR CALLBACK EditorStandIn::Proc(HWND hwnd, UINT msg, WPARAM, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lp);
        return TRUE;
    }
    auto* self = reinterpret_cast<EditorStandIn*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (msg == WM_COPYDATA && self) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        self->received.emplace_back(static_cast<const char*>(data->lpData), data->cbData);
        self->dataIds.push_back(data->dwData);
        SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    return FALSE;
}

int RunPumping(const std::string& commandLine, DWORD timeoutMs) {
    std::wstring cmd = Wide(commandLine);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    CloseHandle(pi.hThread);
    const bool ended = testkit::WaitUntil([&] { return WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; },
                                          std::chrono::milliseconds(timeoutMs));
    DWORD code = static_cast<DWORD>(-1);
    if (ended)
        GetExitCodeProcess(pi.hProcess, &code);
    else
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    return ended ? static_cast<int>(code) : -1;
}

std::string SystemDir() {
    wchar_t dir[MAX_PATH];
    const UINT n = GetSystemDirectoryW(dir, MAX_PATH);
    return Narrow(std::wstring(dir, n < MAX_PATH ? n : 0));
}

std::string AgentPath() {
    return testkit::AppDir() + "\\MienkoAgent.dll";
}

int Regsvr32(bool unregister) {
    return RunPumping("\"" + SystemDir() + "\\regsvr32.exe\" /s " + (unregister ? "/u " : "") + "\"" +
                      AgentPath() + "\"");
}

std::string ToAnsi(const std::string& utf8) {
    const std::wstring w = Wide(utf8);
    if (w.empty()) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
    return s;
}

bool KeyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, Wide(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::vector<std::string> SubkeyNames(const std::string& path) {
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, Wide(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD len = 256;
        if (RegEnumKeyExW(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.push_back(Narrow(std::wstring(name, len)));
    }
    RegCloseKey(key);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> ValuesOf(const std::string& path) {
    std::vector<std::string> values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, Wide(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLen = 256, type = 0, size = 0;
        std::vector<BYTE> data(4096);
        size = static_cast<DWORD>(data.size());
        if (RegEnumValueW(key, i, name, &nameLen, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) break;
        std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
        if (!text.empty() && text.back() == L'\0') text.pop_back();
        const std::string n = nameLen ? Narrow(std::wstring(name, nameLen)) : "@";
        values.push_back(n + "=" + (type == REG_SZ ? Narrow(text) : "<type " + std::to_string(type) + ">"));
    }
    RegCloseKey(key);
    std::sort(values.begin(), values.end());
    return values;
}

}  // namespace webkit
