// Pack ids from the categories' bar lists, as a face check sends them.
#include <gtest/gtest.h>

#include "PackIds.h"
#include "UpdateProtocol.h"

using namespace update;

TEST(PackLists, JoinKeepsOneLeadingBarAndSkipsEmptyLists) {
    EXPECT_EQ(JoinPackLists({"|1|2|", "|3|"}), "|1|2|3|");
    EXPECT_EQ(JoinPackLists({"", "|3|", "", "|4|"}), "|3|4|");
    EXPECT_EQ(JoinPackLists({}), "");
}

TEST(PackLists, PiecesBeforeABarBecomeIds) {
    EXPECT_EQ(ParsePackIds("|1|2|3|"), (std::vector<uint16_t>{1, 2, 3}));
    EXPECT_EQ(ParsePackIds("|5|x|"), (std::vector<uint16_t>{5}));
    EXPECT_EQ(ParsePackIds("|5|6"), (std::vector<uint16_t>{5}));
    EXPECT_EQ(ParsePackIds("|12ab|0|3|3|"), (std::vector<uint16_t>{12, 3, 3}));
    EXPECT_TRUE(ParsePackIds("").empty());
    EXPECT_TRUE(ParsePackIds("7").empty());
}

TEST(PackLists, IdsAreCutToSixteenBitsAndZerosLeftOut) {
    EXPECT_EQ(ParsePackIds("|65535|65536|65537|70000|"), (std::vector<uint16_t>{65535, 1, 4464}));
    // 4294967303 = 2^32 + 7: the digits wrap, and only the low 16 bits count anyway.
    EXPECT_EQ(ParsePackIds("|4294967303|"), (std::vector<uint16_t>{7}));
}

TEST(PackLists, MoreIdsThanFitDropDuplicatesThenKeepTheFirst) {
    std::vector<uint16_t> ids(kMaxPackIds, 1);
    EXPECT_EQ(IdsToSend(ids), ids);  // exactly the limit: sent as they are
    ids.push_back(2);
    EXPECT_EQ(IdsToSend(ids), (std::vector<uint16_t>{1, 2}));
    std::vector<uint16_t> many;
    for (uint16_t i = 1; i <= 300; ++i) many.push_back(i);
    const auto sent = IdsToSend(many);
    ASSERT_EQ(sent.size(), 230u);
    EXPECT_EQ(sent.front(), 1);
    EXPECT_EQ(sent.back(), 230);
}
