#include "DownloadName.h"

#include <cstdio>

namespace update {
namespace {

std::string Format(const char* format, unsigned value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

}  // namespace

std::string LocalFileName(const std::string& url, const std::string& givenName) {
    if (givenName.empty()) return UrlLastSegment(url);
    if (givenName.find('.') != std::string::npos) return givenName;
    const size_t dot = url.rfind('.');
    return dot == std::string::npos ? givenName : givenName + url.substr(dot);
}

std::string LocalPath(const std::string& directory, const std::string& url, const std::string& givenName) {
    std::string path = directory + "\\" + LocalFileName(url, givenName);
    if (!givenName.empty() && givenName.find('.') == std::string::npos) {
        const size_t q = path.rfind('?');
        if (q != std::string::npos) path.erase(q);
    }
    return path;
}

std::string UrlLastSegment(const std::string& url) {
    const size_t slash = url.rfind('/');
    return slash == std::string::npos ? url : url.substr(slash + 1);
}

std::string VersionText(uint32_t version) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "V%u.%02u", version / 100, version % 100);
    return buffer;
}

std::string ItemSizeText(uint16_t sizeField) {
    if (sizeField & 0x8000) return Format("%u MB", sizeField & 0x7FFFu);
    return Format("%u KB", sizeField);
}

std::string TotalSizeText(uint32_t bytes) {
    if (bytes > 1048576) return Format("%u MB", bytes >> 20);
    if (bytes > 1024) return Format("%u KB", bytes / 1024);
    return Format("%u B", bytes);
}

std::string SpeedText(uint32_t bytesPerSecond) {
    if (bytesPerSecond > 1024) return Format("%u KB/S", bytesPerSecond / 1024);
    return Format("%u B/S", bytesPerSecond);
}

int ProgressPercent(uint32_t total, uint32_t received) {
    if (total == 0) return 0;
    const uint64_t percent = uint64_t{received} * 100 / total;
    return percent > 100 ? 100 : static_cast<int>(percent);
}

}  // namespace update
