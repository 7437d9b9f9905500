// The hook procedure's decisions: for each message sent to a window of the messenger's thread,
// whether it concerns a chat window and what to do with the docked window (the "target").
// Runs inside the messenger, so it never throws, never allocates and never waits for the
// main program: every call on the main program's windows goes through Desktop's
// fire-and-forget operations.
#pragma once
#include <cstdint>

#include "DockGeometry.h"
#include "WindowTree.h"

namespace dock {

using wintree::Hwnd;

// The values both processes see (the library's shared section), in their fixed order.
struct SharedValues {
    Hwnd hWndMain;          // main program window; nonzero = installed
    Hwnd hWndTool;          // toolbar window, its title carries the dock order
    Hwnd hWndCurrQQ;        // chat window last seen active or resized
    std::int32_t bActived;  // 1 after a chat window was activated
    std::uint8_t bBusy;     // set while the hook moves windows itself
};

// Window messages the hook acts on, with their Win32 numbers.
namespace msg {
constexpr unsigned kCreate = 0x0001;
constexpr unsigned kDestroy = 0x0002;
constexpr unsigned kSize = 0x0005;
constexpr unsigned kActivate = 0x0006;
constexpr unsigned kActivateApp = 0x001C;
constexpr unsigned kWindowPosChanged = 0x0047;
constexpr unsigned kChatWindowActive = 0x0465;  // WM_USER+101, posted to the main window
constexpr std::uintptr_t kSizeRestored = 0;
constexpr std::uintptr_t kSizeMinimized = 1;
constexpr std::uintptr_t kInactive = 0;
}  // namespace msg

enum class ShowMode { Hide, Show, Restore };

// The platform under the decisions. The Target operations act on the main program's windows
// and must return at once (they are carried out by the owning thread later).
class Desktop : public wintree::WindowTree {
public:
    virtual bool Exists(Hwnd w) const = 0;
    virtual bool GetRect(Hwnd w, Rect& rect) const = 0;
    virtual bool IsIconic(Hwnd w) const = 0;
    virtual bool IsVisible(Hwnd w) const = 0;
    virtual void ShowTarget(Hwnd target, ShowMode mode) = 0;     // never activates
    virtual void RaiseTarget(Hwnd target) = 0;                   // top of the z-order
    virtual void MoveTarget(Hwnd target, Point to) = 0;          // keeps its size
    virtual void PlaceTarget(Hwnd target, const Rect& rect) = 0;  // moves and sizes
    virtual void RaiseChat(Hwnd chat) = 0;                       // this thread's window
    virtual void PostChatActive(Hwnd mainWindow, Hwnd chat) = 0;
};

struct HookedMessage {
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    Hwnd window = 0;
};

// One message seen by the hook. Does nothing while the hook's own moves are under way
// (bBusy), for messages it does not handle, and for windows that are not chat windows.
void HandleHookedMessage(SharedValues& shared, Desktop& desktop,
                         const HookedMessage& m) noexcept;

}  // namespace dock
