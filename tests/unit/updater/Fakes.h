// Fakes of the updater's platform services for the flow tests.
#pragma once
#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "UpdateServices.h"

namespace fakes {

using update::Bytes;

struct Udp : update::UdpExchange {
    std::optional<Bytes> reply;
    std::vector<Bytes> sent;
    uint32_t waited = 0;
    std::optional<Bytes> Exchange(const Bytes& request, uint32_t timeoutMs) override {
        sent.push_back(request);
        waited = timeoutMs;
        return reply;
    }
};

struct Store : update::UpdateStore {
    std::map<std::string, uint32_t> dwords;
    std::string cid;
    uint32_t ReadDword(const char* name) override { return dwords.count(name) ? dwords[name] : 0; }
    bool WriteDword(const char* name, uint32_t value) override { dwords[name] = value; return true; }
    std::string ReadCid() override { return cid; }
    bool WriteCid(const std::string& c) override { cid = c; return true; }
};

struct FixedClock : update::Clock {
    uint64_t now = 1700000000;
    uint64_t NowSeconds() override { return now; }
};

struct View : update::UpdateView {
    std::vector<std::string> events;
    bool answer = true;
    void ShowUpToDate() override { events.push_back("uptodate"); }
    void CloseSiblings() override { events.push_back("close"); }
    void AddRow(int row, const std::string& name, const std::string& size, const std::string& version) override {
        events.push_back("row " + std::to_string(row) + " " + name + "|" + size + "|" + version);
    }
    void RowFailed(int row) override { events.push_back("failed " + std::to_string(row)); }
    void RowDone(int row) override { events.push_back("done " + std::to_string(row)); }
    void ShowDuplicate() override { events.push_back("duplicate"); }
    bool AskRedownload() override { events.push_back("ask"); return answer; }
    void SetButtonText(const std::string& text) override { events.push_back("button " + text); }
};

struct Downloads : update::Downloader {
    std::vector<std::string> urls;
    std::vector<std::string> incomplete;  // URLs that arrive cut short
    update::DownloadResult Download(const std::string& url, int row, const std::string& directory) override {
        urls.push_back(url + " @" + std::to_string(row) + " " + directory);
        update::DownloadResult r;
        r.path = directory + "\\" + url.substr(url.rfind('/') + 1);
        r.started = true;
        r.complete = std::find(incomplete.begin(), incomplete.end(), url) == incomplete.end();
        return r;
    }
};

struct Starts : update::Launcher {
    std::vector<std::string> opened;
    void Open(const std::string& file, const std::string& params) override { opened.push_back(file + " | " + params); }
};

}  // namespace fakes
