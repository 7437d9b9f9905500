#include "UpdateServer.h"

#include <cstring>

#include "Base64.h"

namespace update {

std::string DecodeServerName(const char* stored) {
    char buffer[50] = {};
    const size_t length = std::strlen(stored);
    if (length / 4 * 3 + 1 > sizeof buffer) return {};
    Base64Decode(buffer, stored, length);
    return std::string(buffer, strnlen(buffer, sizeof buffer));
}

bool PreferSecondServer(const std::string& dotted) {
    return dotted.rfind("127.0.", 0) == 0 || dotted.rfind("192.", 0) == 0;
}

}  // namespace update
