#include "CommandLine.h"

#include <cstring>

namespace update {

std::string StripEnclosingQuotes(const std::string& text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
    return text;
}

std::string StripDispatchQuotes(const std::string& text) {
    std::string s = text;
    if (!s.empty() && s.front() == '"') s.erase(0, 1);
    if (!s.empty() && s.back() == '"') s.pop_back();
    return s;
}

Mode ModeOf(const std::string& text) {
    if (text.rfind("-upgrade -s", 0) == 0) return Mode::UpgradeSilent;
    if (text.rfind("-upgrade", 0) == 0) return Mode::Upgrade;
    if (text == "-FaceUpdate") return Mode::FaceUpdate;
    if (text.empty()) return Mode::Idle;
    return Mode::Link;
}

const char* TitleFor(const std::string& text) {
    return text.find("-upgrade") != std::string::npos ? kTitleUpgrade : kTitleDownload;
}

std::string ForwardedText(const char* data, size_t size) {
    if (!data) return {};
    std::string text(data, strnlen(data, size));
    if (!text.empty() && text.front() == '$') text.erase(0, 1);
    return text;
}

}  // namespace update
