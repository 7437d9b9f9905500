// A notification-area icon owned by a window: added and removed on request, removed
// on destruction, and added again when the taskbar is recreated (Explorer restart).
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <string_view>

namespace winfx {

class TrayIcon {
public:
    // Mouse events arrive at owner as callbackMessage with the mouse message in
    // LOWORD(lParam) and id in wParam. The owner must be a top-level window (hidden is
    // fine): a message-only window never receives the "TaskbarCreated" broadcast.
    TrayIcon(HWND owner, UINT id, UINT callbackMessage) noexcept;
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // The icon is not owned: keep it alive while it is shown.
    bool Add(HICON icon, std::string_view tip);
    bool Remove() noexcept;
    bool SetIcon(HICON icon) noexcept;
    bool SetTip(std::string_view tip);
    bool IsShown() const noexcept { return m_shown; }

    // Call from the owner's OnMessage for every message: re-adds a shown icon when msg
    // is the "TaskbarCreated" broadcast. Returns true if it was.
    bool HandleTaskbarCreated(UINT msg) noexcept;

private:
    NOTIFYICONDATAW Data(UINT flags) const noexcept;

    HWND m_owner;
    UINT m_id, m_callback;
    UINT m_taskbarCreated;
    HICON m_icon = nullptr;
    std::wstring m_tip;
    bool m_shown = false;
};

}  // namespace winfx
