// Shared set-up of the hook's end-to-end tests: the library loaded once, the fake messenger
// started per test, the picker stand-in, and waits for the docked positions.
#pragma once
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "FakeQQClient_win.h"
#include "PickerStandIn_win.h"
#include "TestKit.h"

namespace hooktest {

enum class Side { Left, Right };

// Generous for 32-bit Wine under emulation; the waits end as soon as the condition holds.
constexpr std::chrono::milliseconds kWait{15000};

std::string Safe(std::string name);  // a test-name-safe form of a window kind

class HookFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;

    bool StartMessenger(const std::string& windowArgs);
    // Sends a control command and waits for the log line that shows its effect.
    bool Command(const std::string& command, const std::string& needle);
    // Activates chat window `id` through the messenger, taking the foreground away from it
    // first when it has it already (a fresh messenger starts with its window active).
    bool Activate(int id);

    RECT ToolDocked(HWND chat, Side side) const;
    RECT MainDocked(HWND chat, Side side) const;
    bool WaitToolDocked(HWND chat, Side side);
    bool WaitMainDocked(HWND chat, Side side);
    bool WaitReported(HWND chat);
    std::string State(HWND chat) const;  // rectangles and visibility, for failure messages
    // Whether the messenger still runs; if not, how it ended (a crash shows as 0xc...).
    std::string MessengerState() const;

    static HookLibrary lib;
    fakeqq::FakeQQProcess qq;
    PickerStandIn picker;
};

}  // namespace hooktest
