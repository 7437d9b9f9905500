#include <gtest/gtest.h>

#include "FakeDesktop.h"
#include "ChatWindowRule.h"

namespace dock::test {
namespace {

class HookChatRule : public ::testing::Test {
protected:
    Hwnd Classic(bool bar = false) {
        const Hwnd w = d.Add("#32770");
        const Hwnd host = d.Add("AfxWnd42", d.Add("#32770", w));
        d.Add("RichEdit20A", d.Add("Static", host));
        if (bar) d.Add("Tencent_QQBar", w);
        return w;
    }
    Hwnd Tx(const std::string& title, int atl = 1, bool shell = false) {
        const Hwnd w = d.Add("TXGuiFoundation", 0, title);
        for (int i = 0; i < atl; ++i) d.Add("RichEdit20W", d.Add("ATL:0041B2C8", w));
        if (shell) d.Add("Shell Embedding", w);
        return w;
    }
    bool Is(Hwnd w) { return IsHookChatWindow(d, w); }
    FakeDesktop d;
};

TEST_F(HookChatRule, ClassicWindowNeedsTheInputBelowItsHost) {
    EXPECT_TRUE(Is(Classic()));
    EXPECT_TRUE(Is(Classic(true)));

    const Hwnd inputBesideHost = d.Add("#32770");
    d.Add("AfxWnd42", inputBesideHost);
    d.Add("RichEdit20A", inputBesideHost);
    EXPECT_FALSE(Is(inputBesideHost));

    const Hwnd wrongCase = d.Add("#32770");
    d.Add("RichEdit20A", d.Add("afxwnd42", wrongCase));
    EXPECT_FALSE(Is(wrongCase));

    const Hwnd otherEdit = d.Add("#32770");
    d.Add("RichEdit20W", d.Add("AfxWnd42", otherEdit));
    EXPECT_FALSE(Is(otherEdit));

    // The class must match whole: a longer name is another class.
    const Hwnd longer = d.Add("#327700");
    d.Add("RichEdit20A", d.Add("AfxWnd42", longer));
    EXPECT_FALSE(Is(longer));
}

TEST_F(HookChatRule, NewerWindowNeedsExactlyOneAtlDescendantAndNoShellEmbedding) {
    EXPECT_TRUE(Is(Tx("张三")));
    EXPECT_TRUE(Is(Tx("张三", 1, true)));
    EXPECT_TRUE(Is(Tx("")));
    EXPECT_FALSE(Is(Tx("张三", 0)));
    EXPECT_FALSE(Is(Tx("张三", 2)));
    EXPECT_FALSE(Is(Tx("张三", 5)));
}

TEST_F(HookChatRule, MessengerMainWindowAndReloginDialogAreIgnored) {
    EXPECT_FALSE(Is(Tx("QQ2009")));
    EXPECT_FALSE(Is(Tx("QQ2009 正式版")));
    EXPECT_FALSE(Is(Tx("重新登录")));
    EXPECT_TRUE(Is(Tx("重新登录了")));
    EXPECT_TRUE(Is(Tx("QQ200")));
    EXPECT_TRUE(Is(Tx("与QQ2009好友")));
}

TEST_F(HookChatRule, OtherClassesAndMissingWindowsAreNotChatWindows) {
    const Hwnd button = d.Add("Button");
    d.Add("RichEdit20A", d.Add("AfxWnd42", button));
    EXPECT_FALSE(Is(button));
    EXPECT_FALSE(Is(0));
    EXPECT_FALSE(Is(999999));
}

TEST_F(HookChatRule, HugeOrDeepTreesAreLookedAtOnlyUpToTheBudget) {
    const Hwnd flat = d.Add("#32770");
    for (int i = 0; i < 20000; ++i) d.Add("Static", flat);
    d.Add("RichEdit20A", d.Add("AfxWnd42", flat));  // last in z-order, past the budget
    d.reads = 0;
    EXPECT_FALSE(Is(flat));
    EXPECT_LE(d.reads, kChatWalkBudget + 1);

    const Hwnd tx = d.Add("TXGuiFoundation", 0, "张三");
    Hwnd cur = tx;
    for (int i = 0; i < 50000; ++i) cur = d.Add("Static", cur);
    d.Add("ATL:deep", cur);
    d.reads = 0;
    EXPECT_FALSE(Is(tx));
    EXPECT_LE(d.reads, kChatWalkBudget + 1);

    // Many hosts without inputs share one budget instead of one each.
    const Hwnd hosts = d.Add("#32770");
    for (int i = 0; i < 3000; ++i) d.Add("Static", d.Add("AfxWnd42", hosts));
    d.reads = 0;
    EXPECT_FALSE(Is(hosts));
    EXPECT_LE(d.reads, 2 * kChatWalkBudget);
}

}  // namespace
}  // namespace dock::test
