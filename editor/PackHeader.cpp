#include "PackHeader.h"

#include <cstring>

namespace editor {

PackHeaderStatus ParsePackHeader(const unsigned char* data, size_t size, PackHeader& out) {
    out = PackHeader{};
    if (size < kPackMagicSize || std::memcmp(data, kPackMagic, kPackMagicSize) != 0)
        return PackHeaderStatus::FormatError;
    size_t pos = kPackMagicSize;
    if (pos >= size) return PackHeaderStatus::FormatError;
    if (data[pos] != kPackVersion) return PackHeaderStatus::VersionError;
    ++pos;
    if (size - pos < 5) return PackHeaderStatus::FormatError;
    uint32_t number = uint32_t(data[pos]) | uint32_t(data[pos + 1]) << 8 |
                      uint32_t(data[pos + 2]) << 16 | uint32_t(data[pos + 3]) << 24;
    size_t nameLength = data[pos + 4];
    pos += 5;
    if (size - pos < nameLength + 1) return PackHeaderStatus::FormatError;
    std::string name(reinterpret_cast<const char*>(data + pos), nameLength);
    pos += nameLength;
    if (data[pos] != kPackMarker) return PackHeaderStatus::FormatError;
    ++pos;
    if (number == 0) return PackHeaderStatus::FormatError;
    // The name sits in a zero-filled buffer, so an embedded NUL ends it.
    name.resize(std::strlen(name.c_str()));
    out.number = static_cast<int32_t>(number);
    out.name = std::move(name);
    out.archiveOffset = pos;
    return PackHeaderStatus::Ok;
}

std::vector<unsigned char> BuildPackHeader(int32_t number, const std::string& name,
                                           unsigned char version, unsigned char marker) {
    std::vector<unsigned char> out(kPackMagic, kPackMagic + kPackMagicSize);
    out.push_back(version);
    uint32_t n = static_cast<uint32_t>(number);
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(n >> (8 * i)));
    size_t length = name.size() > 255 ? 255 : name.size();
    out.push_back(static_cast<unsigned char>(length));
    out.insert(out.end(), name.begin(), name.begin() + static_cast<std::ptrdiff_t>(length));
    out.push_back(marker);
    return out;
}

std::string PackCannotOpenText(const std::string& path) {
    return "不能打开文件: " + path + "。";
}

std::string PackVersionErrorText(const std::string& path) {
    return "文件: " + path + " 版本错误。";
}

std::string PackFormatErrorText(const std::string& path) {
    return "文件: " + path + " 格式错误。";
}

std::string PackInstalledQuestion(const std::string& name) {
    return "表情包: \"" + name + "\" 已经存在，是否重新导入！";
}

}  // namespace editor
