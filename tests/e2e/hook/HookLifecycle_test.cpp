// The hook's life beyond one happy installation: a main program killed while its hook is in,
// chat windows with deep or huge child trees, and one destroyed while the hook handles it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "HookFixture_win.h"

namespace hooktest {

// The child-process side of KilledPickerLeavesTheMessengerWorking: installs the hook with its
// own windows, says so in `readyFile`, then waits to be killed.
int HoldHook(DWORD thread, const std::string& readyFile) {
    HookLibrary lib;
    if (!lib.Load(testkit::AppDir() + "\\Mienko.dll")) return 2;
    PickerStandIn picker;
    const int installed = picker.Install(lib, thread);
    std::ofstream(readyFile, std::ios::binary) << installed << "\n";
    testkit::WaitUntil([] { return false; }, std::chrono::seconds(120));
    return 0;
}

namespace {

class HookLifecycle : public HookFixture {};

struct ChildProcess {
    PROCESS_INFORMATION pi{};
    ~ChildProcess() {
        if (pi.hProcess) {
            TerminateProcess(pi.hProcess, 1);
            CloseHandle(pi.hProcess);
            CloseHandle(pi.hThread);
        }
    }
};

TEST_F(HookLifecycle, KilledPickerLeavesTheMessengerWorkingAndTheNextStartInstalls) {
    ASSERT_TRUE(StartMessenger("--window classic@100,100,400,330"));
    const HWND chat = qq.Window(1);
    const DWORD thread = GetWindowThreadProcessId(chat, nullptr);

    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::string ready = testkit::RunDir() + "\\hold-hook.ready";
    DeleteFileW(testkit::Wide(ready).c_str());
    std::wstring cmd = L"\"" + std::wstring(self) + L"\" --hold-hook " +
                       std::to_wstring(thread) + L" \"" + testkit::Wide(ready) + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    ChildProcess child;
    ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &si, &child.pi));
    ASSERT_TRUE(testkit::WaitUntil([&] { return !testkit::ReadFile(ready).empty(); },
                                   std::chrono::seconds(60)));
    ASSERT_EQ(testkit::ReadFile(ready), "1\n") << "the first picker could not install";
    // Ours cannot while the other one lives.
    EXPECT_EQ(lib.install(thread, picker.Main(), picker.Tool()), 0);
    ASSERT_TRUE(Activate(1));

    ASSERT_TRUE(TerminateProcess(child.pi.hProcess, 9));
    ASSERT_EQ(WaitForSingleObject(child.pi.hProcess, 30000), WAIT_OBJECT_0);

    // The messenger goes on: it answers, moves and activates.
    EXPECT_EQ(qq.Command("ping"), 1);
    ASSERT_TRUE(Command("move 1 150 120", "MOVED id=1 rect=150,120,"));
    ASSERT_EQ(picker.Install(lib, thread), 1) << "a dead picker's installation blocks the next";
    ASSERT_TRUE(Activate(1));
    EXPECT_TRUE(WaitToolDocked(chat, Side::Right)) << State(chat);
}

TEST_F(HookLifecycle, DeepAndHugeChildTreesNeitherStallNorCrashTheMessenger) {
    // Deep: 600 nested windows before the input, still looked through (no recursion).
    // Huge: 1200 siblings before the input, past the walk's budget (two steps each): not taken
    // for a chat window.
    ASSERT_TRUE(StartMessenger("--window classic+deep=600@60,80,400,330 "
                               "--window tx+wide=1200@560,300,400,330 "
                               "--window tx@300,560,400,330"));
    const HWND deep = qq.Window(1), huge = qq.Window(2), plain = qq.Window(3);
    ASSERT_GE(qq.FindLine({"TREE id=1 deep=600 wide=0"}), 0);
    ASSERT_GE(qq.FindLine({"TREE id=2 deep=0 wide=1200"}), 0);
    ASSERT_EQ(picker.Install(lib, GetWindowThreadProcessId(deep, nullptr)), 1);

    ASSERT_TRUE(Activate(1));
    ASSERT_TRUE(WaitToolDocked(deep, Side::Right)) << State(deep);
    const std::string docked = RectText(RectOf(picker.Tool()));

    ASSERT_TRUE(Activate(2));
    ASSERT_TRUE(Command("move 2 540 320", "MOVED id=2 rect=540,320,"));
    PumpPending();
    EXPECT_EQ(RectText(RectOf(picker.Tool())), docked);
    for (HWND r : picker.Reported()) EXPECT_NE(r, huge);

    // The messenger answers at once and docking goes on for an ordinary window.
    EXPECT_EQ(qq.Command("ping"), 1);
    ASSERT_TRUE(Activate(3));
    EXPECT_TRUE(WaitToolDocked(plain, Side::Right)) << State(plain);
}

TEST_F(HookLifecycle, ChatWindowDestroyedWhileTheHookHandlesItsMessage) {
    ASSERT_TRUE(StartMessenger("--window classic-plain@100,100,300,200 "
                               "--window tx@560,120,400,330"));
    const HWND notice = qq.Window(1), chat = qq.Window(2);
    ASSERT_EQ(picker.Install(lib, GetWindowThreadProcessId(chat, nullptr)), 1);
    ASSERT_TRUE(Activate(2));
    ASSERT_TRUE(WaitToolDocked(chat, Side::Right)) << State(chat);

    // The messenger becomes active again through a window that is no chat window: the hook
    // raises the chat window for WM_ACTIVATEAPP, and the chat window destroys itself right
    // there, so its WM_DESTROY reaches the hook while the hook is busy.
    const size_t from = qq.Lines().size();
    SetForegroundWindow(picker.Main());
    ASSERT_GE(qq.WaitLine({"DEACTIVATED id=2"}, from, kWait), 0);
    ASSERT_TRUE(Command("selfdestruct 2", "text=selfdestruct 2"));
    ASSERT_TRUE(Command("activate 1", "SELFDESTRUCT id=2"));
    EXPECT_FALSE(IsWindow(chat));
    EXPECT_EQ(GetForegroundWindow(), notice);

    // The toolbar does not stay behind beside nothing.
    EXPECT_TRUE(testkit::WaitUntil([&] { return !IsWindowVisible(picker.Tool()); }, kWait))
        << State(chat);
    EXPECT_EQ(qq.Command("ping"), 1);
}

}  // namespace
}  // namespace hooktest

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--hold-hook")
        return hooktest::HoldHook(std::strtoul(argv[2], nullptr, 10), argv[3]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
