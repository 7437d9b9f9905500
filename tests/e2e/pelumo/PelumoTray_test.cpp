// The tray menu, opened through the tray icon's callback and worked with the keyboard: its
// first item hides and shows the main window, the second toggles docking, the last exits.
#include <gtest/gtest.h>

#include <windows.h>

#include "Bystander_win.h"
#include "PelumoKit_win.h"
#include "RecStubClient_win.h"
#include "TestKit.h"

namespace {

using pelumo::Picker;
using testkit::Wide;

constexpr UINT kTrayNotify = WM_USER + 10;

class PelumoTray : public ::testing::Test {
protected:
    void SetUp() override {
        app = testkit::AppDir();
        ASSERT_FALSE(app.empty()) << "run through the harness (--install)";
        ASSERT_TRUE(recstub::PlaceStub(app, app, "Tessel.exe"));
        ASSERT_TRUE(recstub::PlaceStub(app, app, "Volte.exe"));
        pelumo::QuietUpdates();
        ASSERT_TRUE(pelumo::MakeLibrary(app, {{"默认表情", 3}}));
    }
    void TearDown() override { pelumo::ClearRegistry(); }

    // A right click on the tray icon; the menu it opens, null when none opened.
    HWND OpenMenu() {
        PostMessageW(picker.Window(), kTrayNotify, 136, WM_RBUTTONUP);
        return picker.WaitPopupMenu();
    }
    // Keys as the menu's own loop reads them (it takes every key message of its thread).
    static void Keys(HWND menu, std::initializer_list<WPARAM> keys) {
        for (WPARAM k : keys) {
            PostMessageW(menu, WM_KEYDOWN, k, 1);
            PostMessageW(menu, WM_KEYUP, k, 0xC0000001);
        }
    }
    bool WaitClosed(HWND menu) {
        return pelumo::WaitFor([&] { return !IsWindow(menu) || !IsWindowVisible(menu); });
    }
    bool MainVisible() { return IsWindowVisible(picker.Window()) != FALSE; }

    std::string app;
    Picker picker;
};

TEST_F(PelumoTray, MenuHidesAndShowsTheWindowTogglesDockingAndExits) {
    HANDLE f = CreateFileW(Wide(app + "\\config.xml").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const std::string config = "<ROOT version=\"1\"><Menu_QQHook bool=\"0\" /></ROOT>";
    DWORD n = 0;
    WriteFile(f, config.data(), static_cast<DWORD>(config.size()), &n, nullptr);
    CloseHandle(f);
    ASSERT_TRUE(picker.Start(app));
    ASSERT_TRUE(picker.WaitWindow());

    // Shown: the first item hides the window (the program stays in the tray).
    HWND menu = OpenMenu();
    ASSERT_TRUE(menu);
    testkit::Screenshot("e2e_pelumo_tray_menu_shown");
    Keys(menu, {VK_DOWN, VK_RETURN});
    ASSERT_TRUE(WaitClosed(menu));
    EXPECT_TRUE(pelumo::WaitFor([&] { return !MainVisible(); }));

    // Hidden: the same item shows it again. The hidden window takes the foreground for its
    // menu; with no window manager, taking it from Wine's own tray window moves the X focus to
    // the root, Wine then activates the desktop and that closes the menu. On a desktop some
    // other window holds the focus, as the bystander does here.
    testkit::Bystander bystander;
    ASSERT_TRUE(bystander.Get());
    SetForegroundWindow(bystander.Get());
    ASSERT_TRUE(pelumo::WaitFor([&] { return GetForegroundWindow() == bystander.Get(); }));
    menu = OpenMenu();
    ASSERT_TRUE(menu);
    testkit::Screenshot("e2e_pelumo_tray_menu_hidden");
    Keys(menu, {VK_DOWN, VK_RETURN});
    ASSERT_TRUE(WaitClosed(menu));
    EXPECT_TRUE(pelumo::WaitFor([&] { return MainVisible(); }));

    // Escape chooses nothing.
    menu = OpenMenu();
    ASSERT_TRUE(menu);
    Keys(menu, {VK_ESCAPE});
    ASSERT_TRUE(WaitClosed(menu));
    EXPECT_TRUE(MainVisible());

    // The second item turns docking on (kept at exit); the last one exits.
    menu = OpenMenu();
    ASSERT_TRUE(menu);
    Keys(menu, {VK_DOWN, VK_DOWN, VK_RETURN});
    ASSERT_TRUE(WaitClosed(menu));
    menu = OpenMenu();
    ASSERT_TRUE(menu);
    testkit::Screenshot("e2e_pelumo_tray_menu_docking");
    Keys(menu, {VK_UP, VK_RETURN});
    EXPECT_TRUE(picker.WaitExit(30000));
    const std::string saved = testkit::ReadFile(app + "\\config.xml");
    EXPECT_NE(saved.find("<Menu_QQHook bool=\"1\""), std::string::npos) << saved;
    EXPECT_NE(saved.find("<StartShowTool bool=\"0\""), std::string::npos) << saved;
}

}  // namespace
