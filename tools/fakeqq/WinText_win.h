// UTF-8 inside, UTF-16 at the Win32 calls; small window-text helpers.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace fakeqq {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);
std::wstring WideFromCodePage(UINT codePage, std::string_view bytes);
std::string ClassNameOf(HWND hwnd);
std::string TextOf(HWND hwnd);
std::string HandleText(HWND hwnd);  // "0x0001002A"

}  // namespace fakeqq
