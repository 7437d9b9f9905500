// Whole-file loading for the XML reader.
#include <vector>

#include "XmlReader.h"

std::unique_ptr<CXMLElement> LoadXmlFile(std::FILE* file) {
    if (!file) return nullptr;
    if (std::fseek(file, 0, SEEK_END) != 0) return nullptr;
    long size = std::ftell(file);  // -1 for files past 2 GiB on 32-bit: refused as well
    if (size < 0 || static_cast<std::uint64_t>(size) > kXmlMaxFileSize) return nullptr;
    if (std::fseek(file, 0, SEEK_SET) != 0) return nullptr;
    try {
        std::vector<unsigned char> buffer(static_cast<std::size_t>(size));
        std::size_t got = 0;
        while (got < buffer.size()) {
            std::size_t n = std::fread(buffer.data() + got, 1, buffer.size() - got, file);
            if (n == 0) break;
            got += n;
        }
        // A file that shrank under us is parsed as far as it was read.
        return ParseXmlBuffer(buffer.data(), got);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
