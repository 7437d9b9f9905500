// The chat-window toolbar's "downface" button opens the online download window too.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "DockFixture_win.h"

namespace docktest {
namespace {

HWND OnlineWindow() {
    return FindWindowW(L"#32770", L"Pelu表情在线下载");
}

TEST_F(PickerDocking, ToolbarDownloadButtonOpensTheOnlineWindow) {
    ASSERT_TRUE(StartPicker({true, false}));
    // Buttons top to bottom: mainface, editface, downface, settings.
    std::vector<HWND> buttons;
    for (HWND c = GetWindow(tool, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) buttons.push_back(c);
    std::sort(buttons.begin(), buttons.end(), [](HWND a, HWND b) { return RectOf(a).top < RectOf(b).top; });
    ASSERT_EQ(buttons.size(), 4u);
    PostMessageW(buttons[2], WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    HWND online = nullptr;
    ASSERT_TRUE(testkit::WaitUntil([&] { return (online = OnlineWindow()) != nullptr && IsWindowVisible(online); },
                                   kWait));
    PostMessageW(online, WM_CLOSE, 0, 0);
    EXPECT_TRUE(testkit::WaitUntil([] { return OnlineWindow() == nullptr; }, kWait));
}

}  // namespace
}  // namespace docktest
