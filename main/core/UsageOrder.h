// The two orderings by use: the category selector (positions 1 to 4 hold the most
// recently chosen categories, later ones drift by use count) and the frequent faces
// (indexes 0 to 15 the most recent, later ones drift by use count).
#pragma once
#include <map>
#include <string>
#include <vector>

#include "Config.h"

namespace usage {

constexpr int kFrequentEntry = -1;  // item data of "我的常用表情"

// The selector's entries as item data: kFrequentEntry or an index into the category list.
// `useCounts` (one per category) receives the counts read from the saved table list.
std::vector<int> BuildSelector(const std::vector<int>& categoryIds, const std::vector<TableUse>& saved,
                               std::vector<int>& useCounts);

// The user picked the entry at `position` (a category): it moves to position 1 with one
// more use, and the entry at position 4 drifts behind the entries used as often or more.
void ChooseCategory(std::vector<int>& entries, std::vector<int>& useCounts, size_t position);

// The table list to save: the categories in selector order with their counts.
std::vector<TableUse> SelectorTableList(const std::vector<int>& entries, const std::vector<int>& categoryIds,
                                        const std::vector<int>& useCounts);

// A face was sent: it moves to the front of the frequent list (at most 40 faces).
void RecordSentFace(std::vector<FrequentFace>& list, const std::string& faceId);

// Faces the library no longer holds leave the list; the others learn their table.
void PruneFrequent(std::vector<FrequentFace>& list, const std::map<std::string, std::string>& tableOf);

// Moves the entry at `from` behind the first later entry whose count is at most the
// count at `from`: the drift step of both orderings. `count(i)` reads entry i's count.
template <class T, class Count>
void Drift(std::vector<T>& items, size_t from, Count count) {
    if (items.size() <= from + 1) return;
    const int threshold = count(items[from]);
    for (size_t i = from + 1; i < items.size(); ++i) {
        if (count(items[i]) <= threshold) {
            if (i == from + 1) return;
            T moved = items[from];
            items.erase(items.begin() + static_cast<std::ptrdiff_t>(from));
            items.insert(items.begin() + static_cast<std::ptrdiff_t>(i), moved);
            return;
        }
    }
}

}  // namespace usage
