#include "HookFixture_win.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace hooktest {

HookLibrary HookFixture::lib;

std::string Safe(std::string name) {
    std::replace(name.begin(), name.end(), '-', '_');
    return name;
}

namespace {

// One log per test, parameter included, short enough for any path.
std::string LogName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info->name();
    for (char& c : name)
        if (!isalnum(static_cast<unsigned char>(c))) c = '_';
    if (name.size() > 48) name = name.substr(0, 32) + "_" + name.substr(name.size() - 15);
    return testkit::RunDir() + "\\fakeqq-" + name + ".log";
}

}  // namespace

void HookFixture::SetUpTestSuite() {
    if (!lib.module) lib.Load(testkit::AppDir() + "\\Mienko.dll");
}

void HookFixture::SetUp() {
    ASSERT_FALSE(testkit::AppDir().empty()) << "run through the harness (--install)";
    ASSERT_TRUE(lib.install && lib.uninstall) << "Mienko.dll or its exports missing";
}

bool HookFixture::StartMessenger(const std::string& windowArgs) {
    if (!qq.Start(testkit::AppDir() + "\\FakeQQ.exe", windowArgs + fakeqq::SafetyLifetimeArg(),
                  LogName()))
        return false;
    return qq.WaitReady(std::chrono::seconds(60));
}

bool HookFixture::Command(const std::string& command, const std::string& needle) {
    const size_t from = qq.Lines().size();
    if (qq.Command(command) == 0) {
        ADD_FAILURE() << "command failed: " << command;
        return false;
    }
    if (qq.WaitLine({needle}, from, kWait) < 0) {
        ADD_FAILURE() << "no \"" << needle << "\" after " << command << "\n"
                      << testkit::ReadFile(qq.LogPath());
        return false;
    }
    return true;
}

bool HookFixture::Activate(int id) {
    const std::string n = std::to_string(id);
    if (GetForegroundWindow() == qq.Window(id)) {
        const size_t from = qq.Lines().size();
        SetForegroundWindow(picker.Main());
        if (qq.WaitLine({"DEACTIVATED id=" + n}, from, kWait) < 0) {
            ADD_FAILURE() << "chat window " << id << " keeps the foreground";
            return false;
        }
    }
    return Command("activate " + n, "ACTIVATED id=" + n);
}

RECT HookFixture::ToolDocked(HWND chat, Side side) const {
    const RECT c = RectOf(chat);
    const LONG x = side == Side::Right ? c.right : c.left - kToolWidth;
    const LONG y = c.bottom - kToolHeight - 36;
    return RECT{x, y, x + kToolWidth, y + kToolHeight};
}

RECT HookFixture::MainDocked(HWND chat, Side side) const {
    const RECT c = RectOf(chat);
    const LONG x = side == Side::Right ? c.right : c.left - kMainWidth;
    return RECT{x, c.top, x + kMainWidth, c.bottom};
}

bool HookFixture::WaitToolDocked(HWND chat, Side side) {
    return testkit::WaitUntil(
        [&] {
            return IsWindowVisible(picker.Tool()) &&
                   RectText(RectOf(picker.Tool())) == RectText(ToolDocked(chat, side));
        },
        kWait);
}

bool HookFixture::WaitMainDocked(HWND chat, Side side) {
    return testkit::WaitUntil(
        [&] {
            return IsWindowVisible(picker.Main()) &&
                   RectText(RectOf(picker.Main())) == RectText(MainDocked(chat, side));
        },
        kWait);
}

bool HookFixture::WaitReported(HWND chat) {
    return testkit::WaitUntil(
        [&] {
            const auto& r = picker.Reported();
            return std::find(r.begin(), r.end(), chat) != r.end();
        },
        kWait);
}

std::string HookFixture::State(HWND chat) const {
    return "chat=" + RectText(RectOf(chat)) + " tool=" + RectText(RectOf(picker.Tool())) +
           (IsWindowVisible(picker.Tool()) ? " shown" : " hidden") +
           " main=" + RectText(RectOf(picker.Main())) +
           " reported=" + std::to_string(picker.Reported().size()) + " " + MessengerState();
}

std::string HookFixture::MessengerState() const {
    DWORD code = 0;
    if (!qq.Process() || !GetExitCodeProcess(qq.Process(), &code)) return "messenger=?";
    if (code == STILL_ACTIVE) return "messenger=running";
    char hex[16];
    snprintf(hex, sizeof hex, "0x%lx", static_cast<unsigned long>(code));
    const auto lines = qq.Lines();
    return std::string("messenger=ended(") + hex + ", last log line: " +
           (lines.empty() ? std::string("none") : lines.back()) + ")";
}

}  // namespace hooktest
