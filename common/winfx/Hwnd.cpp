#include "winfx/Hwnd.h"

#include <algorithm>

#include "winfx/Wide.h"

namespace winfx {

void HwndSetText(HWND hwnd, std::string_view utf8) {
    SetWindowTextW(hwnd, ToWide(utf8).c_str());
}

std::string HwndGetText(HWND hwnd) {
    const int len = GetWindowTextLengthW(hwnd);
    if (len <= 0) return {};
    // The length may be an overestimate (and texts can change between the calls).
    std::wstring w(static_cast<size_t>(len) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, w.data(), len + 1);
    w.resize(static_cast<size_t>(std::clamp(got, 0, len)));
    return ToUtf8(w);
}

std::string HwndGetClassName(HWND hwnd) {
    wchar_t buf[257];  // class names are at most 256 characters
    const int n = GetClassNameW(hwnd, buf, 257);
    return n > 0 ? ToUtf8(std::wstring_view(buf, static_cast<size_t>(n))) : std::string();
}

RECT HwndGetScreenRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

RECT HwndGetClientRect(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return r;
}

void HwndCenterOn(HWND hwnd, HWND other) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const RECT ref = other ? HwndGetScreenRect(other) : work;
    const RECT me = HwndGetScreenRect(hwnd);
    int x = ref.left + (RectWidth(ref) - RectWidth(me)) / 2;
    int y = ref.top + (RectHeight(ref) - RectHeight(me)) / 2;
    x = std::max<int>(work.left, std::min<int>(x, work.right - RectWidth(me)));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - RectHeight(me)));
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void HwndSetFont(HWND hwnd, HFONT font, bool redraw) {
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(redraw ? TRUE : FALSE, 0));
}

void HwndSetVisible(HWND hwnd, bool visible) {
    ShowWindow(hwnd, visible ? SW_SHOW : SW_HIDE);
}

int HwndMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT type) {
    return MessageBoxW(owner, ToWide(text).c_str(), ToWide(caption).c_str(), type);
}

}  // namespace winfx
