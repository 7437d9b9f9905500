#include "PackIds.h"

#include <algorithm>

#include "UpdateProtocol.h"

namespace update {

std::string JoinPackLists(const std::vector<std::string>& lists) {
    std::string joined;
    for (const std::string& list : lists) {
        if (list.empty()) continue;
        joined += joined.empty() ? list : list.substr(1);
    }
    return joined;
}

std::vector<uint16_t> ParsePackIds(const std::string& joined) {
    std::vector<uint16_t> ids;
    size_t start = 0;
    for (size_t bar = joined.find('|'); bar != std::string::npos; bar = joined.find('|', start)) {
        uint32_t value = 0;
        for (size_t i = start; i < bar && joined[i] >= '0' && joined[i] <= '9'; ++i)
            value = value * 10 + static_cast<uint32_t>(joined[i] - '0');  // wraps: only 16 bits stay
        const auto id = static_cast<uint16_t>(value);
        if (id != 0) ids.push_back(id);
        start = bar + 1;
    }
    return ids;
}

std::vector<uint16_t> IdsToSend(const std::vector<uint16_t>& ids) {
    if (ids.size() <= kMaxPackIds) return ids;
    std::vector<uint16_t> unique;
    for (uint16_t id : ids)
        if (std::find(unique.begin(), unique.end(), id) == unique.end()) unique.push_back(id);
    if (unique.size() > kMaxPackIds) unique.resize(kMaxPackIds);
    return unique;
}

}  // namespace update
