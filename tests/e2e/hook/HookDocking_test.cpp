// The hook library inside the fake messenger, with a test playing the main program: the toolbar
// (or the main window) follows the active chat window, on the side the toolbar title names.
#include <gtest/gtest.h>

#include "FakeQQClient_win.h"
#include "HookFixture_win.h"

namespace hooktest {
namespace {

const std::string kTool = "PeluQQ表情工具栏";

class ToolbarDocking : public HookFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(ToolbarDocking, FollowsMovesSizesMinimiseRestoreAndClose) {
    const std::string kind = GetParam();
    ASSERT_TRUE(StartMessenger("--window " + kind + "@100,100,420,360"));
    const HWND chat = qq.Window(1);
    ASSERT_EQ(picker.Install(lib, GetWindowThreadProcessId(chat, nullptr)), 1);

    ASSERT_TRUE(Activate(1));
    ASSERT_TRUE(WaitToolDocked(chat, Side::Right)) << State(chat);
    EXPECT_TRUE(WaitReported(chat));
    // The toolbar shows without taking the activation from the chat window.
    EXPECT_EQ(GetForegroundWindow(), chat);
    testkit::Screenshot("hook_e2e_test_right_" + Safe(kind));

    ASSERT_TRUE(Command("move 1 300 200", "MOVED id=1 rect=300,200,"));
    EXPECT_TRUE(WaitToolDocked(chat, Side::Right)) << State(chat);
    ASSERT_TRUE(Command("resize 1 500 450", "MOVED id=1 rect=300,200,800,650"));
    EXPECT_TRUE(WaitToolDocked(chat, Side::Right)) << State(chat);

    ASSERT_TRUE(Command("minimize 1", "MINIMIZED id=1"));
    EXPECT_TRUE(testkit::WaitUntil([&] { return !IsWindowVisible(picker.Tool()); }, kWait))
        << State(chat);
    ASSERT_TRUE(Command("restore 1", "RESTORED id=1"));
    EXPECT_TRUE(WaitToolDocked(chat, Side::Right)) << State(chat);

    ASSERT_TRUE(Command("close 1", "CLOSED id=1"));
    EXPECT_TRUE(testkit::WaitUntil([&] { return !IsWindowVisible(picker.Tool()); }, kWait));
}

TEST_P(ToolbarDocking, LeftTitleMirrorsAndPanelTitleDocksTheMainWindow) {
    const std::string kind = GetParam();
    ASSERT_TRUE(StartMessenger("--window " + kind + "@400,150,420,360"));
    const HWND chat = qq.Window(1);
    picker.SetTitle("<" + kTool);
    ASSERT_EQ(picker.Install(lib, GetWindowThreadProcessId(chat, nullptr)), 1);

    ASSERT_TRUE(Activate(1));
    ASSERT_TRUE(WaitToolDocked(chat, Side::Left)) << State(chat);
    testkit::Screenshot("hook_e2e_test_left_" + Safe(kind));

    picker.SetTitle("隐藏-" + kTool);
    ASSERT_TRUE(Command("move 1 300 120", "MOVED id=1 rect=300,120,"));
    ASSERT_TRUE(WaitMainDocked(chat, Side::Right)) << State(chat);
    testkit::Screenshot("hook_e2e_test_panel_" + Safe(kind));

    picker.SetTitle("<隐藏-" + kTool);
    ASSERT_TRUE(Command("resize 1 400 300", "MOVED id=1 rect=300,120,700,420"));
    EXPECT_TRUE(WaitMainDocked(chat, Side::Left)) << State(chat);
}

INSTANTIATE_TEST_SUITE_P(ChatWindows, ToolbarDocking,
                         ::testing::Values("classic", "classic-bar", "tx"),
                         [](const auto& info) { return Safe(info.param); });

class HookDocking : public HookFixture {};

TEST_F(HookDocking, SecondChatWindowTakesTheToolbarAndIsReported) {
    ASSERT_TRUE(StartMessenger("--window classic@60,80,400,330 --window tx@520,300,400,330"));
    const HWND first = qq.Window(1), second = qq.Window(2);
    ASSERT_EQ(picker.Install(lib, GetWindowThreadProcessId(first, nullptr)), 1);

    ASSERT_TRUE(Activate(1));
    ASSERT_TRUE(WaitToolDocked(first, Side::Right)) << State(first);
    ASSERT_TRUE(Activate(2));
    ASSERT_TRUE(WaitToolDocked(second, Side::Right)) << State(second);
    ASSERT_TRUE(WaitReported(second));
    PumpPending();
    EXPECT_EQ(picker.Reported().back(), second);

    // Closing the chat window in the background leaves the toolbar beside the active one.
    ASSERT_TRUE(Command("close 1", "CLOSED id=1"));
    PumpPending();
    EXPECT_TRUE(IsWindowVisible(picker.Tool()));
    EXPECT_EQ(RectText(RectOf(picker.Tool())), RectText(ToolDocked(second, Side::Right)));
}

TEST_F(HookDocking, MessengerMainWindowAndReloginDialogAreIgnored) {
    ASSERT_TRUE(StartMessenger(
        "--window classic@60,80,400,330 --window tx-main@500,60,300,500 "
        "--window tx-relogin@520,600,300,200 --window tx-twoatl@100,500,300,300"));
    const HWND chat = qq.Window(1);
    ASSERT_EQ(picker.Install(lib, GetWindowThreadProcessId(chat, nullptr)), 1);
    ASSERT_TRUE(Activate(1));
    ASSERT_TRUE(WaitToolDocked(chat, Side::Right)) << State(chat);
    const std::string docked = RectText(RectOf(picker.Tool()));

    for (int id : {2, 3, 4}) {
        const std::string n = std::to_string(id);
        ASSERT_TRUE(Activate(id));
        ASSERT_TRUE(Command("move " + n + " 40 40", "MOVED id=" + n + " rect=40,40,"));
        PumpPending();  // whatever the hook did is queued for us by now
        EXPECT_EQ(RectText(RectOf(picker.Tool())), docked) << "window " << id;
        for (HWND r : picker.Reported()) EXPECT_NE(r, qq.Window(id)) << "window " << id;
    }
}

TEST_F(HookDocking, InstallOnceUninstallOnlyWithTheOwnWindowThenNothingMoves) {
    ASSERT_TRUE(StartMessenger("--window classic@100,100,400,330"));
    const HWND chat = qq.Window(1);
    const DWORD thread = GetWindowThreadProcessId(chat, nullptr);
    ASSERT_EQ(picker.Install(lib, thread), 1);
    EXPECT_EQ(lib.install(thread, picker.Main(), picker.Tool()), 0);
    PickerStandIn other;
    EXPECT_EQ(other.Install(lib, thread), 0);
    EXPECT_EQ(lib.uninstall(other.Main()), 0);
    EXPECT_EQ(lib.uninstall(nullptr), 0);
    ASSERT_EQ(picker.Uninstall(lib), 1);
    EXPECT_EQ(lib.uninstall(picker.Main()), 0);

    const RECT before = RectOf(picker.Tool());
    ASSERT_TRUE(Activate(1));
    ASSERT_TRUE(Command("move 1 200 150", "MOVED id=1 rect=200,150,"));
    PumpPending();
    EXPECT_FALSE(IsWindowVisible(picker.Tool()));
    EXPECT_EQ(RectText(RectOf(picker.Tool())), RectText(before));
    EXPECT_TRUE(picker.Reported().empty());

    // Installed again, it works again.
    ASSERT_EQ(picker.Install(lib, thread), 1);
    ASSERT_TRUE(Command("move 1 220 150", "MOVED id=1 rect=220,150,"));
    EXPECT_TRUE(WaitToolDocked(chat, Side::Right)) << State(chat);
}

TEST_F(HookDocking, BadToolbarTitlesDockTheMainWindowNeverTheToolbar) {
    ASSERT_TRUE(StartMessenger("--window classic@100,100,400,330"));
    const HWND chat = qq.Window(1);
    ASSERT_EQ(picker.Install(lib, GetWindowThreadProcessId(chat, nullptr)), 1);
    const RECT toolBefore = RectOf(picker.Tool());
    int x = 100;
    for (const std::string& title : {std::string(), std::string(300, 'x'), "<<" + kTool,
                                     kTool + " ", std::string("PeluQQ")}) {
        picker.SetTitle(title);
        x += 20;
        ASSERT_TRUE(Command("move 1 " + std::to_string(x) + " 100",
                            "MOVED id=1 rect=" + std::to_string(x) + ",100,"));
        EXPECT_TRUE(WaitMainDocked(chat, title.rfind("<", 0) == 0 ? Side::Left : Side::Right))
            << "title of " << title.size() << " bytes: " << State(chat);
        EXPECT_EQ(RectText(RectOf(picker.Tool())), RectText(toolBefore));
    }
}

}  // namespace
}  // namespace hooktest
