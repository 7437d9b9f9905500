// What the messenger finds on the clipboard when it pastes.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace fakeqq {

struct ClipboardText {
    std::string text;   // UTF-8, up to the first NUL within the block
    size_t bytes = 0;   // size of the global block
};

struct ClipboardSnapshot {
    bool opened = false;
    DWORD error = 0;                      // GetLastError when it could not be opened
    std::vector<std::string> formats;     // "NAME(number)" in the clipboard's order
    std::optional<ClipboardText> fragment;  // "QQ_RichEdit_Format", decoded as ANSI
    std::optional<ClipboardText> text;      // CF_TEXT
    std::optional<ClipboardText> oemText;   // CF_OEMTEXT
    std::optional<ClipboardText> unicodeText;  // CF_UNICODETEXT
};

ClipboardSnapshot ReadClipboard(HWND owner);

}  // namespace fakeqq
