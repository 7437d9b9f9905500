// Owner of a popup menu: built in code or loaded from a menu resource, with check
// marks, a default item and changeable texts, shown at a point and answering the
// chosen command. Owner-drawing is left to the owner window (WM_MEASUREITEM/WM_DRAWITEM).
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "winfx/Unique.h"

namespace winfx {

class PopupMenu {
public:
    PopupMenu() noexcept;  // an empty popup
    PopupMenu(PopupMenu&& other) noexcept;
    PopupMenu& operator=(PopupMenu&& other) noexcept;
    // The submenu at position `sub` of menu resource `id`; empty if missing.
    static PopupMenu Load(HINSTANCE instance, int id, int sub = 0);

    HMENU Get() const noexcept { return m_popup; }
    explicit operator bool() const noexcept { return m_popup != nullptr; }

    bool Append(UINT id, std::string_view text, UINT flags = MF_STRING);
    bool AppendSeparator() noexcept { return AppendMenuW(m_popup, MF_SEPARATOR, 0, nullptr) != FALSE; }
    // Owner-drawn item; data comes back in MEASUREITEMSTRUCT/DRAWITEMSTRUCT::itemData.
    bool AppendOwnerDrawn(UINT id, ULONG_PTR data) noexcept;
    // The submenu becomes part of this menu (and is freed with it).
    bool AppendSubmenu(PopupMenu&& sub, std::string_view text);

    bool SetText(UINT id, std::string_view text);  // keeps the item's other state
    std::string Text(UINT id) const;
    void Check(UINT id, bool checked) noexcept;
    bool IsChecked(UINT id) const noexcept;
    void Enable(UINT id, bool enabled) noexcept;
    void SetDefault(UINT id) noexcept { SetMenuDefaultItem(m_popup, id, FALSE); }
    UINT Default() const noexcept { return GetMenuDefaultItem(m_popup, FALSE, 0); }
    int Count() const noexcept { return GetMenuItemCount(m_popup); }
    UINT IdAt(int pos) const noexcept { return GetMenuItemID(m_popup, pos); }

    // Shows the menu at a screen point and returns the chosen command (0: none); no
    // WM_COMMAND is sent. The owner becomes the foreground window first, or the menu
    // would not close when the user clicks elsewhere (the tray case).
    UINT Track(HWND owner, POINT screen, UINT flags = TPM_RIGHTBUTTON) const noexcept;
    // Like Track, but the choice arrives as WM_COMMAND to the owner.
    void TrackNotify(HWND owner, POINT screen, UINT flags = TPM_RIGHTBUTTON) const noexcept;

private:
    explicit PopupMenu(HMENU root, HMENU popup) noexcept : m_root(root), m_popup(popup) {}
    UniqueMenu m_root;   // the menu that is destroyed (a resource's menu bar, or the popup)
    HMENU m_popup;       // the menu shown
};

}  // namespace winfx
