#include "MyHttp_win.h"

#include "DownloadName.h"
#include "Transfer.h"
#include "winfx/Unique.h"
#include "winfx/Wide.h"

namespace {

// Closing the session also closes the URL opened on it; both close on every path.
class InternetHandle {
public:
    explicit InternetHandle(HINTERNET h = nullptr) : m_h(h) {}
    ~InternetHandle() {
        if (m_h) InternetCloseHandle(m_h);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }

private:
    HINTERNET m_h;
};

class UrlBody : public update::HttpBody {
public:
    explicit UrlBody(HINTERNET url) : m_url(url) {}
    bool QueryAvailable(uint32_t& bytes) override {
        DWORD n = 0;
        const bool ok = InternetQueryDataAvailable(m_url, &n, 0, 0) != FALSE;
        bytes = n;
        return ok;
    }
    bool Read(void* buffer, uint32_t size, uint32_t& read) override {
        DWORD n = 0;
        const bool ok = InternetReadFile(m_url, buffer, size, &n) != FALSE;
        read = n;
        return ok;
    }

private:
    HINTERNET m_url;
};

class FileSink : public update::ByteSink {
public:
    explicit FileSink(HANDLE file) : m_file(file) {}
    bool Write(const void* data, uint32_t size) override {
        DWORD written = 0;
        return WriteFile(m_file, data, size, &written, nullptr) && written == size;
    }

private:
    HANDLE m_file;
};

bool QueryNumber(HINTERNET url, DWORD query, DWORD& value) {
    DWORD size = sizeof value, index = 0;
    value = 0;
    return HttpQueryInfoW(url, query | HTTP_QUERY_FLAG_NUMBER, &value, &size, &index) != FALSE;
}

std::string SystemDirectory() {
    wchar_t path[MAX_PATH] = {};
    const UINT n = GetSystemDirectoryW(path, MAX_PATH);
    return n && n < MAX_PATH ? winfx::ToUtf8(path) : std::string();
}

}  // namespace

CMyHttp::CMyHttp() : m_strDir(SystemDirectory()) {}

CMyHttp::~CMyHttp() = default;

int CMyHttp::Download(const char* url, int item, const char* fileName, const char* directory) {
    m_bComplete = false;
    if (!url) return 0;
    m_nItem = item;
    try {
        InternetHandle session(InternetOpenW(L"Internet Explorer", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
        if (!session) return 0;
        InternetHandle request(InternetOpenUrlW(session.Get(), winfx::ToWide(url).c_str(), nullptr, 0,
                                                INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
        if (!request) return 0;
        // A server's error page is no download: it must not land under the file's name.
        DWORD status = 0;
        if (!QueryNumber(request.Get(), HTTP_QUERY_STATUS_CODE, status) || status < 200 || status > 299) return 0;

        const std::string given = fileName ? fileName : "";
        m_strFileName = update::LocalFileName(url, given);
        if (directory) m_strDir = directory;
        const std::string path = update::LocalPath(m_strDir, url, given);

        DWORD total = 0;
        const bool hasLength = QueryNumber(request.Get(), HTTP_QUERY_CONTENT_LENGTH, total);
        if (hasLength && m_pfnProgress) m_pfnProgress(m_pContext, m_nItem, total, 0, 0);

        winfx::UniqueFile file(CreateFileW(winfx::ToWide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return 0;

        m_hSession = session.Get();
        UrlBody body(request.Get());
        FileSink sink(file.Get());
        update::TransferHooks hooks;
        hooks.blockSize = m_nBlockSize;
        hooks.ticks = [] { return static_cast<uint32_t>(GetTickCount()); };
        hooks.progress = [this, total](uint32_t received, uint32_t speed) {
            if (m_pfnProgress) m_pfnProgress(m_pContext, m_nItem, total, received, speed);
        };
        hooks.pump = [] {
            MSG msg;
            if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        };
        const update::TransferOutcome outcome = update::RunTransfer(body, sink, hooks);
        m_hSession = nullptr;
        m_bComplete = update::IsCompleteTransfer(outcome, hasLength, total);
        return 1;
    } catch (...) {
        m_hSession = nullptr;
        return 0;
    }
}
