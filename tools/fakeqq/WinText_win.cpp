#include "WinText_win.h"

#include "LogText.h"

namespace fakeqq {

std::wstring WideFromCodePage(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    int n = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    if (n <= 0) return {};
    std::wstring w(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, w.data(), n);
    return w;
}

std::wstring Wide(std::string_view utf8) { return WideFromCodePage(CP_UTF8, utf8); }

std::string Utf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, s.data(), n, nullptr, nullptr);
    return s;
}

std::string ClassNameOf(HWND hwnd) {
    wchar_t name[257] = {};
    int n = GetClassNameW(hwnd, name, 257);
    return Utf8(std::wstring_view(name, n > 0 ? static_cast<size_t>(n) : 0));
}

std::string TextOf(HWND hwnd) {
    int n = GetWindowTextLengthW(hwnd);
    if (n <= 0) return {};
    std::wstring w(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(hwnd, w.data(), n + 1);
    w.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return Utf8(w);
}

std::string HandleText(HWND hwnd) { return HexHandle(reinterpret_cast<std::uintptr_t>(hwnd)); }

}  // namespace fakeqq
