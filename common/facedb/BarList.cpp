#include "BarList.h"

namespace {

// Offset of the first token equal to `item`, or npos. Scanning stops at the first
// empty token, as "|3||5|" holds only 3.
size_t FindItem(const std::string& list, const std::string& item) {
    if (list.empty()) return std::string::npos;
    size_t pos = 1;
    while (pos < list.size()) {
        size_t bar = list.find('|', pos);
        size_t end = bar == std::string::npos ? list.size() : bar;
        if (end == pos) return std::string::npos;
        if (list.compare(pos, end - pos, item) == 0) return pos;
        if (bar == std::string::npos) break;
        pos = bar + 1;
    }
    return std::string::npos;
}

}  // namespace

bool BarListContains(const std::string& list, const std::string& item) {
    return FindItem(list, item) != std::string::npos;
}

std::string BarListAdd(const std::string& list, const std::string& item, bool skipIfPresent) {
    if (skipIfPresent && BarListContains(list, item)) return list;
    if (list.empty()) return "|" + item + "|";
    return list + item + "|";
}

std::string BarListRemove(const std::string& list, const std::string& item) {
    size_t pos = FindItem(list, item);
    if (pos == std::string::npos) return list;
    std::string result = list;
    size_t len = item.size();
    if (pos + len < result.size() && result[pos + len] == '|') ++len;
    result.erase(pos, len);
    return result == "|" ? std::string() : result;
}

std::string TrimText(const std::string& text) {
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}
