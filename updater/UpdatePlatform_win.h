// The Win32 side of the update services: the UDP exchange with the update server (Winsock),
// the registry values under "Software\Pelux\AppUpdate", the clock, downloads through
// CMyHttp and program starts through ShellExecute.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <string>

#include "MyHttp_win.h"
#include "UpdateServices.h"

namespace update {

constexpr const char* kUpdateKey = "Software\\Pelux\\AppUpdate";

// The update server's address, resolved once; an unresolved server leaves every exchange
// to time out.
class UdpClient : public UdpExchange {
public:
    UdpClient();
    ~UdpClient() override;
    UdpClient(const UdpClient&) = delete;
    UdpClient& operator=(const UdpClient&) = delete;

    // The two names are tried in order; the second replaces a first that resolves to a
    // loopback or 192.* address.
    void Resolve(const std::string& first, const std::string& second, uint16_t port);
    bool HasAddress() const { return m_hasAddress; }
    std::optional<Bytes> Exchange(const Bytes& request, uint32_t timeoutMs) override;

private:
    bool m_started = false;
    SOCKET m_socket = INVALID_SOCKET;
    sockaddr_in m_server{};
    bool m_hasAddress = false;
};

// The names and port the updater asks: the "ServerHost"/"ServerPort" values when present,
// else the shipped ones.
struct ServerChoice {
    std::string first, second;
    uint16_t port;
};
ServerChoice ChooseServer();

class RegistryStore : public UpdateStore {
public:
    uint32_t ReadDword(const char* name) override;
    bool WriteDword(const char* name, uint32_t value) override;
    std::string ReadCid() override;
    bool WriteCid(const std::string& cid) override;
};

// The stored CID, or a new one (stored at once) when it is missing or empty.
std::string EnsureCid(UpdateStore& store);

class SystemClock : public Clock {
public:
    uint64_t NowSeconds() override;
};

class ShellLauncher : public Launcher {
public:
    void Open(const std::string& file, const std::string& params) override;
};

// Downloads through a CMyHttp whose callback and context the caller set up.
class HttpDownloader : public Downloader {
public:
    explicit HttpDownloader(CMyHttp& http) : m_http(http) {}
    DownloadResult Download(const std::string& url, int row, const std::string& directory) override;

private:
    CMyHttp& m_http;
};

}  // namespace update
