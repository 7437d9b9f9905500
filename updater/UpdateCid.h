// Update bookkeeping kept under "Software\Pelux\AppUpdate": the client identity text and
// the times the next checks are due.
#pragma once
#include <cstdint>
#include <string>

namespace update {

struct Guid {
    uint32_t data1 = 0;
    uint16_t data2 = 0, data3 = 0;
    uint8_t data4[8] = {};
};

// "{%08X-%04X-%04x-%02X%02X-%02X%02X%02X%02X%02X%02X}": 38 characters, the third group
// in lower case.
std::string FormatCid(const Guid& guid);

// Seconds since 1970 plus the interval, low 32 bits: the registry keeps a DWORD.
uint32_t NextDueTime(uint64_t nowSeconds, uint16_t interval);

}  // namespace update
