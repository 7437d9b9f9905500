// What the web import tests stand on: a loopback HTTP server whose pictures WinINet puts in
// the cache, a stand-in for the running editor that records WM_COPYDATA, and process and
// registry helpers.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace webkit {

// Serves one small GIF for any path on 127.0.0.1, on a thread of its own.
class PictureServer {
public:
    PictureServer();
    ~PictureServer();
    PictureServer(const PictureServer&) = delete;
    PictureServer& operator=(const PictureServer&) = delete;
    bool Ok() const { return m_port != 0; }
    std::string Url(const std::string& path) const;  // "http://127.0.0.1:PORT" + path
    int Requests() const { return m_requests; }

private:
    void Serve();
    SOCKET m_listen = INVALID_SOCKET;
    unsigned short m_port = 0;
    std::atomic<int> m_requests{0};
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// Downloads url through WinINet (so it lands in the cache) and returns the cache file
// WinINet reports for it; empty on failure.
std::string FetchIntoCache(const std::string& url);

// Downloads url through WinINet and keeps it in the cache the way a browser does, under a
// cache file name with the extension `ext` (WinINet's own entries have none under Wine).
std::string FetchIntoCacheAs(const std::string& url, const std::string& ext);

// A "#32770" window titled like the editor; records the bytes of every WM_COPYDATA.
class EditorStandIn {
public:
    EditorStandIn();
    ~EditorStandIn();
    EditorStandIn(const EditorStandIn&) = delete;
    EditorStandIn& operator=(const EditorStandIn&) = delete;
    HWND Hwnd() const { return m_hwnd; }
    std::vector<std::string> received;  // raw bytes, exactly cbData of each
    std::vector<ULONG_PTR> dataIds;

private:
    static INT_PTR CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    HWND m_hwnd = nullptr;
};

// Runs a command line, pumping this thread's messages until it ends; exit code or -1.
int RunPumping(const std::string& commandLine, DWORD timeoutMs = 60000);

std::string SystemDir();  // C:\windows\system32 of the test's own bitness
std::string AgentPath();  // the installed MienkoAgent.dll
int Regsvr32(bool unregister);

// The system code page form of UTF-8 text, as the component writes it.
std::string ToAnsi(const std::string& utf8);

// Registry below HKEY_CLASSES_ROOT; UTF-8 names.
bool KeyExists(const std::string& path);
std::vector<std::string> SubkeyNames(const std::string& path);  // sorted
// Every value of a key as "name=data" (REG_SZ data; default value as "@"), sorted.
std::vector<std::string> ValuesOf(const std::string& path);

}  // namespace webkit
