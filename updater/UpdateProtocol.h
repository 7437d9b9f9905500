// The update query protocol: one UDP request, one reply of at most 512 bytes. Command 16
// asks for a newer program, command 17 for new face packs. Requests are built byte for
// byte; replies come from the network and are parsed as untrusted input: every length is
// checked against the bytes received and the URL limits, and a reply that breaks them is
// rejected as a whole (no half-read file list is ever acted on).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace update {

using Bytes = std::vector<uint8_t>;

constexpr uint8_t kCmdProgram = 16;
constexpr uint8_t kCmdFaces = 17;
constexpr size_t kMaxDatagram = 512;
constexpr size_t kMaxUrl = 127;          // base URL and every full URL
constexpr size_t kProgramRequestSize = 58;
constexpr size_t kFaceRequestBase = 51;  // plus two bytes per pack id
// The most pack ids a command-17 request can carry inside one datagram.
constexpr size_t kMaxPackIds = (kMaxDatagram - kFaceRequestBase) / 2;

Bytes BuildProgramRequest(const std::string& cid, uint32_t appVer);
// Ids beyond kMaxPackIds are not sent (see PackIds.h for the choice of which).
Bytes BuildFaceRequest(const std::string& cid, uint32_t appVer, const std::vector<uint16_t>& ids);

// One file of a program update.
struct ProgramItem {
    uint16_t version = 0;
    uint16_t sizeField = 0;   // bit 15: megabytes, else kilobytes
    std::string url;          // full URL (base applied)
    std::string params;
    uint8_t dirCode = 0;
    uint8_t action = 0;
};

struct ProgramReply {
    uint8_t status = 0;
    uint16_t newest = 0;
    uint16_t interval = 0;
    std::string baseUrl;
    std::vector<ProgramItem> items;  // read only when status is 1
};

struct PackItem {
    std::string name;
    std::string url;  // full URL
};

struct FaceReply {
    uint8_t status = 0;
    uint16_t interval = 0;
    std::string baseUrl;
    std::vector<PackItem> items;  // read only when status is 1
};

enum class ReplyError { None, WrongCommand, Malformed };

// Bytes 1 and 2 name the command; a datagram longer than kMaxDatagram is cut to it.
std::optional<ProgramReply> ParseProgramReply(const Bytes& datagram, ReplyError* error = nullptr);
std::optional<FaceReply> ParseFaceReply(const Bytes& datagram, ReplyError* error = nullptr);

// An item URL that holds "://" stands alone; any other is appended to the base unchanged.
std::string FullUrl(const std::string& base, const std::string& url);

}  // namespace update
