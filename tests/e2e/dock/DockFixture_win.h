// Shared set-up of the picker's docking tests: library, configuration, the fake messenger,
// the real picker, its main window and toolbar, and activations that wait for the dock.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Bystander_win.h"
#include "DockKit_win.h"
#include "FakeQQClient_win.h"
#include "PelumoKit_win.h"
#include "TestKit.h"

namespace docktest {

using fakeqq::FakeQQProcess;

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
        return qq.Start(app + "\\FakeQQ.exe", windows + fakeqq::SafetyLifetimeArg(),
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
    testkit::Bystander bystander;
    FakeQQProcess qq;
    pelumo::Picker picker;
    HWND main = nullptr, tool = nullptr;
};

}  // namespace docktest
