// The real picker docking beside the fake messenger: its configuration written before the
// start, its main window and toolbar found from outside, the messenger steered by its control
// window (also one the picker started itself).
#pragma once
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace docktest {

constexpr std::chrono::milliseconds kWait{20000};

struct DockConfig {
    bool startShowTool = false;
    bool showLeft = false;
    bool menuQQHook = true;
    bool hiddenByUser = false;
};
bool WriteConfig(const std::string& app, const DockConfig& config);

// The picker's top-level windows of process `pid`, shown or not.
HWND FindMainWindow(DWORD pid);
HWND FindToolbar(DWORD pid);  // title contains "PeluQQ表情工具栏"
std::string TitleOf(HWND window);
RECT RectOf(HWND window);
std::string RectText(const RECT& r);

// Where the hook puts things: the toolbar's bottom 36 px above the chat window's bottom, the
// main window over the chat window's full height; left or right edge.
RECT ToolbarBeside(HWND chat, HWND toolbar, bool left);
RECT MainBeside(HWND chat, HWND mainWindow, bool left);
bool Docked(HWND window, const RECT& expected);  // shown, exactly there
bool WaitRect(HWND window, const std::function<RECT()>& expected, bool visible = true);

// Moves the mouse onto the second button of the toolbar and returns the tooltip window of
// `pid` that shows up for it (null when none does); *button receives the button.
HWND HoverToolbarButton(HWND toolbar, DWORD pid, HWND* button);

// A click on the main window's skinned pin button ("minimize": docking on/off).
void ClickPin(HWND mainWindow);

// Commands to a fake messenger through its control window (tag "FakeQQ").
LRESULT Messenger(const std::string& command, const std::string& tag = "FakeQQ");

}  // namespace docktest
