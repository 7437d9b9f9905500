// The hook's life beyond one happy installation: a main program killed while its hook is in,
// and chat-window trees too big to look through, tested in the test's own thread.
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

// Chat-shaped windows of this thread, so the test can build any tree it likes.
class OwnChatWindows {
public:
    OwnChatWindows() {
        for (const wchar_t* cls : {L"AfxWnd42", L"RichEdit20A"}) {
            WNDCLASSW wc{};
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = cls;
            RegisterClassW(&wc);
        }
    }
    ~OwnChatWindows() {
        for (HWND w : m_windows) DestroyWindow(w);
    }
    // A "#32770" window whose input host comes after `filler` plain children in z-order.
    HWND Make(int x, int filler) {
        const HWND w = CreateWindowExW(0, L"#32770", L"chat", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                                       x, 100, 360, 300, nullptr, nullptr, nullptr, nullptr);
        const HWND host = Child(L"AfxWnd42", w);
        Child(L"RichEdit20A", host);
        for (int i = 0; i < filler; ++i) Child(L"Static", w);
        SetWindowPos(host, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        m_windows.push_back(w);
        return w;
    }

private:
    static HWND Child(const wchar_t* cls, HWND parent) {
        return CreateWindowExW(0, cls, L"", WS_CHILD, 0, 0, 10, 10, parent, nullptr, nullptr,
                               nullptr);
    }
    std::vector<HWND> m_windows;
};

TEST_F(HookLifecycle, ChatWindowWithAHugeChildTreeIsNotLookedThroughToTheEnd) {
    OwnChatWindows own;
    const HWND small = own.Make(40, 20);
    const HWND huge = own.Make(600, 2100);
    ASSERT_EQ(picker.Install(lib, GetCurrentThreadId()), 1);

    SetForegroundWindow(small);
    ASSERT_TRUE(WaitToolDocked(small, Side::Right)) << State(small);
    const std::string docked = RectText(RectOf(picker.Tool()));
    SetForegroundWindow(huge);
    SetWindowPos(huge, nullptr, 620, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    PumpPending();
    EXPECT_EQ(GetForegroundWindow(), huge);
    EXPECT_EQ(RectText(RectOf(picker.Tool())), docked);
}

}  // namespace
}  // namespace hooktest

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--hold-hook")
        return hooktest::HoldHook(std::strtoul(argv[2], nullptr, 10), argv[3]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
