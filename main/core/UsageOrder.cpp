#include "UsageOrder.h"

namespace usage {

std::vector<int> BuildSelector(const std::vector<int>& categoryIds, const std::vector<TableUse>& saved,
                               std::vector<int>& useCounts) {
    std::vector<int> entries;
    std::vector<bool> used(saved.size(), false);
    useCounts.assign(categoryIds.size(), 0);
    for (size_t c = 0; c < categoryIds.size(); ++c) {
        // pos counts the saved pairs already placed that come before this category's pair;
        // a category without a pair lands at (placed pairs - 1), -1 appending.
        int pos = -1;
        for (size_t j = 0; j < saved.size(); ++j) {
            if (used[j]) {
                ++pos;
            } else if (saved[j].id == categoryIds[c]) {
                ++pos;
                used[j] = true;
                useCounts[c] = saved[j].count;
                break;
            }
        }
        const int index = static_cast<int>(c);
        if (pos < 0 || static_cast<size_t>(pos) >= entries.size())
            entries.push_back(index);
        else
            entries.insert(entries.begin() + pos, index);
    }
    entries.insert(entries.begin(), kFrequentEntry);
    return entries;
}

void ChooseCategory(std::vector<int>& entries, std::vector<int>& useCounts, size_t position) {
    if (position >= entries.size()) return;
    const int a = entries[position];
    if (a < 0 || static_cast<size_t>(a) >= useCounts.size()) return;
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(position));
    ++useCounts[static_cast<size_t>(a)];
    entries.insert(entries.begin() + (entries.empty() ? 0 : 1), a);
    if (entries.size() > 5) {
        Drift(entries, 4, [&](int e) { return e >= 0 ? useCounts[static_cast<size_t>(e)] : 0; });
    }
}

std::vector<TableUse> SelectorTableList(const std::vector<int>& entries, const std::vector<int>& categoryIds,
                                        const std::vector<int>& useCounts) {
    std::vector<TableUse> out;
    for (int e : entries) {
        if (e < 0 || static_cast<size_t>(e) >= categoryIds.size()) continue;
        out.push_back(TableUse{categoryIds[static_cast<size_t>(e)], useCounts[static_cast<size_t>(e)]});
    }
    return out;
}

void RecordSentFace(std::vector<FrequentFace>& list, const std::string& faceId) {
    size_t found = list.size();
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].id == faceId) {
            found = i;
            break;
        }
    if (found < list.size()) {
        FrequentFace face = list[found];
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(found));
        ++face.count;
        list.insert(list.begin(), face);
    } else {
        list.insert(list.begin(), FrequentFace{faceId, 0, {}});
        if (list.size() > CConfig::kMaxFrequent) list.pop_back();
    }
    if (list.size() > 16) Drift(list, 15, [](const FrequentFace& f) { return f.count; });
}

void PruneFrequent(std::vector<FrequentFace>& list, const std::map<std::string, std::string>& tableOf) {
    for (size_t i = list.size(); i-- > 0;) {
        auto it = tableOf.find(list[i].id);
        if (it == tableOf.end())
            list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
        else
            list[i].table = it->second;
    }
}

}  // namespace usage
