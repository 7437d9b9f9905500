#include "HookDesktop_win.h"

namespace dock {

using wintree::ToHwnd;

namespace {
constexpr UINT kTargetFlags = SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS;
}

bool HookDesktop::Exists(Hwnd w) const {
    return w && IsWindow(ToHwnd(w));
}

bool HookDesktop::GetRect(Hwnd w, Rect& rect) const {
    RECT r{};
    if (!w || !GetWindowRect(ToHwnd(w), &r)) return false;
    rect = Rect{r.left, r.top, r.right, r.bottom};
    return true;
}

bool HookDesktop::IsIconic(Hwnd w) const {
    return ::IsIconic(ToHwnd(w)) != FALSE;
}

bool HookDesktop::IsVisible(Hwnd w) const {
    return IsWindowVisible(ToHwnd(w)) != FALSE;
}

void HookDesktop::ShowTarget(Hwnd target, ShowMode mode) {
    int cmd = SW_HIDE;
    if (mode == ShowMode::Show) cmd = SW_SHOWNA;
    if (mode == ShowMode::Restore) cmd = SW_SHOWNOACTIVATE;
    ShowWindowAsync(ToHwnd(target), cmd);
}

void HookDesktop::RaiseTarget(Hwnd target) {
    SetWindowPos(ToHwnd(target), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | kTargetFlags);
}

void HookDesktop::MoveTarget(Hwnd target, Point to) {
    SetWindowPos(ToHwnd(target), nullptr, to.x, to.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | kTargetFlags);
}

void HookDesktop::PlaceTarget(Hwnd target, const Rect& rect) {
    SetWindowPos(ToHwnd(target), nullptr, rect.left, rect.top,
                 static_cast<int>(rect.Width()), static_cast<int>(rect.Height()),
                 SWP_NOZORDER | kTargetFlags);
}

void HookDesktop::RaiseChat(Hwnd chat) {
    SetWindowPos(ToHwnd(chat), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

void HookDesktop::PostChatActive(Hwnd mainWindow, Hwnd chat) {
    if (mainWindow) PostMessageW(ToHwnd(mainWindow), msg::kChatWindowActive, chat, 0);
}

}  // namespace dock
