#include "winfx/Registry.h"

#include <cstring>

#include "winfx/Wide.h"

namespace winfx {
namespace {

// Reads a value of any type; grows the buffer if the value grew between the calls.
bool ReadValue(HKEY key, std::string_view name, DWORD& type, std::vector<BYTE>& data) {
    const std::wstring wname = ToWide(name);
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD size = 0;
        LONG r = RegQueryValueExW(key, wname.c_str(), nullptr, &type, nullptr, &size);
        if (r != ERROR_SUCCESS) return false;
        data.resize(size);
        r = RegQueryValueExW(key, wname.c_str(), nullptr, &type, data.empty() ? nullptr : data.data(), &size);
        if (r == ERROR_SUCCESS) {
            data.resize(size);
            return true;
        }
        if (r != ERROR_MORE_DATA) return false;
    }
    return false;
}

}  // namespace

UniqueKey KeyOpen(HKEY root, std::string_view path, REGSAM access) {
    UniqueKey key;
    if (RegOpenKeyExW(root, ToWide(path).c_str(), 0, access, key.Put()) != ERROR_SUCCESS) key.Release();
    return key;
}

UniqueKey KeyCreate(HKEY root, std::string_view path, REGSAM access) {
    UniqueKey key;
    if (RegCreateKeyExW(root, ToWide(path).c_str(), 0, nullptr, 0, access, nullptr, key.Put(), nullptr) != ERROR_SUCCESS)
        key.Release();
    return key;
}

std::optional<std::string> KeyGetString(HKEY key, std::string_view name) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!ReadValue(key, name, type, data) || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
    // The stored size counts bytes and may be odd or lack the terminator.
    std::wstring w(data.size() / sizeof(wchar_t), L'\0');
    if (!w.empty()) memcpy(w.data(), data.data(), w.size() * sizeof(wchar_t));
    const size_t nul = w.find(L'\0');
    if (nul != std::wstring::npos) w.resize(nul);
    return ToUtf8(w);
}

std::optional<DWORD> KeyGetDword(HKEY key, std::string_view name) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!ReadValue(key, name, type, data) || type != REG_DWORD || data.size() != sizeof(DWORD)) return std::nullopt;
    DWORD v;
    memcpy(&v, data.data(), sizeof v);
    return v;
}

std::optional<std::vector<BYTE>> KeyGetBinary(HKEY key, std::string_view name) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!ReadValue(key, name, type, data) || type != REG_BINARY) return std::nullopt;
    return data;
}

bool KeySetString(HKEY key, std::string_view name, std::string_view value) {
    const std::wstring w = ToWide(value);
    const size_t bytes = (w.size() + 1) * sizeof(wchar_t);
    if (bytes > MAXDWORD) return false;
    return RegSetValueExW(key, ToWide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(w.c_str()),
                          static_cast<DWORD>(bytes)) == ERROR_SUCCESS;
}

bool KeySetDword(HKEY key, std::string_view name, DWORD value) {
    return RegSetValueExW(key, ToWide(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof value) == ERROR_SUCCESS;
}

bool KeyDeleteValue(HKEY key, std::string_view name) {
    return RegDeleteValueW(key, ToWide(name).c_str()) == ERROR_SUCCESS;
}

bool KeyDeleteTree(HKEY root, std::string_view path) {
    if (path.empty()) return false;  // never the whole root
    const std::wstring w = ToWide(path);
    if (RegDeleteTreeW(root, w.c_str()) != ERROR_SUCCESS) return false;
    // Some versions leave the emptied key itself.
    const LONG r = RegDeleteKeyW(root, w.c_str());
    return r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND;
}

}  // namespace winfx
