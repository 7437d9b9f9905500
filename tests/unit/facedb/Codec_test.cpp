#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "Base64.h"
#include "BarList.h"
#include "FaceDatabase.h"
#include "Md5.h"

TEST(Base64Decode, DecodesStandardAlphabetWithQuestionMarkPadding) {
    char out[64] = {};
    EXPECT_EQ(Base64Decode(out, "aGVsbG8?", 0), 5);
    EXPECT_STREQ(out, "hello");
    std::memset(out, 0x55, sizeof out);
    EXPECT_EQ(Base64Decode(out, "aGk??", 4), 2);  // explicit length: only "aGk?" counts
    EXPECT_EQ(std::string(out, 2), "hi");
    EXPECT_EQ(Base64Decode(out, "YWJj", 0), 3);
    EXPECT_STREQ(out, "abc");
    EXPECT_EQ(Base64Decode(out, "+/+/", 0), 3);
    EXPECT_EQ(static_cast<unsigned char>(out[0]), 0xfb);
    EXPECT_EQ(static_cast<unsigned char>(out[1]), 0xff);
    EXPECT_EQ(static_cast<unsigned char>(out[2]), 0xbf);
}

TEST(Base64Decode, LengthNotAMultipleOfFourWritesNothing) {
    char out[8];
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(Base64Decode(out, "abcde", 0), 0);
    EXPECT_EQ(std::string(out, sizeof out), std::string(8, 'x'));
}

TEST(Base64Decode, EmptyTextWritesEmptyString) {
    char out[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(Base64Decode(out, "", 0), 0);
    EXPECT_EQ(out[0], '\0');
    EXPECT_EQ(out[1], 'x');
}

TEST(Base64Decode, MissingBuffersGiveZero) {
    char out[4];
    EXPECT_EQ(Base64Decode(nullptr, "YWJj", 0), 0);
    EXPECT_EQ(Base64Decode(out, nullptr, 0), 0);
}

TEST(Base64Decode, StoredDatabasePasswordDecodesToFourteenBytes) {
    std::string password = FaceDatabase::DecodePassword();
    ASSERT_EQ(password.size(), 14u);
    EXPECT_EQ(password[0], 'd');
    EXPECT_EQ(static_cast<unsigned char>(password[13]), 0xde);
}

TEST(Md5, MatchesRfc1321TestSuite) {
    auto md5 = [](const std::string& s) { return FaceDigestText(s.data(), s.size()); };
    EXPECT_EQ(md5(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(md5("a"), "0cc175b9c0f1b6a831c399e269772661");
    EXPECT_EQ(md5("abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(md5("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
    EXPECT_EQ(md5("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
    EXPECT_EQ(md5("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
              "d174ab98d277d9f5a5611c2c9f419d9f");
    EXPECT_EQ(md5("1234567890123456789012345678901234567890123456789012345678901234567890"
                  "1234567890"),
              "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5, PiecewiseUpdatesEqualOneUpdate) {
    std::string data(1000, '\0');
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7);
    for (size_t split : {0u, 1u, 55u, 56u, 63u, 64u, 65u, 999u}) {
        Md5 md5;
        md5.Update(data.data(), split);
        md5.Update(data.data() + split, data.size() - split);
        auto digest = md5.Finish();
        Md5 whole;
        whole.Update(data.data(), data.size());
        EXPECT_EQ(digest, whole.Finish()) << split;
    }
}

TEST(BarList, ContainsComparesWholeTokens) {
    EXPECT_TRUE(BarListContains("|3|17|", "17"));
    EXPECT_TRUE(BarListContains("|3|17|", "3"));
    EXPECT_FALSE(BarListContains("|3|17|", "1"));
    EXPECT_FALSE(BarListContains("|13|", "3"));
    EXPECT_FALSE(BarListContains("", "3"));
    EXPECT_FALSE(BarListContains("|3||5|", "5"));  // stops at the first empty token
}

TEST(BarList, AddAppendsOrStartsTheList) {
    EXPECT_EQ(BarListAdd("", "3", false), "|3|");
    EXPECT_EQ(BarListAdd("|3|", "5", false), "|3|5|");
    EXPECT_EQ(BarListAdd("|0|", "5", true), "|0|5|");
    EXPECT_EQ(BarListAdd("|0|5|", "5", true), "|0|5|");
    EXPECT_EQ(BarListAdd("|5|", "5", false), "|5|5|");  // the caller checked
}

TEST(BarList, RemoveDropsTheTokenAndItsBar) {
    EXPECT_EQ(BarListRemove("|3|5|", "3"), "|5|");
    EXPECT_EQ(BarListRemove("|5|", "5"), "");
    EXPECT_EQ(BarListRemove("|2|7|", "7"), "|2|");
    EXPECT_EQ(BarListRemove("|2|7|9|", "7"), "|2|9|");
    EXPECT_EQ(BarListRemove("|2|", "7"), "|2|");
    EXPECT_EQ(BarListRemove("|17|7|", "7"), "|17|");
    EXPECT_EQ(BarListRemove("", "7"), "");
}

TEST(TrimText, DropsPaddingBlanks) {
    EXPECT_EQ(TrimText("  |3|   "), "|3|");
    EXPECT_EQ(TrimText("   "), "");
}
