// The picker opens the online download window from its "更多..." label and from its tray
// menu item "表情下载"; the window is modal over the picker and closes back to it.
#include <gtest/gtest.h>

#include <windows.h>

#include "PelumoKit_win.h"
#include "RecStubClient_win.h"
#include "TestKit.h"

namespace {

constexpr int kMoreLabel = 1048;
constexpr int kTrayDownload = 32775;

HWND OnlineWindow() {
    return FindWindowW(L"#32770", L"Pelu表情在线下载");
}

class FromPicker : public ::testing::Test {
protected:
    void SetUp() override {
        app = testkit::AppDir();
        ASSERT_TRUE(recstub::PlaceStub(app, app, "Tessel.exe"));
        ASSERT_TRUE(recstub::PlaceStub(app, app, "Volte.exe"));
        pelumo::QuietUpdates();
        ASSERT_TRUE(pelumo::MakeStandardLibrary(app));
        ASSERT_TRUE(picker.Start(app));
        ASSERT_TRUE(picker.WaitWindow());
    }
    void TearDown() override { pelumo::ClearRegistry(); }

    // Waits for the window, checks it belongs over the picker, closes it.
    void ExpectOpensAndCloses(const char* shot) {
        HWND online = nullptr;
        ASSERT_TRUE(pelumo::WaitFor([&] { return (online = OnlineWindow()) != nullptr && IsWindowVisible(online); },
                                    30000));
        EXPECT_EQ(GetWindow(online, GW_OWNER), picker.Window());
        EXPECT_FALSE(IsWindowEnabled(picker.Window())) << "modal: the picker waits";
        // Seen: the picker stays on top of everything, and this window over it.
        EXPECT_TRUE(GetWindowLongPtrW(online, GWL_EXSTYLE) & WS_EX_TOPMOST);
        RECT r;
        GetWindowRect(online, &r);
        POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        EXPECT_EQ(GetAncestor(WindowFromPoint(centre), GA_ROOT), online);
        testkit::WaitUntil([] { return false; }, std::chrono::milliseconds(300));
        if (shot) {
            EXPECT_TRUE(testkit::Screenshot(shot));
        }
        PostMessageW(online, WM_CLOSE, 0, 0);
        ASSERT_TRUE(pelumo::WaitFor([] { return OnlineWindow() == nullptr; }, 30000));
        EXPECT_TRUE(pelumo::WaitFor([&] { return IsWindowEnabled(picker.Window()) != FALSE; }, 10000));
    }

    std::string app;
    pelumo::Picker picker;
};

TEST_F(FromPicker, MoreLabelAndTrayItemOpenTheWindow) {
    // Posted, not sent: the click opens a modal window, which a sent message would wait for.
    const HWND more = GetDlgItem(picker.Window(), kMoreLabel);
    ASSERT_TRUE(more);
    EXPECT_EQ(picker.Text(kMoreLabel), "更多...");
    PostMessageW(picker.Window(), WM_COMMAND, MAKEWPARAM(kMoreLabel, STN_CLICKED), reinterpret_cast<LPARAM>(more));
    ExpectOpensAndCloses("onlinedown-from-picker");
    PostMessageW(picker.Window(), WM_COMMAND, kTrayDownload, 0);
    ExpectOpensAndCloses(nullptr);
    PostMessageW(picker.Window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(picker.WaitExit(30000));
}

}  // namespace
