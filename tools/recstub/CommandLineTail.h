// The parameter text of a Windows command line: what follows the program name, the way
// WinMain's command-line argument sees it.
#pragma once
#include <string_view>

namespace recstub {

// Skips the program name (a quoted one up to its closing quote, else up to the first space
// or tab) and the blanks after it; the rest is returned unchanged, quotes and all.
std::string_view ArgumentsOf(std::string_view commandLine);

}  // namespace recstub
