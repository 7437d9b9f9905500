#include "winfx/Tooltip.h"

#include <commctrl.h>

#include <string>

#include "winfx/Wide.h"

namespace winfx {
namespace {

// The size every comctl32 version accepts: a larger cbSize is refused by version 5.
TTTOOLINFOW Info(HWND owner, UINT flags, UINT_PTR id) {
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.uFlags = flags;
    ti.hwnd = owner;
    ti.uId = id;
    return ti;
}

std::string GetText(HWND tooltip, TTTOOLINFOW ti) {
    // Version 6 reads the buffer size from wParam; older ones assume 80 characters,
    // which this buffer also satisfies.
    wchar_t buf[1024] = L"";
    ti.lpszText = buf;
    SendMessageW(tooltip, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&ti));
    buf[1023] = L'\0';
    return ToUtf8(buf);
}

}  // namespace

Tooltip::~Tooltip() {
    // The tooltip is an owned window: it is already gone if the owner was destroyed,
    // and the handle may even name another window by now.
    if (m_hwnd && IsWindow(m_hwnd) && GetWindow(m_hwnd, GW_OWNER) == m_owner) DestroyWindow(m_hwnd);
}

bool Tooltip::Create(HWND owner, DWORD style) {
    if (m_hwnd) return false;
    m_owner = owner;
    m_hwnd = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | style, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                             reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)), nullptr);
    return m_hwnd != nullptr;
}

bool Tooltip::AddTool(HWND tool, std::string_view text) {
    std::wstring w = ToWide(text);
    TTTOOLINFOW ti = Info(m_owner, TTF_IDISHWND | TTF_SUBCLASS, reinterpret_cast<UINT_PTR>(tool));
    ti.lpszText = w.data();
    return SendMessageW(m_hwnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)) != FALSE;
}

void Tooltip::SetToolText(HWND tool, std::string_view text) {
    std::wstring w = ToWide(text);
    TTTOOLINFOW ti = Info(m_owner, TTF_IDISHWND, reinterpret_cast<UINT_PTR>(tool));
    ti.lpszText = w.data();
    SendMessageW(m_hwnd, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

std::string Tooltip::ToolText(HWND tool) const {
    return GetText(m_hwnd, Info(m_owner, TTF_IDISHWND, reinterpret_cast<UINT_PTR>(tool)));
}

void Tooltip::RemoveTool(HWND tool) noexcept {
    TTTOOLINFOW ti = Info(m_owner, TTF_IDISHWND, reinterpret_cast<UINT_PTR>(tool));
    SendMessageW(m_hwnd, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

bool Tooltip::AddRect(UINT id, const RECT& rect, std::string_view text) {
    std::wstring w = ToWide(text);
    TTTOOLINFOW ti = Info(m_owner, TTF_SUBCLASS, id);
    ti.rect = rect;
    ti.lpszText = w.data();
    return SendMessageW(m_hwnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)) != FALSE;
}

void Tooltip::SetRectText(UINT id, std::string_view text) {
    std::wstring w = ToWide(text);
    TTTOOLINFOW ti = Info(m_owner, 0, id);
    ti.lpszText = w.data();
    SendMessageW(m_hwnd, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

std::string Tooltip::RectText(UINT id) const {
    return GetText(m_hwnd, Info(m_owner, 0, id));
}

void Tooltip::MoveRect(UINT id, const RECT& rect) noexcept {
    TTTOOLINFOW ti = Info(m_owner, 0, id);
    ti.rect = rect;
    SendMessageW(m_hwnd, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void Tooltip::RemoveRect(UINT id) noexcept {
    TTTOOLINFOW ti = Info(m_owner, 0, id);
    SendMessageW(m_hwnd, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

int Tooltip::ToolCount() const noexcept {
    return static_cast<int>(SendMessageW(m_hwnd, TTM_GETTOOLCOUNT, 0, 0));
}

void Tooltip::SetMaxWidth(int pixels) noexcept {
    SendMessageW(m_hwnd, TTM_SETMAXTIPWIDTH, 0, pixels);
}

void Tooltip::Activate(bool active) noexcept {
    SendMessageW(m_hwnd, TTM_ACTIVATE, active ? TRUE : FALSE, 0);
}

}  // namespace winfx
