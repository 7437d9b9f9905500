// CMyHttp: the updater's HTTP client. Fetches one URL with a plain GET through WinINet
// into a local file, reporting size, progress and speed through a callback. Synchronous;
// the updater runs it on worker threads, one object per thread.
#pragma once
#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <string>

// context, item index, total bytes (0: unknown), bytes received, bytes per second.
using ProgressCallback = void (*)(void* context, int item, uint32_t total, uint32_t received, uint32_t speed);

class CMyHttp {
public:
    CMyHttp();
    virtual ~CMyHttp();
    CMyHttp(const CMyHttp&) = delete;
    CMyHttp& operator=(const CMyHttp&) = delete;

    // 1 when the transfer loop ran to its end, 0 when it could not start (no session, URL
    // not found or refused, file not creatable). `fileName` may be null: the URL's last
    // segment. `directory` may be null: the last one stays.
    int Download(const char* url, int item, const char* fileName, const char* directory);

    // Whether the last transfer brought the whole file: status 2xx, every read succeeded,
    // at least one byte, and exactly the announced length when there was one.
    bool LastComplete() const { return m_bComplete; }
    // directory "\" file name of the last transfer.
    std::string LocalPath() const { return m_strDir + "\\" + m_strFileName; }

    void* m_pContext = nullptr;
    int m_nItem = 0;
    ProgressCallback m_pfnProgress = nullptr;
    std::string m_strDir;       // the system directory until a download names another
    std::string m_strFileName;
    HINTERNET m_hSession = nullptr;  // the running transfer's session; null when idle
    uint32_t m_nBlockSize = 1024;    // bytes per read; only benchmarks change it

private:
    bool m_bComplete = false;
};
