// The real picker in toolbar mode beside the fake messenger: the toolbar docked right of the
// active chat window (the demo scenario of scripts/run.sh) and, with the left option, left.
#include <gtest/gtest.h>

#include "DockFixture_win.h"

namespace docktest {
namespace {

TEST_F(PickerDocking, ToolbarModeDocksTheToolbarRightOfTheActiveChatWindow) {
    ASSERT_TRUE(StartMessenger("--window classic@120,100,420,360"));
    ASSERT_TRUE(StartPicker({true, false}));
    const HWND chat = qq.Window(1);
    ASSERT_TRUE(ActivateUntilDocked(1, [&] { return Docked(tool, ToolbarBeside(chat, tool, false)); }))
        << State(chat);
    // The dialog shows itself when its queue first goes empty and hides on its first paint
    // after that; the docking may well be quicker than that paint.
    EXPECT_TRUE(testkit::WaitUntil([&] { return !IsWindowVisible(main); }, kWait))
        << "the main window stays hidden once docked in toolbar mode";
    // Docked beside it, the toolbar leaves the chat window the one the user types into.
    // (Activated again: Wine's tray window may take the foreground once, when it first shows.)
    ASSERT_TRUE(Activate(1));
    ASSERT_TRUE(WaitRect(tool, [&] { return ToolbarBeside(chat, tool, false); })) << State(chat);
    Settle();
    EXPECT_EQ(GetForegroundWindow(), chat) << "foreground: " << TitleOf(GetForegroundWindow());
    testkit::Screenshot("dock_toolbar_e2e_test_right");

    // The buttons' tips open to the right, away from the chat window.
    HWND button = nullptr;
    const HWND tip = HoverToolbarButton(tool, GetProcessId(picker.Process()), &button);
    ASSERT_TRUE(tip) << "no tooltip for a toolbar button";
    EXPECT_EQ(RectOf(tip).left, RectOf(button).right);
    EXPECT_EQ(RectOf(tip).top, RectOf(button).top);
    SetCursorPos(640, 900);

    ASSERT_EQ(Messenger("move 1 300 240"), 1);
    EXPECT_TRUE(WaitRect(tool, [&] { return ToolbarBeside(chat, tool, false); })) << State(chat);
    EXPECT_FALSE(IsWindowVisible(main)) << "the main window came back while docked";
}

TEST_F(PickerDocking, LeftSideTitleStartsWithTheArrowAndDocksOnTheLeft) {
    ASSERT_TRUE(StartMessenger("--window tx@500,120,420,360"));
    ASSERT_TRUE(StartPicker({true, true}));
    const HWND chat = qq.Window(1);
    ASSERT_TRUE(ActivateUntilDocked(1, [&] { return Docked(tool, ToolbarBeside(chat, tool, true)); }))
        << State(chat);
    ASSERT_TRUE(Activate(1));
    ASSERT_TRUE(WaitRect(tool, [&] { return ToolbarBeside(chat, tool, true); })) << State(chat);
    Settle();
    HWND button = nullptr;
    const HWND tip = HoverToolbarButton(tool, GetProcessId(picker.Process()), &button);
    ASSERT_TRUE(tip) << "no tooltip for a toolbar button";
    EXPECT_EQ(RectOf(tip).right, RectOf(button).left) << "tips open to the left";
    EXPECT_EQ(RectOf(tip).top, RectOf(button).top);
    testkit::Screenshot("dock_toolbar_e2e_test_left");
    SetCursorPos(640, 900);
}

}  // namespace
}  // namespace docktest
