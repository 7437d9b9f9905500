// The ".mpk" pack file: a short header (magic, version, pack number, name, marker)
// in front of a zip archive whose offsets count from its own first byte.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace editor {

constexpr char kPackMagic[] = "MIENKOPACK";
constexpr size_t kPackMagicSize = 10;
constexpr unsigned char kPackVersion = 1;
constexpr unsigned char kPackMarker = 0x70;  // "p"
// The longest header: magic, version, number, length, 255 name bytes, marker.
constexpr size_t kPackHeaderMaxSize = kPackMagicSize + 1 + 4 + 1 + 255 + 1;

enum class PackHeaderStatus { Ok, VersionError, FormatError };

struct PackHeader {
    int32_t number = 0;
    std::string name;        // 8-bit text in the system code page, as stored
    size_t archiveOffset = 0;  // where the zip archive starts in the file
};

// Parses the first bytes of a pack file (up to kPackHeaderMaxSize of them). A short
// buffer, wrong magic or marker, or pack number 0 is a format error.
PackHeaderStatus ParsePackHeader(const unsigned char* data, size_t size, PackHeader& out);

// The header bytes for a pack; the name is cut at 255 bytes.
std::vector<unsigned char> BuildPackHeader(int32_t number, const std::string& name,
                                           unsigned char version = kPackVersion,
                                           unsigned char marker = kPackMarker);

// The import's messages (caption "导入"), with the path as the user gave it.
std::string PackCannotOpenText(const std::string& path);
std::string PackVersionErrorText(const std::string& path);
std::string PackFormatErrorText(const std::string& path);
// The question for a pack that is installed already; `name` in UTF-8.
std::string PackInstalledQuestion(const std::string& name);

}  // namespace editor
