// UTF-8 <-> UTF-16 conversion for the edges of the programs (Win32 W calls, clipboard).
// Invalid input never fails a conversion: each ill-formed sequence becomes U+FFFD
// (one per maximal ill-formed subpart, as Unicode recommends), so a bad title or file
// name still shows and round-trips as far as it can.
#pragma once
#include <string>
#include <string_view>

namespace text {

constexpr char32_t kReplacement = 0xFFFD;

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// True when the bytes are well-formed UTF-8 (no overlongs, surrogates or values past U+10FFFF).
bool IsValidUtf8(std::string_view utf8);

// Appends the UTF-8 form of one code point; a surrogate or a value past U+10FFFF is written as U+FFFD.
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace text
