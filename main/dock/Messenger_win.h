// Finding and starting the messenger.
#pragma once
#include <windows.h>

#include <string>

namespace dock {

// The first top-level window of the messenger (IsMessengerWindow), or null.
HWND FindMessengerWindow();

// The main program's chat-window test on a live window.
bool IsChatWindow(HWND window);

// From HKEY_LOCAL_MACHINE "SOFTWARE\Tencent\QQ2009" or "...\QQ" (MessengerExePath).
std::string GetMessengerExePath();

struct StartedMessenger {
    bool started = false;
    DWORD thread = 0;  // the new process's first thread
};

// Starts exactly `exePath`, shown, without arguments.
StartedMessenger StartMessenger(const std::string& exePath);

}  // namespace dock
