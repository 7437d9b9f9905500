// Text helpers for the fake messenger's log lines (format in FakeQQProtocol.h).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace fakeqq {

// CR, LF and TAB become \r \n \t, other control bytes \xNN; everything else (backslashes of
// paths included) is kept, so a line stays one line and a path reads as it is.
std::string EscapeLogText(std::string_view text);

// "0x0001002A": handles in one fixed form, so a test can format the value it expects.
std::string HexHandle(std::uintptr_t value);

std::string BoxText(int left, int top, int right, int bottom);  // "L,T,R,B"

}  // namespace fakeqq
