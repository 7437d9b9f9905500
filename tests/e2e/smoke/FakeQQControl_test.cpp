// Steering the fake messenger from a test, and what it logs about its windows: moves,
// activations, docked neighbours, plain-text pastes, missing face files, registry entries.
#include <gtest/gtest.h>

#include <string>

#include "FakeQQClient_win.h"
#include "LogText.h"
#include "SmokeKit_win.h"
#include "TestKit.h"

namespace {

using fakeqq::FakeQQProcess;
using fakeqq::LogField;

std::string RectText(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return fakeqq::BoxText(r.left, r.top, r.right, r.bottom);
}

class FakeQQControl : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(qq.Start(testkit::AppDir() + "\\FakeQQ.exe",
                             "--window classic@100,100,400,320 --window tx" + fakeqq::SafetyLifetimeArg(),
                             testkit::RunDir() + "\\fakeqq-control.log"));
        ASSERT_TRUE(qq.WaitReady()) << testkit::ReadFile(qq.LogPath());
        chat = qq.Window(1);
        ASSERT_TRUE(IsWindow(chat));
    }

    std::string Log() { return testkit::ReadFile(qq.LogPath()); }

    FakeQQProcess qq;
    HWND chat = nullptr;
};

TEST_F(FakeQQControl, MoveAndResizeAreLoggedAsTheWindowReallyIs) {
    size_t from = qq.Lines().size();
    ASSERT_EQ(qq.Command("move 1 210 160"), 1);
    int moved = qq.WaitLine({"MOVED id=1 rect=210,160,"}, from);
    ASSERT_GE(moved, 0) << Log();
    EXPECT_EQ(LogField(qq.Lines()[static_cast<size_t>(moved)], "rect"), RectText(chat));

    from = qq.Lines().size();
    ASSERT_EQ(qq.Command("resize 1 480 360"), 1);
    moved = qq.WaitLine({"MOVED id=1 rect=210,160,690,520"}, from);
    ASSERT_GE(moved, 0) << Log();
    EXPECT_EQ(RectText(chat), "210,160,690,520");
    EXPECT_GE(qq.FindLine({"CMD result=1 text=resize 1 480 360"}, from), 0);
}

TEST_F(FakeQQControl, MinimiseRestoreHideShowAndActivate) {
    size_t from = qq.Lines().size();
    ASSERT_EQ(qq.Command("minimize 1"), 1);
    ASSERT_GE(qq.WaitLine({"MINIMIZED id=1"}, from), 0) << Log();
    EXPECT_TRUE(IsIconic(chat));
    ASSERT_EQ(qq.Command("restore 1"), 1);
    ASSERT_GE(qq.WaitLine({"RESTORED id=1"}, from), 0) << Log();
    EXPECT_FALSE(IsIconic(chat));

    ASSERT_EQ(qq.Command("hide 1"), 1);
    EXPECT_FALSE(IsWindowVisible(chat));
    ASSERT_EQ(qq.Command("show 1"), 1);
    EXPECT_TRUE(IsWindowVisible(chat));

    from = qq.Lines().size();
    ASSERT_EQ(qq.Command("activate 2"), 1);
    ASSERT_TRUE(testkit::WaitUntil([&] { return GetForegroundWindow() == qq.Window(2); }));
    ASSERT_EQ(qq.Command("activate 1"), 1);
    ASSERT_TRUE(testkit::WaitUntil([&] { return GetForegroundWindow() == chat; }));
    const int on = qq.WaitLine({"ACTIVATED id=1"}, from);
    ASSERT_GE(on, 0) << Log();
    EXPECT_GE(qq.FindLine({"DEACTIVATED id=2"}, from), 0) << Log();
    // An active chat window keeps its input focused.
    EXPECT_TRUE(testkit::WaitUntil([&] { return smoke::FocusOf(chat) == qq.Input(1); }));

    // Activating a minimised window brings it back.
    ASSERT_EQ(qq.Command("minimize 1"), 1);
    ASSERT_EQ(qq.Command("activate 1"), 1);
    EXPECT_FALSE(IsIconic(chat));
}

TEST_F(FakeQQControl, CloseDestroysTheWindowAndLaterCommandsForItFail) {
    size_t from = qq.Lines().size();
    ASSERT_EQ(qq.Command("close 1"), 1);
    ASSERT_GE(qq.WaitLine({"CLOSED id=1"}, from), 0) << Log();
    EXPECT_FALSE(IsWindow(chat));
    EXPECT_EQ(qq.Command("hwnd 1"), 0);
    EXPECT_EQ(qq.Command("move 1 0 0"), 0);
    EXPECT_NE(qq.Command("hwnd 2"), 0);  // the other window lives on
}

TEST_F(FakeQQControl, MalformedOrForeignMessagesAreRefused) {
    EXPECT_EQ(qq.Command("ping"), 1);
    EXPECT_EQ(qq.Command("fly 1"), 0);
    EXPECT_EQ(qq.Command("move 9 1 1"), 0);
    EXPECT_EQ(qq.Command("move 1 x 1"), 0);
    EXPECT_EQ(qq.Command("resize 1 0 100"), 0);

    // WM_COPYDATA that does not carry the control tag is not a command.
    const char text[] = "close 1";
    COPYDATASTRUCT cds{0x1234, sizeof text, const_cast<char*>(text)};
    DWORD_PTR result = 7;
    ASSERT_TRUE(SendMessageTimeoutW(qq.Control(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds),
                                    SMTO_NORMAL, testkit::ScaledMs(5000), &result));
    EXPECT_EQ(result, 0u);
    EXPECT_TRUE(IsWindow(chat));

    ASSERT_EQ(qq.Command("mark step one"), 1);
    EXPECT_GE(qq.WaitLine({"MARK step one"}), 0);
}

TEST_F(FakeQQControl, WindowsOfOtherProgramsTouchingAChatWindowAreLoggedAsDocked) {
    RECT c{};
    GetWindowRect(chat, &c);
    // A toolbar-like window of this (another) process against the right edge.
    HWND bar = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"STATIC", L"dock probe",
                               WS_POPUP | WS_VISIBLE | WS_BORDER, c.right, c.bottom - 36 - 60,
                               40, 60, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(bar);
    const std::string barText = fakeqq::HexHandle(reinterpret_cast<std::uintptr_t>(bar));

    size_t from = qq.Lines().size();
    ASSERT_EQ(qq.Command("dock 1"), 1);
    int docked = qq.WaitLine({"DOCKED id=1 side=right hwnd=" + barText}, from);
    ASSERT_GE(docked, 0) << Log();
    const std::string line = qq.Lines()[static_cast<size_t>(docked)];
    EXPECT_EQ(LogField(line, "pid"), std::to_string(GetCurrentProcessId()));
    EXPECT_EQ(LogField(line, "rect"), RectText(bar));
    EXPECT_EQ(LogField(line, "chat"), RectText(chat));
    EXPECT_EQ(LogField(line, "title"), "dock probe");
    testkit::Screenshot("e2e_fakeqq_test_docked");

    // After its own move the chat window reports its neighbours again: none now.
    from = qq.Lines().size();
    ASSERT_EQ(qq.Command("move 1 300 300"), 1);
    EXPECT_GE(qq.WaitLine({"DOCKED id=1 none"}, from), 0) << Log();

    // Moved so that the probe is on its left.
    GetWindowRect(chat, &c);
    SetWindowPos(bar, nullptr, c.left - 40, c.top + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    from = qq.Lines().size();
    ASSERT_EQ(qq.Command("move 1 301 300"), 1);
    EXPECT_GE(qq.WaitLine({"DOCKED id=1 side=left hwnd=" + barText}, from), 0) << Log();
    DestroyWindow(bar);
}

TEST_F(FakeQQControl, PlainTextIsPastedWhenNoFragmentIsThereAndAMissingFaceIsReported) {
    smoke::ClipboardOwner clipboard;
    HWND input = qq.Input(1);
    ASSERT_TRUE(clipboard.Put("", "just text"));
    ASSERT_TRUE(smoke::BringForward(chat, input));
    size_t from = qq.Lines().size();
    smoke::TypeChord(VK_CONTROL, 'V');
    int pasted = qq.WaitLine({"PASTED id=1 "}, from);
    ASSERT_GE(pasted, 0) << Log();
    EXPECT_EQ(LogField(qq.Lines()[static_cast<size_t>(pasted)], "text"), "just text");
    EXPECT_EQ(qq.FindLine({"CLIP id=1 format=QQ_RichEdit_Format"}, from), -1);

    const std::string missing = testkit::AppDir() + "\\face\\gone.gif";
    DeleteFileW(std::wstring(missing.begin(), missing.end()).c_str());
    ASSERT_TRUE(clipboard.Put(smoke::Fragment(missing), ""));
    from = qq.Lines().size();
    smoke::TypeChord(VK_CONTROL, 'V');
    int face = qq.WaitLine({"FACE id=1 "}, from);
    ASSERT_GE(face, 0) << Log();
    EXPECT_EQ(LogField(qq.Lines()[static_cast<size_t>(face)], "exists"), "0");
    EXPECT_EQ(LogField(qq.Lines()[static_cast<size_t>(face)], "path"), missing);

    // What was typed or set goes out with Ctrl+Enter.
    ASSERT_EQ(qq.Command("settext 1 hello there"), 1);
    from = qq.Lines().size();
    smoke::TypeChord(VK_CONTROL, VK_RETURN);
    int sent = qq.WaitLine({"SENT id=1 "}, from);
    ASSERT_GE(sent, 0) << Log();
    EXPECT_EQ(LogField(qq.Lines()[static_cast<size_t>(sent)], "text"), "hello there");
}

TEST(FakeQQLifetime, QuitAndLifetimeEndTheProgramCleanly) {
    FakeQQProcess a;
    ASSERT_TRUE(a.Start(testkit::AppDir() + "\\FakeQQ.exe", "--window tx",
                        testkit::RunDir() + "\\fakeqq-quit.log"));
    ASSERT_TRUE(a.WaitReady());
    EXPECT_EQ(a.Command("quit"), 1);
    DWORD code = 99;
    ASSERT_TRUE(a.WaitExit(std::chrono::seconds(10), &code));
    EXPECT_EQ(code, 0u);
    EXPECT_GE(a.FindLine({"CLOSED id=1"}), 0);
    EXPECT_GE(a.FindLine({"EXIT code=0"}), 0);

    FakeQQProcess b;
    ASSERT_TRUE(b.Start(testkit::AppDir() + "\\FakeQQ.exe", "--window tx --lifetime 1",
                        testkit::RunDir() + "\\fakeqq-lifetime.log"));
    ASSERT_TRUE(b.WaitReady());
    ASSERT_TRUE(b.WaitExit(std::chrono::seconds(15), &code));
    EXPECT_EQ(code, 0u);
    EXPECT_GE(b.FindLine({"LIFETIME over"}), 0);
}

std::wstring InstallValue(const wchar_t* key) {
    wchar_t buf[512] = {};
    DWORD size = sizeof buf;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, key, L"Install", RRF_RT_REG_SZ, nullptr, buf, &size) !=
        ERROR_SUCCESS)
        return L"(missing)";
    return buf;
}

DWORD RunToEnd(const std::string& args, const std::string& log) {
    FakeQQProcess p;
    if (!p.Start(testkit::AppDir() + "\\FakeQQ.exe", args, log)) return 1000;
    DWORD code = 1001;
    if (!p.WaitExit(std::chrono::seconds(15), &code)) return 1002;
    return code;
}

TEST(FakeQQRegistry, RegistersWhereTheMainProgramLooksAndUnregisters) {
    const std::string log = testkit::RunDir() + "\\fakeqq-registry.log";
    ASSERT_EQ(RunToEnd("--unregister", log), 0u);
    EXPECT_EQ(InstallValue(L"SOFTWARE\\Tencent\\QQ2009"), L"(missing)");

    ASSERT_EQ(RunToEnd("--register \"qq2009=C:\\Program Files\\Fake QQ\"", log), 0u);
    EXPECT_EQ(InstallValue(L"SOFTWARE\\Tencent\\QQ2009"), L"C:\\Program Files\\Fake QQ");

    // Without a folder: the one the lookup ("\QQ.exe" appended) leads back to this exe.
    ASSERT_EQ(RunToEnd("--register qq", log), 0u);
    const std::string app = testkit::AppDir();
    EXPECT_EQ(InstallValue(L"SOFTWARE\\Tencent\\QQ"), std::wstring(app.begin(), app.end()));

    ASSERT_EQ(RunToEnd("--unregister", log), 0u);
    EXPECT_EQ(InstallValue(L"SOFTWARE\\Tencent\\QQ2009"), L"(missing)");
    EXPECT_EQ(InstallValue(L"SOFTWARE\\Tencent\\QQ"), L"(missing)");
}

// How the main program starts the messenger: the registered folder + "\Bin\QQ.exe", no
// arguments; the test's setup reaches it through the environment the starter passes on.
TEST(FakeQQRegistry, StartedFromTheRegisteredPathWithoutArgumentsItReadsItsEnvironment) {
    auto wide = [](const std::string& s) { return std::wstring(s.begin(), s.end()); };
    const std::string install = testkit::RunDir() + "\\QQ2009";
    const std::string exe = install + "\\Bin\\QQ.exe";
    CreateDirectoryW(wide(install).c_str(), nullptr);
    CreateDirectoryW(wide(install + "\\Bin").c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(wide(testkit::AppDir() + "\\FakeQQ.exe").c_str(), wide(exe).c_str(),
                          FALSE));

    // Registered without a folder, the copy derives the one that leads back to itself.
    const std::string log = testkit::RunDir() + "\\fakeqq-registered.log";
    FakeQQProcess reg;
    ASSERT_TRUE(reg.Start(exe, "--register qq2009", log));
    DWORD code = 99;
    ASSERT_TRUE(reg.WaitExit(std::chrono::seconds(15), &code));
    ASSERT_EQ(code, 0u);
    const std::wstring registered = InstallValue(L"SOFTWARE\\Tencent\\QQ2009");
    EXPECT_EQ(registered, wide(install));

    ASSERT_TRUE(SetEnvironmentVariableW(L"FAKEQQ_OPTIONS", testkit::Wide("--window tx" + fakeqq::SafetyLifetimeArg()).c_str()));
    ASSERT_TRUE(SetEnvironmentVariableW(L"FAKEQQ_LOG", wide(log).c_str()));
    FakeQQProcess qq;
    const bool started = qq.StartCommandLine(
        "\"" + std::string(registered.begin(), registered.end()) + "\\Bin\\QQ.exe\"", log);
    SetEnvironmentVariableW(L"FAKEQQ_OPTIONS", nullptr);
    SetEnvironmentVariableW(L"FAKEQQ_LOG", nullptr);
    ASSERT_TRUE(started);
    ASSERT_TRUE(qq.WaitReady()) << testkit::ReadFile(log);
    EXPECT_GE(qq.FindLine({"WINDOW id=1 kind=tx "}), 0);
    EXPECT_EQ(RunToEnd("--unregister", testkit::RunDir() + "\\fakeqq-registry.log"), 0u);
}

}  // namespace
