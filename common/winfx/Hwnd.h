// Free helpers named after the handle they work on. Texts are UTF-8.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace winfx {

void HwndSetText(HWND hwnd, std::string_view utf8);
std::string HwndGetText(HWND hwnd);
std::string HwndGetClassName(HWND hwnd);

RECT HwndGetScreenRect(HWND hwnd);  // window rectangle in screen coordinates
RECT HwndGetClientRect(HWND hwnd);
// Centres hwnd on the other window, or on the work area when other is null; stays on screen.
void HwndCenterOn(HWND hwnd, HWND other);
void HwndSetFont(HWND hwnd, HFONT font, bool redraw = true);
void HwndSetVisible(HWND hwnd, bool visible);

// MessageBoxW with UTF-8 texts; returns the button id.
int HwndMessageBox(HWND owner, std::string_view text, std::string_view caption, UINT type);

inline int RectWidth(const RECT& r) { return r.right - r.left; }
inline int RectHeight(const RECT& r) { return r.bottom - r.top; }

}  // namespace winfx
