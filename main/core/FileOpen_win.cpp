#include <windows.h>

#include "FileOpen.h"
#include "text/Utf.h"

std::FILE* OpenFileUtf8(const std::string& path, const char* mode) {
    const std::u16string wpath = text::Utf8ToUtf16(path);
    const std::u16string wmode = text::Utf8ToUtf16(mode);
    return _wfopen(reinterpret_cast<const wchar_t*>(wpath.c_str()),
                   reinterpret_cast<const wchar_t*>(wmode.c_str()));
}
