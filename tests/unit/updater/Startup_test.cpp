// Start-up rules: command-line modes and titles, forwarded texts, the client identity
// text, the due times and the server names.
#include <gtest/gtest.h>

#include "CommandLine.h"
#include "UpdateCid.h"
#include "UpdateServer.h"

using namespace update;

TEST(CommandLine, ModesByPrefixAndTitlesByUpgradeAnywhere) {
    EXPECT_EQ(ModeOf("-upgrade -s"), Mode::UpgradeSilent);
    EXPECT_EQ(ModeOf("-upgrade -sx"), Mode::UpgradeSilent);
    EXPECT_EQ(ModeOf("-upgrade"), Mode::Upgrade);
    EXPECT_EQ(ModeOf("-upgradeX"), Mode::Upgrade);
    EXPECT_EQ(ModeOf("-FaceUpdate"), Mode::FaceUpdate);
    EXPECT_EQ(ModeOf("-FaceUpdate "), Mode::Link);
    EXPECT_EQ(ModeOf(""), Mode::Idle);
    EXPECT_EQ(ModeOf("mienko://x"), Mode::Link);
    EXPECT_STREQ(TitleFor("x -upgrade"), "PeluQQ表情精灵 - 在线升级");
    EXPECT_STREQ(TitleFor("-FaceUpdate"), "PeluQQ表情下载");
}

TEST(CommandLine, QuoteRules) {
    EXPECT_EQ(StripEnclosingQuotes("\"mienko://a b\""), "mienko://a b");
    EXPECT_EQ(StripEnclosingQuotes("\"only one"), "\"only one");
    EXPECT_EQ(StripEnclosingQuotes("\""), "\"");
    EXPECT_EQ(StripDispatchQuotes("\"only one"), "only one");
    EXPECT_EQ(StripDispatchQuotes("x\""), "x");
    EXPECT_EQ(StripDispatchQuotes("\""), "");
}

TEST(CommandLine, ForwardedTextDropsOneDollarAndStopsAtTheCountOrNul) {
    const char data[] = "$$link\0rest";
    EXPECT_EQ(ForwardedText(data, sizeof data), "$link");
    EXPECT_EQ(ForwardedText(data, 4), "$li");
    EXPECT_EQ(ForwardedText("abc", 3), "abc");  // no terminator inside the count
    EXPECT_EQ(ForwardedText(nullptr, 5), "");
}

TEST(Bookkeeping, CidHasTheFixedShapeWithTheThirdGroupInLowerCase) {
    Guid g;
    g.data1 = 0x0A1B2C3D;
    g.data2 = 0xABCD;
    g.data3 = 0xEF01;
    const uint8_t tail[8] = {0xAB, 0x01, 0xCD, 0x02, 0xEF, 0x03, 0x9A, 0x0B};
    std::copy(tail, tail + 8, g.data4);
    const std::string cid = FormatCid(g);
    EXPECT_EQ(cid, "{0A1B2C3D-ABCD-ef01-AB01-CD02EF039A0B}");
    EXPECT_EQ(cid.size(), 38u);
}

TEST(Bookkeeping, DueTimeKeepsTheLow32Bits) {
    EXPECT_EQ(NextDueTime(1700000000, 3600), 1700003600u);
    EXPECT_EQ(NextDueTime(0xFFFFFFFFull, 2), 1u);
}

TEST(ServerNames, ShippedNamesAreNoLoopbackOrPrivateHosts) {
    EXPECT_EQ(DecodeServerName(kStoredServerNames[0]), "upd1.example");
    EXPECT_EQ(DecodeServerName(kStoredServerNames[1]), "upd2.example");
    EXPECT_EQ(std::string(kStoredServerNames[0]).size(), 16u);
    EXPECT_EQ(DecodeServerName(std::string(80, 'A').c_str()), "");  // would not fit the buffer
    EXPECT_TRUE(PreferSecondServer("127.0.0.1"));
    EXPECT_TRUE(PreferSecondServer("192.168.1.1"));
    EXPECT_FALSE(PreferSecondServer("10.0.0.1"));
    EXPECT_FALSE(PreferSecondServer("127.1.0.1"));
}
