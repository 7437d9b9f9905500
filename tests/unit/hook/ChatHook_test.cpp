#include <gtest/gtest.h>

#include "FakeDesktop.h"

namespace dock::test {
namespace {

using Calls = std::vector<std::string>;

class ChatHook : public ::testing::Test {
protected:
    void SetUp() override {
        main = d.Add("#32770", 0, "PeluQQ表情精灵", Rect{900, 0, 1150, 600});
        tool = d.Add("#32770", main, std::string(kDockTitle), Rect{0, 0, 30, 120});
        d.Get(tool).visible = false;
        chat = Chat(Rect{100, 100, 600, 500});
        shared = SharedValues{main, tool, 0, 0, 0};
    }
    Hwnd Chat(Rect r) {
        const Hwnd w = d.Add("#32770", 0, "chat", r);
        d.Add("RichEdit20A", d.Add("AfxWnd42", w));
        return w;
    }
    void Title(const std::string& t) { d.Get(tool).title = t; }
    Calls Send(unsigned message, std::uintptr_t wParam, Hwnd window) {
        d.calls.clear();
        HandleHookedMessage(shared, d, {message, wParam, window});
        EXPECT_EQ(shared.bBusy, 0) << "busy flag left set";
        return d.calls;
    }
    std::string Id(Hwnd w) { return std::to_string(w); }

    FakeDesktop d;
    Hwnd main = 0, tool = 0, chat = 0;
    SharedValues shared{};
};

TEST_F(ChatHook, ActivationShowsAndDocksTheToolbarOnTheRight) {
    const Calls calls = Send(msg::kActivate, 1, chat);
    EXPECT_EQ(calls, (Calls{"post " + Id(main) + " " + Id(chat), "show " + Id(tool),
                            "raise " + Id(tool), "raisechat " + Id(chat),
                            "move " + Id(tool) + " 600,344", "raisechat " + Id(chat)}));
    EXPECT_EQ(shared.hWndCurrQQ, chat);
    EXPECT_EQ(shared.bActived, 1);
    EXPECT_EQ(d.Get(tool).rect, (Rect{600, 344, 630, 464}));
}

TEST_F(ChatHook, LeftTitleMirrorsAndPanelTitleDocksTheMainWindow) {
    Title("<" + std::string(kDockTitle));
    Send(msg::kActivate, 2, chat);  // WA_CLICKACTIVE
    EXPECT_EQ(d.Get(tool).rect, (Rect{70, 344, 100, 464}));

    Title(std::string(kPanelPrefix) + std::string(kDockTitle));
    Send(msg::kWindowPosChanged, 0, chat);
    EXPECT_EQ(d.Get(main).rect, (Rect{600, 100, 850, 500}));

    Title("<" + std::string(kPanelPrefix) + std::string(kDockTitle));
    const Calls calls = Send(msg::kWindowPosChanged, 0, chat);
    EXPECT_EQ(calls.back(), "place " + Id(main) + " -150,100,100,500");
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "move " + Id(tool) + " 70,344"), 0);
}

TEST_F(ChatHook, BadToolbarTitlesDockTheMainWindowAndNeverTheToolbar) {
    for (const std::string& t : {std::string(), std::string(300, 'x'), std::string("PeluQQ")}) {
        Title(t);
        const Calls calls = Send(msg::kWindowPosChanged, 0, chat);
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back(), "place " + Id(main) + " 600,100,850,500") << t;
    }
}

TEST_F(ChatHook, DeactivationForgetsTheChatWindowOnlyWhenNothingWasActivated) {
    Send(msg::kActivate, 1, chat);
    EXPECT_TRUE(Send(msg::kActivate, msg::kInactive, chat).empty());
    EXPECT_EQ(shared.hWndCurrQQ, chat);
    EXPECT_EQ(shared.bActived, 0);
    // High word (minimised flag) does not make it an activation.
    EXPECT_TRUE(Send(msg::kActivate, 0x10000, chat).empty());
    EXPECT_EQ(shared.hWndCurrQQ, 0u);
}

TEST_F(ChatHook, MinimiseHidesRestoreShowsOtherSizesDock) {
    shared.hWndCurrQQ = chat;
    EXPECT_EQ(Send(msg::kSize, msg::kSizeMinimized, chat),
              (Calls{"post " + Id(main) + " " + Id(chat), "hide " + Id(tool)}));
    EXPECT_EQ(Send(msg::kSize, msg::kSizeRestored, chat),
              (Calls{"post " + Id(main) + " " + Id(chat), "restore " + Id(tool)}));
    d.Get(chat).rect = Rect{0, 0, 1280, 1000};
    const Calls maximised = Send(msg::kSize, 2, chat);
    EXPECT_EQ(maximised.back(), "move " + Id(tool) + " 1280,844");
}

TEST_F(ChatHook, SizeOfAnotherChatWindowMakesItCurrentAndRaisesThePair) {
    shared.hWndCurrQQ = chat;
    const Hwnd second = Chat(Rect{200, 200, 500, 600});
    const Calls calls = Send(msg::kSize, msg::kSizeRestored, second);
    EXPECT_EQ(calls, (Calls{"post " + Id(main) + " " + Id(second), "raise " + Id(tool),
                            "raisechat " + Id(second), "restore " + Id(tool)}));
    EXPECT_EQ(shared.hWndCurrQQ, second);
}

TEST_F(ChatHook, TargetIsRestoredWhenIconicAndLeftAloneWhenShown) {
    d.Get(tool).iconic = true;
    Calls calls = Send(msg::kActivateApp, 1, chat);
    EXPECT_EQ(calls, (Calls{"restore " + Id(tool), "raise " + Id(tool), "raisechat " + Id(chat)}));
    calls = Send(msg::kActivateApp, 1, chat);
    EXPECT_EQ(calls, (Calls{"raise " + Id(tool), "raisechat " + Id(chat)}));
    EXPECT_TRUE(Send(msg::kActivateApp, 0, chat).empty());
    EXPECT_TRUE(Send(msg::kActivateApp, 2, chat).empty());
}

TEST_F(ChatHook, MovesOfAMinimisedOrHiddenChatWindowPostButLeaveTheTargetAlone) {
    d.Get(chat).iconic = true;
    EXPECT_EQ(Send(msg::kWindowPosChanged, 0, chat), (Calls{"post " + Id(main) + " " + Id(chat)}));
    d.Get(chat).iconic = false;
    d.Get(chat).visible = false;
    EXPECT_EQ(Send(msg::kWindowPosChanged, 0, chat), (Calls{"post " + Id(main) + " " + Id(chat)}));
}

TEST_F(ChatHook, DestroyingTheCurrentChatWindowHidesTheTargetOthersDoNot) {
    const Hwnd second = Chat(Rect{200, 200, 500, 600});
    shared.hWndCurrQQ = chat;
    EXPECT_TRUE(Send(msg::kDestroy, 0, second).empty());
    EXPECT_EQ(Send(msg::kDestroy, 0, chat), (Calls{"hide " + Id(tool)}));
    EXPECT_EQ(shared.hWndCurrQQ, 0u);
    EXPECT_EQ(Send(msg::kDestroy, 0, second), (Calls{"hide " + Id(tool)}));
}

TEST_F(ChatHook, CreationOnlyPosts) {
    EXPECT_EQ(Send(msg::kCreate, 0, chat), (Calls{"post " + Id(main) + " " + Id(chat)}));
}

TEST_F(ChatHook, NothingHappensForOtherWindowsMessagesOrWhileBusyOrUninstalled) {
    const Hwnd relogin = d.Add("TXGuiFoundation", 0, "重新登录", Rect{0, 0, 300, 200});
    d.Add("ATL:1", relogin);
    const Hwnd qqMain = d.Add("TXGuiFoundation", 0, "QQ2009", Rect{0, 0, 300, 200});
    d.Add("ATL:1", qqMain);
    for (unsigned m : {msg::kCreate, msg::kDestroy, msg::kSize, msg::kActivate,
                       msg::kActivateApp, msg::kWindowPosChanged}) {
        EXPECT_TRUE(Send(m, 1, relogin).empty());
        EXPECT_TRUE(Send(m, 1, qqMain).empty());
        EXPECT_TRUE(Send(m, 1, d.Get(chat).children.front()).empty());  // the input's host
        EXPECT_TRUE(Send(m, 1, main).empty());
    }
    for (unsigned m : {0x000Fu, 0x0046u, 0x0100u, 0x0465u, 0xC000u})
        EXPECT_TRUE(Send(m, 1, chat).empty());

    shared.bBusy = 1;
    d.calls.clear();
    HandleHookedMessage(shared, d, {msg::kActivate, 1, chat});
    EXPECT_TRUE(d.calls.empty());
    EXPECT_EQ(shared.bBusy, 1);
    shared.bBusy = 0;

    shared.hWndMain = 0;
    EXPECT_TRUE(Send(msg::kActivate, 1, chat).empty());
    EXPECT_EQ(shared.hWndCurrQQ, 0u);
}

TEST_F(ChatHook, OwnMovesReenterWhileBusyAndAreSwallowed) {
    int reentered = 0;
    d.onCall = [&](const std::string& call) {
        if (call.rfind("raisechat", 0) != 0) return;
        EXPECT_EQ(shared.bBusy, 1);
        // Raising the chat window sends it WM_WINDOWPOSCHANGED on this very thread.
        const size_t before = d.calls.size();
        HandleHookedMessage(shared, d, {msg::kWindowPosChanged, 0, chat});
        EXPECT_EQ(d.calls.size(), before);
        ++reentered;
    };
    Send(msg::kActivate, 1, chat);
    EXPECT_EQ(reentered, 2);
}

TEST_F(ChatHook, ChatWindowDestroyedWhileHandledMovesNothingAndHidesTheTarget) {
    // The window goes in answer to our raise; its WM_DESTROY comes while we are busy.
    int destroyMessages = 0;
    d.onCall = [&](const std::string& call) {
        if (call.rfind("raisechat", 0) != 0 || !d.Exists(chat)) return;
        HandleHookedMessage(shared, d, {msg::kDestroy, 0, chat});
        ++destroyMessages;
        d.Remove(chat);
    };
    for (unsigned message : {msg::kActivate, msg::kSize, msg::kActivateApp}) {
        SCOPED_TRACE(message);
        chat = Chat(Rect{100, 100, 600, 500});
        shared.hWndCurrQQ = 0;
        d.Get(tool).visible = true;
        const Calls calls = Send(message, message == msg::kSize ? 2 : 1, chat);
        for (const std::string& c : calls) EXPECT_NE(c.rfind("move", 0), 0u) << c;
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls.back(), "hide " + Id(tool));
        EXPECT_FALSE(d.Get(tool).visible);
        EXPECT_EQ(shared.hWndCurrQQ, 0u);
    }
    EXPECT_EQ(destroyMessages, 3);
    EXPECT_EQ(d.Get(tool).rect, (Rect{0, 0, 30, 120}));
}

TEST_F(ChatHook, BackgroundChatWindowGoneWhileHandledLeavesTheCurrentOnesTarget) {
    shared.hWndCurrQQ = chat;
    const Hwnd other = Chat(Rect{200, 200, 500, 600});
    d.onCall = [&](const std::string& call) {
        if (call.rfind("show", 0) == 0 && d.Exists(other)) d.Remove(other);
    };
    d.Get(tool).visible = false;
    const Calls calls = Send(msg::kWindowPosChanged, 0, other);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "hide " + Id(tool)), 0);
    EXPECT_EQ(shared.hWndCurrQQ, chat);
}

TEST_F(ChatHook, ToolbarGoneLeavesNothingToDo) {
    d.Remove(tool);
    const Calls calls = Send(msg::kWindowPosChanged, 0, chat);
    // The title cannot be read, so the main window is the target.
    EXPECT_EQ(calls.back(), "place " + Id(main) + " 600,100,850,500");
    shared.hWndTool = 0;
    shared.hWndMain = 12345;  // stale: nothing exists behind it
    EXPECT_EQ(Send(msg::kWindowPosChanged, 0, chat), (Calls{"post 12345 " + Id(chat), "show 12345"}));
}

}  // namespace
}  // namespace dock::test
