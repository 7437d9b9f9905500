#include "winfx/Menu.h"

#include <utility>
#include <vector>

#include "winfx/Wide.h"

namespace winfx {

PopupMenu::PopupMenu() noexcept : m_root(CreatePopupMenu()), m_popup(m_root.Get()) {}

PopupMenu::PopupMenu(PopupMenu&& other) noexcept
    : m_root(std::move(other.m_root)), m_popup(std::exchange(other.m_popup, nullptr)) {}

PopupMenu& PopupMenu::operator=(PopupMenu&& other) noexcept {
    if (this != &other) {
        m_root = std::move(other.m_root);
        m_popup = std::exchange(other.m_popup, nullptr);
    }
    return *this;
}

PopupMenu PopupMenu::Load(HINSTANCE instance, int id, int sub) {
    HMENU bar = LoadMenuW(instance, MAKEINTRESOURCEW(id));
    HMENU popup = bar ? GetSubMenu(bar, sub) : nullptr;
    if (!popup && bar) {
        DestroyMenu(bar);
        bar = nullptr;
    }
    return PopupMenu(bar, popup);
}

bool PopupMenu::Append(UINT id, std::string_view text, UINT flags) {
    return AppendMenuW(m_popup, flags | MF_STRING, id, ToWide(text).c_str()) != FALSE;
}

bool PopupMenu::AppendOwnerDrawn(UINT id, ULONG_PTR data) noexcept {
    return AppendMenuW(m_popup, MF_OWNERDRAW, id, reinterpret_cast<LPCWSTR>(data)) != FALSE;
}

bool PopupMenu::AppendSubmenu(PopupMenu&& sub, std::string_view text) {
    if (!sub.m_popup || sub.m_popup != sub.m_root.Get()) return false;  // only whole popups move
    if (!AppendMenuW(m_popup, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub.m_popup), ToWide(text).c_str()))
        return false;
    sub.m_root.Release();
    sub.m_popup = nullptr;
    return true;
}

bool PopupMenu::SetText(UINT id, std::string_view text) {
    std::wstring w = ToWide(text);
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_STRING;
    mii.dwTypeData = w.data();
    return SetMenuItemInfoW(m_popup, id, FALSE, &mii) != FALSE;
}

std::string PopupMenu::Text(UINT id) const {
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_STRING;
    if (!GetMenuItemInfoW(m_popup, id, FALSE, &mii) || mii.cch == 0) return {};
    std::vector<wchar_t> buf(mii.cch + 1, L'\0');
    mii.dwTypeData = buf.data();
    mii.cch = static_cast<UINT>(buf.size());
    if (!GetMenuItemInfoW(m_popup, id, FALSE, &mii)) return {};
    return ToUtf8(std::wstring_view(buf.data(), mii.cch < buf.size() ? mii.cch : buf.size() - 1));
}

void PopupMenu::Check(UINT id, bool checked) noexcept {
    CheckMenuItem(m_popup, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool PopupMenu::IsChecked(UINT id) const noexcept {
    const UINT state = GetMenuState(m_popup, id, MF_BYCOMMAND);
    return state != static_cast<UINT>(-1) && (state & MF_CHECKED);
}

void PopupMenu::Enable(UINT id, bool enabled) noexcept {
    EnableMenuItem(m_popup, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

UINT PopupMenu::Track(HWND owner, POINT pt, UINT flags) const noexcept {
    SetForegroundWindow(owner);
    const BOOL cmd = TrackPopupMenu(m_popup, flags | TPM_RETURNCMD, pt.x, pt.y, 0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);  // lets the menu close properly on the next click
    return static_cast<UINT>(cmd);
}

void PopupMenu::TrackNotify(HWND owner, POINT pt, UINT flags) const noexcept {
    SetForegroundWindow(owner);
    TrackPopupMenu(m_popup, flags & ~static_cast<UINT>(TPM_RETURNCMD), pt.x, pt.y, 0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
}

}  // namespace winfx
