// The updater's command line: which mode it starts in and which title (and so which
// single-instance name) its window takes.
#pragma once
#include <string>

namespace update {

enum class Mode { Idle, Upgrade, UpgradeSilent, FaceUpdate, Link };

constexpr const char* kTitleUpgrade = "PeluQQ表情精灵 - 在线升级";
constexpr const char* kTitleDownload = "PeluQQ表情下载";

// One pair of enclosing double quotes removed (the start-up form).
std::string StripEnclosingQuotes(const std::string& text);
// One leading and one trailing double quote removed, each on its own (the dispatch form).
std::string StripDispatchQuotes(const std::string& text);

Mode ModeOf(const std::string& text);
// "-upgrade" anywhere gives the upgrade title.
const char* TitleFor(const std::string& text);

// The text a forwarded WM_COPYDATA carries: one leading "$" dropped, cut at the given byte
// count and at the first NUL.
std::string ForwardedText(const char* data, size_t size);

}  // namespace update
