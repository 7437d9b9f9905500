#include "Base64.h"

#include <cstring>

namespace {

unsigned char MapChar(char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c - 'A');
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 'a' + 26);
    if (c >= '0' && c <= '9') return static_cast<unsigned char>(c - '0' + 52);
    if (c == '+') return 62;
    if (c == '/') return 63;
    if (c == '?') return 64;
    return 255;
}

}  // namespace

int Base64Decode(char* dest, const char* source, size_t length) {
    if (dest == nullptr || source == nullptr) return 0;
    if (length == 0) length = std::strlen(source);
    if (length % 4 != 0) return 0;
    int count = 0;
    char* out = dest;
    for (size_t g = 0; g < length; g += 4) {
        unsigned a = MapChar(source[g]), b = MapChar(source[g + 1]);
        unsigned c = MapChar(source[g + 2]), d = MapChar(source[g + 3]);
        *out++ = static_cast<char>(((a << 2) | ((b >> 4) & 0x3)) & 0xFF);
        *out++ = static_cast<char>(((b << 4) | ((c >> 2) & 0xF)) & 0xFF);
        *out++ = static_cast<char>(((c << 6) | (d & 0x3F)) & 0xFF);
        count += 3;
        if (d == 64) {
            --count;
            if (c == 64) --count;
        }
    }
    *out = '\0';
    return count;
}
