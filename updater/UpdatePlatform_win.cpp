#include "UpdatePlatform_win.h"

#include <objbase.h>
#include <shellapi.h>

#include <ctime>

#include "UpdateCid.h"
#include "UpdateServer.h"
#include "winfx/Registry.h"
#include "winfx/Wide.h"

namespace update {

UdpClient::UdpClient() {
    WSADATA data;
    m_started = WSAStartup(MAKEWORD(1, 1), &data) == 0;
    if (!m_started) return;
    m_socket = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    u_long nonBlocking = 1;
    if (m_socket != INVALID_SOCKET) ioctlsocket(m_socket, FIONBIO, &nonBlocking);
}

UdpClient::~UdpClient() {
    if (m_socket != INVALID_SOCKET) closesocket(m_socket);
    if (m_started) WSACleanup();
}

namespace {

bool FirstAddress(const std::string& name, in_addr& out) {
    if (name.empty()) return false;
    const hostent* host = gethostbyname(name.c_str());
    if (!host || host->h_addrtype != AF_INET || !host->h_addr_list || !host->h_addr_list[0]) return false;
    memcpy(&out, host->h_addr_list[0], sizeof out);
    return true;
}

}  // namespace

void UdpClient::Resolve(const std::string& first, const std::string& second, uint16_t port) {
    if (!m_started) return;
    in_addr address{};
    if (!FirstAddress(first, address)) return;
    if (PreferSecondServer(inet_ntoa(address))) {
        in_addr other{};
        if (FirstAddress(second, other)) address = other;
    }
    m_server.sin_family = AF_INET;
    m_server.sin_addr = address;
    m_server.sin_port = htons(port);
    m_hasAddress = true;
}

std::optional<Bytes> UdpClient::Exchange(const Bytes& request, uint32_t timeoutMs) {
    if (m_socket == INVALID_SOCKET) return std::nullopt;
    const ULONGLONG start = GetTickCount64();
    if (m_hasAddress)
        sendto(m_socket, reinterpret_cast<const char*>(request.data()), static_cast<int>(request.size()), 0,
               reinterpret_cast<const sockaddr*>(&m_server), sizeof m_server);
    char buffer[kMaxDatagram];
    while (GetTickCount64() - start < timeoutMs) {
        sockaddr_in from{};
        int fromLength = sizeof from;
        const int n = recvfrom(m_socket, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
        // Only the server's own answer counts; errors (a refused port) keep the wait going.
        if (n > 0 && from.sin_addr.s_addr == m_server.sin_addr.s_addr && from.sin_port == m_server.sin_port)
            return Bytes(buffer, buffer + n);
        Sleep(10);
    }
    return std::nullopt;
}

ServerChoice ChooseServer() {
    ServerChoice choice{DecodeServerName(kStoredServerNames[0]), DecodeServerName(kStoredServerNames[1]), kServerPort};
    const winfx::UniqueKey key = winfx::KeyOpen(HKEY_CURRENT_USER, kUpdateKey, KEY_READ);
    if (!key) return choice;
    if (auto host = winfx::KeyGetString(key.Get(), kValueServerHost); host && !host->empty()) {
        choice.first = *host;
        choice.second = *host;
    }
    if (auto port = winfx::KeyGetDword(key.Get(), kValueServerPort); port && *port > 0 && *port < 65536)
        choice.port = static_cast<uint16_t>(*port);
    return choice;
}

uint32_t RegistryStore::ReadDword(const char* name) {
    const winfx::UniqueKey key = winfx::KeyOpen(HKEY_CURRENT_USER, kUpdateKey, KEY_READ);
    if (!key) return 0;
    return winfx::KeyGetDword(key.Get(), name).value_or(0);
}

bool RegistryStore::WriteDword(const char* name, uint32_t value) {
    const winfx::UniqueKey key = winfx::KeyCreate(HKEY_CURRENT_USER, kUpdateKey, KEY_WRITE);
    return key && winfx::KeySetDword(key.Get(), name, value);
}

std::string RegistryStore::ReadCid() {
    const winfx::UniqueKey key = winfx::KeyOpen(HKEY_CURRENT_USER, kUpdateKey, KEY_READ);
    if (!key) return {};
    DWORD type = 0;
    if (RegQueryValueExW(key.Get(), winfx::ToWide(kValueCid).c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS ||
        type != REG_SZ)
        return {};
    return winfx::KeyGetString(key.Get(), kValueCid).value_or("");
}

bool RegistryStore::WriteCid(const std::string& cid) {
    const winfx::UniqueKey key = winfx::KeyCreate(HKEY_CURRENT_USER, kUpdateKey, KEY_WRITE);
    return key && winfx::KeySetString(key.Get(), kValueCid, cid);
}

std::string EnsureCid(UpdateStore& store) {
    std::string cid = store.ReadCid();
    if (!cid.empty()) return cid;
    GUID g{};
    if (FAILED(CoCreateGuid(&g))) return {};
    Guid guid;
    guid.data1 = g.Data1;
    guid.data2 = g.Data2;
    guid.data3 = g.Data3;
    std::copy(g.Data4, g.Data4 + 8, guid.data4);
    cid = FormatCid(guid);
    store.WriteCid(cid);
    return cid;
}

uint64_t SystemClock::NowSeconds() { return static_cast<uint64_t>(std::time(nullptr)); }

void ShellLauncher::Open(const std::string& file, const std::string& params) {
    ShellExecuteW(nullptr, L"open", winfx::ToWide(file).c_str(), params.empty() ? nullptr : winfx::ToWide(params).c_str(),
                  nullptr, SW_SHOW);
}

DownloadResult HttpDownloader::Download(const std::string& url, int row, const std::string& directory) {
    DownloadResult result;
    result.started = m_http.Download(url.c_str(), row, nullptr, directory.c_str()) == 1;
    result.complete = result.started && m_http.LastComplete();
    result.path = m_http.LocalPath();
    return result;
}

}  // namespace update
