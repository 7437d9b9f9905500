// Test side of the updater: the reference update server as a child process, the updater
// started the way the other programs start it, and reading its window from outside.
#pragma once
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace updkit {

// UpdServer.exe on 127.0.0.1 with free ports; stopped (its process ended) by the destructor.
class Server {
public:
    // exeDir: where UpdServer.exe is; config: ServerConfig.h text ("{http}" allowed).
    Server(const std::string& exeDir, const std::string& config);
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    bool Running() const { return m_udpPort != 0; }
    uint16_t UdpPort() const { return m_udpPort; }
    uint16_t HttpPort() const { return m_httpPort; }
    std::string HttpBase() const;  // "http://127.0.0.1:PORT"
    // Replaces the answers; the server reads them again for every request.
    void Reconfigure(const std::string& config);

    // Logged requests of one kind ("udp" or "http"), oldest first, as bytes.
    std::vector<std::vector<uint8_t>> Requests(const std::string& kind) const;

private:
    std::string m_dir;
    HANDLE m_process = nullptr;
    uint16_t m_udpPort = 0, m_httpPort = 0;
};

// Points the updater at the server (the "ServerHost"/"ServerPort" values) after clearing
// every update value; AppVer is set when not negative.
void PrepareRegistry(uint16_t udpPort, long appVer);
std::optional<DWORD> ReadUpdateDword(const char* name);
void ClearRegistry();

// Starts APPDIR\Volte.exe with the parameter text; returns the process handle (owned by
// the caller) or null.
HANDLE StartVolte(const std::string& params);
bool WaitExit(HANDLE process, std::chrono::milliseconds timeout);

// A top-level "#32770" window with exactly this title (visible or not), or null.
HWND FindDialog(const std::string& title);
// The visible "#32770" window of this title owned by the process, or null.
HWND WaitDialog(const std::string& title, std::chrono::milliseconds timeout);
std::string WindowText(HWND window);
// The text of a message box (its static with id 0xFFFF).
std::string MessageText(HWND box);

// A list view cell of another process.
std::string ListCell(HWND list, int row, int column);
int ListRows(HWND list);

std::string ReadText(const std::string& path);
std::vector<std::string> Lines(const std::string& text);

}  // namespace updkit
