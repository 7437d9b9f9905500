#include "winfx/TrayIcon.h"

#include <shellapi.h>

#include <cwchar>

#include "winfx/Wide.h"

namespace winfx {

TrayIcon::TrayIcon(HWND owner, UINT id, UINT callbackMessage) noexcept
    : m_owner(owner), m_id(id), m_callback(callbackMessage),
      m_taskbarCreated(RegisterWindowMessageW(L"TaskbarCreated")) {}

TrayIcon::~TrayIcon() {
    Remove();
}

NOTIFYICONDATAW TrayIcon::Data(UINT flags) const noexcept {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = m_owner;
    nid.uID = m_id;
    nid.uFlags = flags;
    nid.uCallbackMessage = m_callback;
    nid.hIcon = m_icon;
    // The tip field holds 127 characters and a terminator; longer tips are cut.
    wcsncpy(nid.szTip, m_tip.c_str(), sizeof(nid.szTip) / sizeof(wchar_t) - 1);
    return nid;
}

bool TrayIcon::Add(HICON icon, std::string_view tip) {
    m_icon = icon;
    m_tip = ToWide(tip);
    if (m_shown) return SetIcon(icon) && SetTip(tip);
    NOTIFYICONDATAW nid = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    m_shown = Shell_NotifyIconW(NIM_ADD, &nid) != FALSE;
    return m_shown;
}

bool TrayIcon::Remove() noexcept {
    if (!m_shown) return false;
    NOTIFYICONDATAW nid = Data(0);
    m_shown = false;
    return Shell_NotifyIconW(NIM_DELETE, &nid) != FALSE;
}

bool TrayIcon::SetIcon(HICON icon) noexcept {
    m_icon = icon;
    if (!m_shown) return false;
    NOTIFYICONDATAW nid = Data(NIF_ICON);
    return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

bool TrayIcon::SetTip(std::string_view tip) {
    m_tip = ToWide(tip);
    if (!m_shown) return false;
    NOTIFYICONDATAW nid = Data(NIF_TIP);
    return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

bool TrayIcon::HandleTaskbarCreated(UINT msg) noexcept {
    if (msg != m_taskbarCreated || m_taskbarCreated == 0) return false;
    if (m_shown) {
        // A new taskbar has none of the old icons; the message is also broadcast on
        // other occasions, when the icon is still there and only needs refreshing.
        NOTIFYICONDATAW nid = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
        m_shown = Shell_NotifyIconW(NIM_ADD, &nid) || Shell_NotifyIconW(NIM_MODIFY, &nid);
    }
    return true;
}

}  // namespace winfx
