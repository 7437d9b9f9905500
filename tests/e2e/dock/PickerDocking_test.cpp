// The real picker docking beside the fake messenger: panel mode, docking switched off, the
// messenger started from its registry path, the hook removed at exit.
#include <gtest/gtest.h>

#include "DockFixture_win.h"

namespace docktest {
namespace {

TEST_F(PickerDocking, PanelModeGivesTheMainWindowTheChatWindowsTopAndHeight) {
    ASSERT_TRUE(StartMessenger("--window classic-bar@80,150,420,360"));
    ASSERT_TRUE(StartPicker({}));
    const HWND chat = qq.Window(1);
    const LONG width = RectOf(main).right - RectOf(main).left;
    ASSERT_TRUE(ActivateUntilDocked(1, [&] { return Docked(main, MainBeside(chat, main, false)); }))
        << State(chat);
    EXPECT_EQ(RectOf(main).right - RectOf(main).left, width);
    EXPECT_FALSE(IsWindowVisible(tool));
    // What the user sees is the window's region: it must start at the rectangle's corner, or
    // the picker would sit below the chat window's top and off its edge.
    RECT box{};
    ASSERT_NE(GetWindowRgnBox(main, &box), ERROR) << "the skinned main window has no region";
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, width);
    Settle();
    testkit::Screenshot("dock_e2e_test_panel");
}

TEST_F(PickerDocking, DockingOffMovesThePickerAwayTopmostAndNothingFollowsAnyMore) {
    ASSERT_TRUE(StartMessenger("--window classic@80,150,420,360"));
    ASSERT_TRUE(StartPicker({}));
    const HWND chat = qq.Window(1);
    ASSERT_TRUE(ActivateUntilDocked(1, [&] { return Docked(main, MainBeside(chat, main, false)); }))
        << State(chat);
    const RECT docked = RectOf(main);

    ClickPin(main);  // checked and installed: docking off
    RECT away = docked;
    OffsetRect(&away, 10, 0);
    ASSERT_TRUE(WaitRect(main, [&] { return away; })) << State(chat);
    EXPECT_TRUE(GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_TOPMOST);

    const size_t from = qq.Lines().size();
    ASSERT_EQ(Messenger("move 1 30 60"), 1);
    ASSERT_GE(qq.WaitLine({"MOVED id=1 rect=30,60,"}, from), 0);
    ASSERT_TRUE(Activate(1));
    DWORD_PTR r = 0;
    SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &r);  // let it catch up
    EXPECT_EQ(RectText(RectOf(main)), RectText(away)) << State(chat);

    ClickPin(main);  // unchecked: docking on again
    EXPECT_TRUE(WaitRect(main, [&] { return MainBeside(chat, main, false); })) << State(chat);
}

TEST_F(PickerDocking, ExitRemovesTheHook) {
    ASSERT_TRUE(StartMessenger("--window classic@80,150,420,360"));
    ASSERT_TRUE(StartPicker({}));
    const HWND chat = qq.Window(1);
    ASSERT_TRUE(ActivateUntilDocked(1, [&] { return Docked(main, MainBeside(chat, main, false)); }))
        << State(chat);
    PostMessageW(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(picker.WaitExit(30000));

    // Nobody holds the installation any more: a new one succeeds at once.
    HMODULE lib = LoadLibraryW(testkit::Wide(app + "\\Mienko.dll").c_str());
    ASSERT_TRUE(lib);
    using Install = int(WINAPI*)(DWORD, HWND, HWND);
    using Uninstall = int(WINAPI*)(HWND);
    auto install = reinterpret_cast<Install>(reinterpret_cast<void*>(GetProcAddress(lib, "InstallHook")));
    auto uninstall = reinterpret_cast<Uninstall>(reinterpret_cast<void*>(GetProcAddress(lib, "UninstallHook")));
    ASSERT_TRUE(install && uninstall);
    const DWORD thread = GetWindowThreadProcessId(chat, nullptr);
    EXPECT_EQ(install(thread, bystander.Get(), bystander.Get()), 1);
    EXPECT_EQ(uninstall(bystander.Get()), 1);
}

TEST_F(PickerDocking, MessengerNotRunningIsStartedFromItsRegistryPathAndDocked) {
    const std::string install = testkit::RunDir() + "\\QQ2009";
    const std::string exe = install + "\\Bin\\QQ.exe";
    CreateDirectoryW(testkit::Wide(install).c_str(), nullptr);
    CreateDirectoryW(testkit::Wide(install + "\\Bin").c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(testkit::Wide(app + "\\FakeQQ.exe").c_str(), testkit::Wide(exe).c_str(), FALSE));
    FakeQQProcess reg;
    ASSERT_TRUE(reg.Start(exe, "--register qq2009", testkit::RunDir() + "\\fakeqq-register.log"));
    DWORD code = 99;
    ASSERT_TRUE(reg.WaitExit(std::chrono::seconds(30), &code));
    ASSERT_EQ(code, 0u);

    // The messenger the picker starts inherits this from the picker.
    const std::string log = testkit::RunDir() + "\\fakeqq-started.log";
    SetEnvironmentVariableW(
        L"FAKEQQ_OPTIONS",
        testkit::Wide("--window classic@200,120,420,360 --tag Started" + fakeqq::SafetyLifetimeArg())
            .c_str());
    SetEnvironmentVariableW(L"FAKEQQ_LOG", testkit::Wide(log).c_str());
    const bool started = StartPicker({true, false});
    SetEnvironmentVariableW(L"FAKEQQ_OPTIONS", nullptr);
    SetEnvironmentVariableW(L"FAKEQQ_LOG", nullptr);
    ASSERT_TRUE(started);

    ASSERT_TRUE(testkit::WaitUntil([&] { return Messenger("ping", "Started") == 1; },
                                   std::chrono::seconds(60)))
        << "the picker did not start the registered messenger";
    const HWND chat = reinterpret_cast<HWND>(Messenger("hwnd 1", "Started"));
    ASSERT_TRUE(IsWindow(chat));
    // The picker looks for the messenger every 3 seconds, then installs the hook.
    EXPECT_TRUE(ActivateUntilDocked(
        1, [&] { return Docked(tool, ToolbarBeside(chat, tool, false)); }, "Started"))
        << State(chat) << "\n" << testkit::ReadFile(log);
    Settle();
    testkit::Screenshot("dock_e2e_test_started_messenger");

    Messenger("quit", "Started");
    FakeQQProcess unreg;
    unreg.Start(exe, "--unregister", testkit::RunDir() + "\\fakeqq-unregister.log");
    unreg.WaitExit(std::chrono::seconds(30));
}

}  // namespace
}  // namespace docktest
