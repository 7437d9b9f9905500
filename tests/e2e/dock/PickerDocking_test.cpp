// The real picker docking beside the fake messenger: toolbar mode on both sides, panel mode,
// docking switched off, the messenger started from its registry path, the hook removed at exit.
#include <gtest/gtest.h>

#include "DockKit_win.h"
#include "FakeQQClient_win.h"
#include "PelumoKit_win.h"
#include "TestKit.h"

namespace docktest {
namespace {

using fakeqq::FakeQQProcess;

// A window of the test that can take the foreground, so activating a chat window is an event.
class Bystander {
public:
    Bystander() {
        m_hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, L"Static", L"bystander", WS_POPUP | WS_VISIBLE,
                                 1200, 980, 20, 20, nullptr, nullptr, nullptr, nullptr);
    }
    ~Bystander() { DestroyWindow(m_hwnd); }
    HWND Get() const { return m_hwnd; }

private:
    HWND m_hwnd = nullptr;
};

class PickerDocking : public ::testing::Test {
protected:
    void SetUp() override {
        app = testkit::AppDir();
        ASSERT_FALSE(app.empty()) << "run through the harness (--install)";
        ASSERT_TRUE(pelumo::MakeStandardLibrary(app));
        pelumo::QuietUpdates();
    }
    void TearDown() override {
        if (main && IsWindow(main)) PostMessageW(main, WM_CLOSE, 0, 0);
        if (!picker.WaitExit(20000)) picker.Kill();
    }

    bool StartMessenger(const std::string& windows) {
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        return qq.Start(app + "\\FakeQQ.exe", windows + " --lifetime 120",
                        testkit::RunDir() + "\\fakeqq-" + name.substr(0, 40) + ".log") &&
               qq.WaitReady(std::chrono::seconds(60));
    }

    // Starts the picker and waits until its toolbar carries the dock order of `config`.
    bool StartPicker(const DockConfig& config) {
        if (!WriteConfig(app, config) || !picker.Start(app)) return false;
        const DWORD pid = GetProcessId(picker.Process());
        const bool found = testkit::WaitUntil(
            [&] {
                main = FindMainWindow(pid);
                tool = FindToolbar(pid);
                return main && tool;
            },
            std::chrono::seconds(60));
        const std::string title = std::string(config.showLeft ? "<" : "") +
                                  (config.startShowTool ? "" : "隐藏-") + "PeluQQ表情工具栏";
        return found && testkit::WaitUntil([&] { return TitleOf(tool) == title; }, kWait);
    }

    // The hook goes in at the end of the picker's start, which the test cannot see from
    // outside: activations are repeated until `docked` holds.
    bool ActivateUntilDocked(int id, const std::function<bool()>& docked,
                             const std::string& tag = "FakeQQ") {
        return testkit::WaitUntil(
            [&] {
                Activate(id, tag);
                return testkit::WaitUntil(docked, std::chrono::seconds(2));
            },
            std::chrono::seconds(60));
    }

    bool Activate(int id, const std::string& tag = "FakeQQ") {
        SetForegroundWindow(bystander.Get());
        testkit::WaitUntil([&] { return GetForegroundWindow() == bystander.Get(); }, kWait);
        return Messenger("activate " + std::to_string(id), tag) == 1 &&
               testkit::WaitUntil([&] { return GetForegroundWindow() != bystander.Get(); }, kWait);
    }

    std::string State(HWND chat) const {
        return "chat=" + RectText(RectOf(chat)) + " tool=" + RectText(RectOf(tool)) +
               (IsWindowVisible(tool) ? " shown" : " hidden") + " title=" + TitleOf(tool) +
               " main=" + RectText(RectOf(main)) + (IsWindowVisible(main) ? " shown" : " hidden");
    }

    // Lets the picker handle what is queued (paint included) before a screenshot.
    void Settle() const {
        DWORD_PTR r = 0;
        SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &r);
        testkit::WaitUntil([] { return false; }, std::chrono::milliseconds(300));
    }

    std::string app;
    Bystander bystander;
    FakeQQProcess qq;
    pelumo::Picker picker;
    HWND main = nullptr, tool = nullptr;
};

TEST_F(PickerDocking, ToolbarModeDocksTheToolbarRightOfTheActiveChatWindow) {
    ASSERT_TRUE(StartMessenger("--window classic@120,100,420,360"));
    ASSERT_TRUE(StartPicker({true, false}));
    const HWND chat = qq.Window(1);
    EXPECT_TRUE(testkit::WaitUntil([&] { return !IsWindowVisible(main); }, kWait))
        << "a start in toolbar mode shows no main window";
    ASSERT_TRUE(ActivateUntilDocked(1, [&] { return Docked(tool, ToolbarBeside(chat, tool, false)); }))
        << State(chat);
    EXPECT_FALSE(IsWindowVisible(main));
    Settle();
    testkit::Screenshot("dock_e2e_test_toolbar_right");

    ASSERT_EQ(Messenger("move 1 300 240"), 1);
    EXPECT_TRUE(WaitRect(tool, [&] { return ToolbarBeside(chat, tool, false); })) << State(chat);
}

TEST_F(PickerDocking, LeftSideTitleStartsWithTheArrowAndDocksOnTheLeft) {
    ASSERT_TRUE(StartMessenger("--window tx@500,120,420,360"));
    ASSERT_TRUE(StartPicker({true, true}));
    const HWND chat = qq.Window(1);
    ASSERT_TRUE(ActivateUntilDocked(1, [&] { return Docked(tool, ToolbarBeside(chat, tool, true)); }))
        << State(chat);
    Settle();
    testkit::Screenshot("dock_e2e_test_toolbar_left");
}

TEST_F(PickerDocking, PanelModeGivesTheMainWindowTheChatWindowsTopAndHeight) {
    ASSERT_TRUE(StartMessenger("--window classic-bar@80,150,420,360"));
    ASSERT_TRUE(StartPicker({}));
    const HWND chat = qq.Window(1);
    const LONG width = RectOf(main).right - RectOf(main).left;
    ASSERT_TRUE(ActivateUntilDocked(1, [&] { return Docked(main, MainBeside(chat, main, false)); }))
        << State(chat);
    EXPECT_EQ(RectOf(main).right - RectOf(main).left, width);
    EXPECT_FALSE(IsWindowVisible(tool));
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
    SetEnvironmentVariableW(L"FAKEQQ_OPTIONS",
                            L"--window classic@200,120,420,360 --lifetime 120 --tag Started");
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
