#include "WinFiles_win.h"

#include <windows.h>

#include <algorithm>

#include "winfx/Unique.h"
#include "winfx/Wide.h"

namespace editor {

ReadStatus WinFiles::ReadWhole(const std::string& path, size_t limit,
                               std::vector<uint8_t>& bytes) {
    bytes.clear();
    winfx::UniqueFile file(CreateFileW(winfx::ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return ReadStatus::Unreadable;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) return ReadStatus::Unreadable;
    if (static_cast<unsigned long long>(size.QuadPart) > limit) return ReadStatus::TooLarge;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD got = 0;
        if (!ReadFile(file.Get(), bytes.data() + done, chunk, &got, nullptr) || got == 0) {
            bytes.clear();
            return ReadStatus::Unreadable;
        }
        done += got;
    }
    return ReadStatus::Ok;
}

bool WinFiles::ListFiles(const std::string& folder, std::vector<std::string>& names) {
    names.clear();
    WIN32_FIND_DATAW found{};
    winfx::UniqueFind find(FindFirstFileW(winfx::ToWide(folder + "*.*").c_str(), &found));
    if (!find) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        names.push_back(winfx::ToUtf8(found.cFileName));
    } while (FindNextFileW(find.Get(), &found));
    return true;
}

bool WinFiles::IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesW(winfx::ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace editor
