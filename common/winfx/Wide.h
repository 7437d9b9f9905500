// UTF-8 inside, UTF-16 only on the line that calls a W function. Ill-formed input
// becomes U+FFFD (see text/Utf.h).
#pragma once
#include <string>
#include <string_view>

#include "text/Utf.h"

namespace winfx {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wchar_t is UTF-16");

inline std::wstring ToWide(std::string_view utf8) {
    const std::u16string w = text::Utf8ToUtf16(utf8);
    return std::wstring(reinterpret_cast<const wchar_t*>(w.data()), w.size());
}

inline std::string ToUtf8(std::wstring_view wide) {
    return text::Utf16ToUtf8(
        std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

// A null pointer (a missing text from an API) reads as empty.
inline std::string ToUtf8(const wchar_t* wide) {
    return wide ? ToUtf8(std::wstring_view(wide)) : std::string();
}

}  // namespace winfx
