#include "WindowTree_win.h"

namespace wintree {
namespace {

std::string_view ToUtf8(const wchar_t* wide, int units, Name& buffer) {
    if (units <= 0) return {};
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, units, buffer.text,
                                          static_cast<int>(sizeof buffer.text) - 1, nullptr,
                                          nullptr);
    if (bytes <= 0) return {};
    buffer.text[bytes] = '\0';
    return std::string_view(buffer.text, static_cast<size_t>(bytes));
}

}  // namespace

Hwnd LiveWindowTree::FirstChild(Hwnd w) const {
    return FromHwnd(GetWindow(ToHwnd(w), GW_CHILD));
}

Hwnd LiveWindowTree::NextSibling(Hwnd w) const {
    return FromHwnd(GetWindow(ToHwnd(w), GW_HWNDNEXT));
}

Hwnd LiveWindowTree::Parent(Hwnd w) const {
    return FromHwnd(GetAncestor(ToHwnd(w), GA_PARENT));
}

std::string_view LiveWindowTree::ClassName(Hwnd w, Name& buffer) const {
    wchar_t wide[Name::kMaxUnits + 1];
    const int units = GetClassNameW(ToHwnd(w), wide, Name::kMaxUnits + 1);
    return ToUtf8(wide, units, buffer);
}

std::string_view LiveWindowTree::Title(Hwnd w, Name& buffer) const {
    wchar_t wide[Name::kMaxUnits + 1];
    const int units = InternalGetWindowText(ToHwnd(w), wide, Name::kMaxUnits + 1);
    return ToUtf8(wide, units, buffer);
}

}  // namespace wintree
