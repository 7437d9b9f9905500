#include <gtest/gtest.h>

#include <map>

#include "MessengerPath.h"
#include "MessengerPoll.h"

namespace dock {
namespace {

class FakeKeys : public InstallKeys {
public:
    std::map<std::string, std::string, std::less<>> keys;  // key -> usable Install ("" none)
    std::optional<std::string> Install(std::string_view key) const override {
        const auto it = keys.find(key);
        if (it == keys.end()) return std::nullopt;
        return it->second;
    }
};

TEST(MessengerExePath, NewerKeyFirstWithItsBinFolder) {
    FakeKeys k;
    k.keys[std::string(kQQKey)] = "D:\\OldQQ";
    EXPECT_EQ(MessengerExePath(k), "D:\\OldQQ\\QQ.exe");
    k.keys[std::string(kQQ2009Key)] = "C:\\Program Files\\Tencent\\QQ";
    EXPECT_EQ(MessengerExePath(k), "C:\\Program Files\\Tencent\\QQ\\Bin\\QQ.exe");
}

TEST(MessengerExePath, KeyThatOpensDecidesEvenWithoutAValue) {
    FakeKeys k;
    k.keys[std::string(kQQ2009Key)] = "";
    k.keys[std::string(kQQKey)] = "D:\\OldQQ";
    EXPECT_EQ(MessengerExePath(k), "\\Bin\\QQ.exe");
    EXPECT_EQ(MessengerExePath(FakeKeys{}), "\\QQ.exe");
}

TEST(MessengerExePath, CommandLineQuotesThePath) {
    EXPECT_EQ(MessengerCommandLine("C:\\Program Files\\QQ\\Bin\\QQ.exe"),
              "\"C:\\Program Files\\QQ\\Bin\\QQ.exe\"");
}

TEST(MessengerPoll, FortyLooksThenGivesUp) {
    MessengerPoll poll;
    EXPECT_FALSE(poll.Active());
    EXPECT_EQ(poll.Tick(false), MessengerPoll::Step::GiveUp);  // a stray tick after the end
    poll.Start();
    for (int i = 1; i < MessengerPoll::kAttempts; ++i) {
        ASSERT_EQ(poll.Tick(false), MessengerPoll::Step::Wait) << i;
        ASSERT_TRUE(poll.Active());
    }
    EXPECT_EQ(poll.Tick(false), MessengerPoll::Step::GiveUp);
    EXPECT_FALSE(poll.Active());
    EXPECT_EQ(MessengerPoll::kAttempts * MessengerPoll::kIntervalMs, 120000u);
}

TEST(MessengerPoll, FoundOrCancelledEndsIt) {
    MessengerPoll poll;
    poll.Start();
    EXPECT_EQ(poll.Tick(false), MessengerPoll::Step::Wait);
    EXPECT_EQ(poll.Tick(true), MessengerPoll::Step::Found);
    EXPECT_FALSE(poll.Active());
    poll.Start();
    poll.Cancel();
    EXPECT_FALSE(poll.Active());
    // The last look may still find it.
    poll.Start();
    for (int i = 1; i < MessengerPoll::kAttempts; ++i) poll.Tick(false);
    EXPECT_EQ(poll.Tick(true), MessengerPoll::Step::Found);
}

}  // namespace
}  // namespace dock
