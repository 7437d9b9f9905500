// The fake messenger's command line: window shapes, placements, titles and registry actions.
#include "FakeQQOptions.h"

#include <gtest/gtest.h>

using namespace fakeqq;

namespace {

Options Parse(std::vector<std::string> args) {
    std::string error;
    auto o = ParseOptions(args, &error);
    EXPECT_TRUE(o) << error;
    return o.value_or(Options{});
}

std::string ErrorOf(std::vector<std::string> args) {
    std::string error;
    EXPECT_FALSE(ParseOptions(args, &error));
    return error;
}

}  // namespace

TEST(FakeQQOptions, NoArgumentsGiveOneClassicWindowAndTheDefaultTag) {
    Options o = Parse({});
    ASSERT_EQ(o.windows.size(), 1u);
    EXPECT_EQ(o.windows[0].kind, WindowKind::Classic);
    EXPECT_FALSE(o.windows[0].placement);
    EXPECT_EQ(o.tag, "FakeQQ");
    EXPECT_EQ(o.lifetimeSeconds, 0);
    EXPECT_TRUE(o.logPath.empty());
}

TEST(FakeQQOptions, EveryKindParsesWithItsDefaultTitle) {
    Options o = Parse({"--window", "classic", "--window", "classic-bar", "--window",
                       "classic-plain", "--window", "tx", "--window", "tx-noshell", "--window",
                       "tx-main", "--window", "tx-relogin", "--window", "tx-twoatl"});
    ASSERT_EQ(o.windows.size(), 8u);
    EXPECT_EQ(o.windows[5].kind, WindowKind::TxMain);
    EXPECT_EQ(o.windows[5].title, "QQ2009");
    EXPECT_EQ(o.windows[6].kind, WindowKind::TxRelogin);
    EXPECT_EQ(o.windows[6].title, "重新登录");
    EXPECT_EQ(o.windows[7].kind, WindowKind::TxTwoAtl);
    for (const WindowSpec& w : o.windows) {
        EXPECT_FALSE(w.title.empty());
        EXPECT_EQ(ParseWindowKind(WindowKindName(w.kind)), w.kind);
    }
}

TEST(FakeQQOptions, PlacementAndTitleAreTakenFromTheWindowArgument) {
    Options o = Parse({"--window", "tx@-10,20,300,200:QQ2009 正式版: 主面板"});
    ASSERT_EQ(o.windows.size(), 1u);
    ASSERT_TRUE(o.windows[0].placement);
    EXPECT_EQ(o.windows[0].placement->x, -10);
    EXPECT_EQ(o.windows[0].placement->y, 20);
    EXPECT_EQ(o.windows[0].placement->width, 300);
    EXPECT_EQ(o.windows[0].placement->height, 200);
    // Everything after the first colon is the title, further colons included.
    EXPECT_EQ(o.windows[0].title, "QQ2009 正式版: 主面板");
}

TEST(FakeQQOptions, AnEmptyTitleAfterTheColonIsKept) {
    Options o = Parse({"--window", "tx:"});
    EXPECT_EQ(o.windows[0].title, "");
}

TEST(FakeQQOptions, MalformedWindowArgumentsAreRejected) {
    EXPECT_NE(ErrorOf({"--window", "icq"}).find("icq"), std::string::npos);
    ErrorOf({"--window", "tx@1,2,3"});
    ErrorOf({"--window", "tx@1,2,3,4,5"});
    ErrorOf({"--window", "tx@1,2,0,4"});
    ErrorOf({"--window", "tx@1,2,x,4"});
    ErrorOf({"--window", "tx@"});
    ErrorOf({"--window"});
}

TEST(FakeQQOptions, ExtraChildTreesFollowTheKindInAnyOrder) {
    Options o = Parse({"--window", "classic+deep=600@10,20,300,200:a+b", "--window",
                       "tx+wide=5000+deep=1", "--window", "tx-twoatl"});
    EXPECT_EQ(o.windows[0].kind, WindowKind::Classic);
    EXPECT_EQ(o.windows[0].extra.deep, 600);
    EXPECT_EQ(o.windows[0].extra.wide, 0);
    EXPECT_EQ(o.windows[0].placement->width, 300);
    EXPECT_EQ(o.windows[0].title, "a+b");  // a '+' in the title is text
    EXPECT_EQ(o.windows[1].kind, WindowKind::Tx);
    EXPECT_EQ(o.windows[1].extra.wide, kMaxExtraWindows);
    EXPECT_EQ(o.windows[1].extra.deep, 1);
    EXPECT_EQ(o.windows[2].extra.deep + o.windows[2].extra.wide, 0);
}

TEST(FakeQQOptions, ExtraTreesOutOfRangeOrMisspeltAreRejected) {
    EXPECT_NE(ErrorOf({"--window", "tx+deep=0"}).find("+deep=0"), std::string::npos);
    ErrorOf({"--window", "tx+deep=5001"});
    ErrorOf({"--window", "tx+wide=-3"});
    ErrorOf({"--window", "tx+wide="});
    ErrorOf({"--window", "tx+tall=3"});
    ErrorOf({"--window", "tx+deep"});
    ErrorOf({"--window", "+deep=3"});
    ErrorOf({"--window", "tx+"});
}

TEST(FakeQQOptions, LogTagAndLifetime) {
    Options o = Parse({"--log", "C:\\run\\fake qq.log", "--tag", "second", "--lifetime", "90"});
    EXPECT_EQ(o.logPath, "C:\\run\\fake qq.log");
    EXPECT_EQ(o.tag, "second");
    EXPECT_EQ(o.lifetimeSeconds, 90);
    ErrorOf({"--lifetime", "-1"});
    ErrorOf({"--lifetime", "10s"});
    ErrorOf({"--tag", ""});
    ErrorOf({"--log"});
    ErrorOf({"--verbose"});
}

TEST(FakeQQOptions, RegistrationOnlyCreatesNoWindow) {
    Options o = Parse({"--register", "qq2009", "--register", "qq=C:\\Program Files\\QQ"});
    EXPECT_TRUE(o.OnlyRegistry());
    EXPECT_TRUE(o.windows.empty());
    ASSERT_EQ(o.registrations.size(), 2u);
    EXPECT_EQ(o.registrations[0].key, RegistryKey::QQ2009);
    EXPECT_TRUE(o.registrations[0].installDir.empty());
    EXPECT_EQ(o.registrations[1].key, RegistryKey::QQ);
    EXPECT_EQ(o.registrations[1].installDir, "C:\\Program Files\\QQ");

    Options u = Parse({"--unregister"});
    EXPECT_TRUE(u.OnlyRegistry());

    Options both = Parse({"--register", "qq", "--window", "tx"});
    EXPECT_FALSE(both.OnlyRegistry());
    EXPECT_EQ(both.windows.size(), 1u);

    ErrorOf({"--register", "tim"});
    ErrorOf({"--register", "qq="});
}

TEST(FakeQQOptions, DerivedInstallFolderLeadsTheMainProgramBackToTheExe) {
    // QQ2009 key: the main program starts "<Install>\Bin\QQ.exe".
    EXPECT_EQ(DeriveInstallDir(RegistryKey::QQ2009, "C:\\x\\Bin\\QQ.exe"), "C:\\x");
    EXPECT_EQ(DeriveInstallDir(RegistryKey::QQ2009, "C:\\x\\bin\\QQ.exe"), "C:\\x");
    // Not in a Bin folder: the folder itself (the lookup then misses, which a test can want).
    EXPECT_EQ(DeriveInstallDir(RegistryKey::QQ2009, "C:\\x\\QQ.exe"), "C:\\x");
    // QQ key: "<Install>\QQ.exe".
    EXPECT_EQ(DeriveInstallDir(RegistryKey::QQ, "C:\\x\\Bin\\QQ.exe"), "C:\\x\\Bin");
}

TEST(FakeQQOptions, DefaultPlacementsFitTheTestScreenAndLeaveRoomToDockBetween) {
    // The harness display is 1280x1024; a window docked right of the left column must not
    // reach the right column.
    for (int id = 1; id <= 16; ++id) {
        Placement p = DefaultPlacement(id);
        EXPECT_GE(p.x, 0);
        EXPECT_GE(p.y, 0);
        EXPECT_LE(p.x + p.width, 1280) << id;
        EXPECT_LE(p.y + p.height, 1024) << id;
    }
    Placement left = DefaultPlacement(1), right = DefaultPlacement(2);
    EXPECT_GE(right.x - (left.x + left.width), 100);
}
