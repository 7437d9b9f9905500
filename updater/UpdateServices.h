// The platform services the update logic needs, as small interfaces: the UDP exchange with
// the update server, the registry values, the clock, downloads, program starts and the
// window. Win32 implementations live in the *_win files; tests use fakes.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "UpdateProtocol.h"

namespace update {

class UdpExchange {
public:
    virtual ~UdpExchange() = default;
    // Sends the request and waits up to timeoutMs for one reply; nullopt on time-out.
    virtual std::optional<Bytes> Exchange(const Bytes& request, uint32_t timeoutMs) = 0;
};

// Values of "Software\Pelux\AppUpdate". A DWORD that is missing, of another type or size
// reads as 0; a CID that is no REG_SZ reads as "".
class UpdateStore {
public:
    virtual ~UpdateStore() = default;
    virtual uint32_t ReadDword(const char* name) = 0;
    virtual bool WriteDword(const char* name, uint32_t value) = 0;
    virtual std::string ReadCid() = 0;
    virtual bool WriteCid(const std::string& cid) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual uint64_t NowSeconds() = 0;  // since 1970
};

struct DownloadResult {
    std::string path;       // directory "\" file name, whatever the outcome
    bool started = false;   // the transfer could begin (CMyHttp::Download returned 1)
    bool complete = false;  // the whole file arrived
};

class Downloader {
public:
    virtual ~Downloader() = default;
    // Into `directory` under the URL's own file name; `row` is the list row to report to.
    virtual DownloadResult Download(const std::string& url, int row, const std::string& directory) = 0;
};

class Launcher {
public:
    virtual ~Launcher() = default;
    // ShellExecute "open", shown normally.
    virtual void Open(const std::string& file, const std::string& params) = 0;
};

// What the updater window shows and asks.
class UpdateView {
public:
    virtual ~UpdateView() = default;
    virtual void ShowUpToDate() = 0;
    virtual void CloseSiblings() = 0;  // the picker's and the editor's windows
    // Column texts of a new row; returns nothing, rows are numbered in order.
    virtual void AddRow(int row, const std::string& name, const std::string& size, const std::string& version) = 0;
    virtual void RowFailed(int row) = 0;
    virtual void RowDone(int row) = 0;
    virtual void ShowDuplicate() = 0;             // "添加的文件已存在！"
    virtual bool AskRedownload() = 0;             // "表情包已经存在，是否重新下载！": true for OK
    virtual void SetButtonText(const std::string& text) = 0;
};

constexpr const char* kValueCid = "CID";
constexpr const char* kValueAppVer = "AppVer";
constexpr const char* kValueNextUpdate = "NextUpdate";
constexpr const char* kValueNextFaceUpdate = "NextFaceUpdate";

constexpr uint32_t kReplyWaitMs = 20000;

}  // namespace update
