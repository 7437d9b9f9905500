// Where the update server is: two host names kept as base64 text, tried in order, and one
// UDP port. The shipped names are the maker's placeholders and resolve nowhere, so a
// shipped updater only ever times out quietly; an installation (or a test) names its
// server with the "ServerHost" and "ServerPort" values under the update key, which the
// programs never write. Both paths go through the same resolution.
#pragma once
#include <cstdint>
#include <string>

namespace update {

constexpr const char* kStoredServerNames[2] = {"dXBkMS5leGFtcGxl", "dXBkMi5leGFtcGxl"};
constexpr uint16_t kServerPort = 8016;
constexpr const char* kValueServerHost = "ServerHost";
constexpr const char* kValueServerPort = "ServerPort";

// Decoded into a zeroed 50-byte buffer and read back as a C string.
std::string DecodeServerName(const char* stored);

// An address the first name must not be taken at: the second name is tried instead.
bool PreferSecondServer(const std::string& dottedAddress);

}  // namespace update
