#include <gtest/gtest.h>

#include <cstdio>

#include "UsageOrder.h"

namespace {

using usage::kFrequentEntry;

std::string Digest(int i) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%032x", i);
    return buf;
}

// Category ids of the selector's entries (the frequent entry shows as 0).
std::vector<int> Ids(const std::vector<int>& entries, const std::vector<int>& ids) {
    std::vector<int> out;
    for (int e : entries) out.push_back(e < 0 ? 0 : ids[static_cast<size_t>(e)]);
    return out;
}

TEST(CategorySelector, WithoutSavedOrderCategoriesKeepTableOrder) {
    std::vector<int> counts;
    const std::vector<int> ids{1, 2, 3};
    const auto entries = usage::BuildSelector(ids, {}, counts);
    EXPECT_EQ(entries, (std::vector<int>{kFrequentEntry, 0, 1, 2}));
    EXPECT_EQ(counts, (std::vector<int>{0, 0, 0}));
}

TEST(CategorySelector, SavedOrderAndCountsAreRestored) {
    std::vector<int> counts;
    const std::vector<int> ids{1, 2, 3, 4};
    const auto entries = usage::BuildSelector(ids, {{3, 5}, {1, 2}, {4, 0}, {2, 7}}, counts);
    EXPECT_EQ(Ids(entries, ids), (std::vector<int>{0, 3, 1, 4, 2}));
    EXPECT_EQ(counts, (std::vector<int>{2, 7, 5, 0}));
    // Saved again, the same order comes back.
    const auto saved = usage::SelectorTableList(entries, ids, counts);
    std::vector<int> again;
    EXPECT_EQ(usage::BuildSelector(ids, saved, again), entries);
}

TEST(CategorySelector, NewAndDeletedCategoriesFollowThePlacementRule) {
    std::vector<int> counts;
    // Category 9 is gone from the library; 5 is new. 5 has no pair and goes to
    // (-1 + one used pair) = position 0, before 1; 3's pair comes before 1's, so it leads.
    const std::vector<int> ids{1, 5, 3};
    const auto entries = usage::BuildSelector(ids, {{9, 4}, {3, 1}, {1, 6}}, counts);
    EXPECT_EQ(Ids(entries, ids), (std::vector<int>{0, 3, 5, 1}));
    EXPECT_EQ(counts, (std::vector<int>{6, 0, 1}));
    // Saving drops the missing category.
    const auto saved = usage::SelectorTableList(entries, ids, counts);
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_EQ(saved[0].id, 3);
    EXPECT_EQ(saved[1].id, 5);
    EXPECT_EQ(saved[2].count, 6);
}

TEST(CategorySelector, MostRecentFourLeadLaterOnesDriftByUse) {
    std::vector<int> counts;
    const std::vector<int> ids{11, 12, 13, 14, 15, 16, 17};  // A ... G
    auto entries = usage::BuildSelector(ids, {}, counts);
    // Choosing A, B, C, D, E, F in turn puts F, E, D, C at positions 1 to 4.
    for (int pick = 0; pick < 6; ++pick) {
        size_t pos = 0;
        while (entries[pos] != pick) ++pos;
        usage::ChooseCategory(entries, counts, pos);
        EXPECT_EQ(entries[1], pick);
    }
    EXPECT_EQ(Ids(entries, ids), (std::vector<int>{0, 16, 15, 14, 13, 12, 11, 17}));
    EXPECT_EQ(counts, (std::vector<int>{1, 1, 1, 1, 1, 1, 0}));
}

TEST(CategorySelector, EntryPushedToFourPassesBetterUsedOnes) {
    std::vector<int> counts;
    const std::vector<int> ids{1, 2, 3, 4, 5, 6, 7, 8};  // Big, A ... G
    auto entries = usage::BuildSelector(ids, {}, counts);
    // A twice, then B, C, D, E: when E comes in, B (used once) is pushed to position 4,
    // passes A (twice) and stops behind Big (never).
    for (int id : {2, 2, 3, 4, 5, 6}) {
        size_t pos = 0;
        while (entries[pos] < 0 || ids[static_cast<size_t>(entries[pos])] != id) ++pos;
        usage::ChooseCategory(entries, counts, pos);
    }
    EXPECT_EQ(Ids(entries, ids), (std::vector<int>{0, 6, 5, 4, 2, 1, 3, 7, 8}));
    const auto saved = usage::SelectorTableList(entries, ids, counts);
    ASSERT_EQ(saved.size(), 8u);
    EXPECT_EQ(saved[3].id, 2);
    EXPECT_EQ(saved[3].count, 2);
    EXPECT_EQ(saved[5].id, 3);
    EXPECT_EQ(saved[5].count, 1);
}

TEST(CategorySelector, DriftMovesBehindTheFirstEntryUsedNoMore) {
    std::vector<int> e{kFrequentEntry, 0, 1, 2, 3, 4, 5, 6};
    std::vector<int> counts{0, 0, 0, 3, 9, 8, 1};
    // Choosing index 2 (position 3): order becomes F 2 0 1 3 4 5 6, position 4 holds 3 (count 3).
    usage::ChooseCategory(e, counts, 3);
    // 3 passes 4 (9) and 5 (8) and stops behind 6 (1 <= 3).
    EXPECT_EQ(e, (std::vector<int>{kFrequentEntry, 2, 0, 1, 4, 5, 6, 3}));
    // Nothing moves while five entries or fewer exist, and bad positions change nothing.
    std::vector<int> small{kFrequentEntry, 0, 1};
    std::vector<int> c2{0, 0};
    usage::ChooseCategory(small, c2, 2);
    EXPECT_EQ(small, (std::vector<int>{kFrequentEntry, 1, 0}));
    usage::ChooseCategory(small, c2, 9);
    usage::ChooseCategory(small, c2, 0);  // the frequent entry is no category
    EXPECT_EQ(small, (std::vector<int>{kFrequentEntry, 1, 0}));
}

TEST(FrequentFaces, SentFaceMovesToTheFrontAndTheListIsCapped) {
    std::vector<FrequentFace> list;
    for (int i = 0; i < 45; ++i) usage::RecordSentFace(list, Digest(i));
    ASSERT_EQ(list.size(), 40u);
    EXPECT_EQ(list.front().id, Digest(44));
    EXPECT_EQ(list.back().id, Digest(5));
    usage::RecordSentFace(list, Digest(30));
    EXPECT_EQ(list.front().id, Digest(30));
    EXPECT_EQ(list.front().count, 1);
    EXPECT_EQ(list.size(), 40u);
}

TEST(FrequentFaces, FacesPastSixteenDriftByUse) {
    std::vector<FrequentFace> list;
    for (int i = 0; i < 20; ++i) list.push_back(FrequentFace{Digest(i), 0, {}});
    list[16].count = 4;
    list[17].count = 3;
    list[18].count = 1;
    // A face is sent again: it leads, and the face now at 15 (count 2) passes 16 (4) and
    // 17 (3) and goes behind 18 (1), the first later face used no more than it.
    list[15].count = 2;
    usage::RecordSentFace(list, Digest(3));
    ASSERT_EQ(list.size(), 20u);
    EXPECT_EQ(list[0].id, Digest(3));
    EXPECT_EQ(list[15].id, Digest(16));
    EXPECT_EQ(list[16].id, Digest(17));
    EXPECT_EQ(list[17].id, Digest(18));
    EXPECT_EQ(list[18].id, Digest(15));
    EXPECT_EQ(list[19].id, Digest(19));
}

TEST(FrequentFaces, DeletedFacesArePrunedAndTablesFilled) {
    std::vector<FrequentFace> list{{Digest(1), 3, {}}, {Digest(2), 1, {}}, {Digest(3), 0, {}}};
    usage::PruneFrequent(list, {{Digest(1), "4"}, {Digest(3), "7"}});
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].table, "4");
    EXPECT_EQ(list[1].id, Digest(3));
    EXPECT_EQ(list[1].table, "7");
    usage::PruneFrequent(list, {});
    EXPECT_TRUE(list.empty());
}

}  // namespace
