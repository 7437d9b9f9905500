// Registry helpers named after the key handle. Paths, names and texts are UTF-8; a
// missing key or value, or one of another type, reads as std::nullopt.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "winfx/Unique.h"

namespace winfx {

UniqueKey KeyOpen(HKEY root, std::string_view path, REGSAM access = KEY_READ);
UniqueKey KeyCreate(HKEY root, std::string_view path, REGSAM access = KEY_READ | KEY_WRITE);

// REG_SZ or REG_EXPAND_SZ (not expanded); a missing terminator is tolerated.
std::optional<std::string> KeyGetString(HKEY key, std::string_view name);
std::optional<DWORD> KeyGetDword(HKEY key, std::string_view name);
std::optional<std::vector<BYTE>> KeyGetBinary(HKEY key, std::string_view name);
bool KeySetString(HKEY key, std::string_view name, std::string_view value);
bool KeySetDword(HKEY key, std::string_view name, DWORD value);
bool KeyDeleteValue(HKEY key, std::string_view name);
// Deletes the key at path below root with everything under it.
bool KeyDeleteTree(HKEY root, std::string_view path);

}  // namespace winfx
