// What the reference update server answers: read from a small text file, one directive per
// line, "key=value" fields separated by blanks, values percent-decoded, "{http}" in a value
// replaced by the HTTP port the server listens on.
//
//   udp16 status=1 newest=102 interval=3600 base=http://127.0.0.1:{http}/up/
//   item16 version=102 size=5 url=Pelumo.exe params=-x%20y dir=0 action=1
//   udp17 status=1 interval=60 base=http://127.0.0.1:{http}/packs/
//   item17 name=packs/Cats url=cats.mpk
//   raw16 hex=020a10...        answer command 16 with exactly these bytes
//   silent17                   never answer command 17
//   file /up/Pelumo.exe size=3000 [mode=length|nolength|404|garbage] [slow=MS] [cut=N] [extra=N]
//   file /packs/a.zip src=/path/on/disk
//
// A "file" of size N holds the bytes i % 251 (FileByte). Without "udp16"/"udp17" the
// command is answered with status 0 and interval 0.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace updserver {

using Bytes = std::vector<uint8_t>;

struct FileRoute {
    std::string mode = "length";  // length, nolength, 404, garbage
    Bytes body;
    int slowMs = 0;               // pause after every 1024 bytes
    std::optional<size_t> cut;    // send only this many body bytes
    size_t extra = 0;             // send this many bytes more than announced
};

struct Config {
    std::map<int, Bytes> replies;  // by command; absent = silent
    std::map<std::string, FileRoute> files;
};

inline uint8_t FileByte(size_t i) { return static_cast<uint8_t>(i % 251); }

// Errors name the line; nullopt with `error` set when the text is not understood.
std::optional<Config> ParseConfig(const std::string& text, uint16_t httpPort, std::string& error);

std::string PercentDecode(const std::string& text);
std::string Hex(const uint8_t* data, size_t size);

// The HTTP response head and body for a request head; `route` null means 404.
std::string ResponseHead(const FileRoute* route);

// "GET /path HTTP/1.1" -> "/path"; empty when the head is no GET request.
std::string RequestPath(const std::string& head);

}  // namespace updserver
