#include <gtest/gtest.h>

#include "FakeDesktop.h"
#include "ChatWindowRule.h"
#include "MessengerRules.h"

namespace dock::test {
namespace {

class MessengerRules : public ::testing::Test {
protected:
    Hwnd Classic(bool input, bool bar) {
        const Hwnd w = d.Add("#32770", 0, "与 好友 交谈中");
        if (input) d.Add("RichEdit20A", d.Add("AfxWnd42", w));
        if (bar) d.Add("Tencent_QQBar", w);
        return w;
    }
    Hwnd Tx(const std::string& title, int atl, int shell) {
        const Hwnd w = d.Add("TXGuiFoundation", 0, title);
        for (int i = 0; i < atl; ++i) d.Add("RichEdit20W", d.Add("ATL:00A1", w));
        for (int i = 0; i < shell; ++i) d.Add("Shell Embedding", w);
        return w;
    }
    FakeDesktop d;
};

TEST_F(MessengerRules, ChatWindowsOfBothKindsAreAccepted) {
    EXPECT_TRUE(IsMainChatWindow(d, Classic(true, false)));
    EXPECT_TRUE(IsMainChatWindow(d, Classic(true, true)));
    EXPECT_TRUE(IsMainChatWindow(d, Tx("好友", 1, 1)));
}

TEST_F(MessengerRules, NewerChatWindowNeedsOneAtlAndOneShellEmbedding) {
    EXPECT_FALSE(IsMainChatWindow(d, Tx("好友", 1, 0)));  // the hook takes this one
    EXPECT_TRUE(IsHookChatWindow(d, Tx("好友", 1, 0)));
    EXPECT_FALSE(IsMainChatWindow(d, Tx("好友", 1, 2)));
    EXPECT_FALSE(IsMainChatWindow(d, Tx("好友", 2, 1)));
    EXPECT_FALSE(IsMainChatWindow(d, Tx("好友", 0, 1)));
    EXPECT_FALSE(IsMainChatWindow(d, Classic(false, true)));
    EXPECT_FALSE(IsMainChatWindow(d, d.Add("Notepad")));
}

TEST_F(MessengerRules, ReloginDialogAndMessengerMainWindowAreNoChatWindows) {
    // Both rules agree here, so a face is never pasted where the hook would not dock.
    for (const char* title : {"重新登录", "QQ2009", "QQ2009 Beta"}) {
        const Hwnd w = Tx(title, 1, 1);
        EXPECT_FALSE(IsMainChatWindow(d, w)) << title;
        EXPECT_FALSE(IsHookChatWindow(d, w)) << title;
        EXPECT_TRUE(IsMessengerWindow(d, w)) << title;  // still the messenger's thread
    }
}

TEST_F(MessengerRules, MessengerWindowIsAnyOfItsWindowKinds) {
    EXPECT_TRUE(IsMessengerWindow(d, Classic(false, true)));
    EXPECT_TRUE(IsMessengerWindow(d, Classic(true, false)));
    EXPECT_TRUE(IsMessengerWindow(d, Tx("", 0, 0)));
    EXPECT_FALSE(IsMessengerWindow(d, Classic(false, false)));
    const Hwnd barDeep = d.Add("#32770");
    d.Add("Tencent_QQBar", d.Add("Static", d.Add("Static", barDeep)));
    EXPECT_TRUE(IsMessengerWindow(d, barDeep));
    const Hwnd other = d.Add("TXGuiFoundation2");
    d.Add("Tencent_QQBar", other);
    EXPECT_FALSE(IsMessengerWindow(d, other));
}

TEST_F(MessengerRules, HugeTreesAreGivenUpOn) {
    const Hwnd flat = d.Add("#32770");
    for (int i = 0; i < 5000; ++i) d.Add("Static", flat);
    d.Add("Tencent_QQBar", flat);
    d.Add("RichEdit20A", d.Add("AfxWnd42", flat));
    d.reads = 0;
    EXPECT_FALSE(IsMessengerWindow(d, flat));
    EXPECT_FALSE(IsMainChatWindow(d, flat));
    EXPECT_LE(d.reads, 3 * (kChatWalkBudget + 1));
}

}  // namespace
}  // namespace dock::test
