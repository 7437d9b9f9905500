// The pack ids a face check reports: gathered from the "packid" bar lists of every
// category, in the form the command-17 request carries them.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace update {

// The first non-empty list whole, every later one without its leading "|":
// "|1|2|" and "|3|" give "|1|2|3|".
std::string JoinPackLists(const std::vector<std::string>& lists);

// Every piece followed by "|" as a decimal number (its leading digits, 0 when none) cut to
// 16 bits; zeros are left out, a piece after the last "|" is ignored, duplicates stay.
std::vector<uint16_t> ParsePackIds(const std::string& joined);

// What a request carries: all ids when they fit one datagram; otherwise duplicates go
// first and then only the first ids that fit are kept.
std::vector<uint16_t> IdsToSend(const std::vector<uint16_t>& ids);

}  // namespace update
