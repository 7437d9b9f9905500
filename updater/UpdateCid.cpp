#include "UpdateCid.h"

#include <cstdio>

namespace update {

std::string FormatCid(const Guid& g) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04x-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.data1), g.data2, g.data3, g.data4[0], g.data4[1], g.data4[2],
                  g.data4[3], g.data4[4], g.data4[5], g.data4[6], g.data4[7]);
    return text;
}

uint32_t NextDueTime(uint64_t nowSeconds, uint16_t interval) {
    return static_cast<uint32_t>(nowSeconds + interval);
}

}  // namespace update
