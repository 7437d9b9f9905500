// Any bytes as a pack-file header and as a gzip file (tar inside or a single file).
#include <cstddef>
#include <cstdint>
#include <string>

#include "GZip.h"
#include "PackHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    editor::PackHeader header;
    if (editor::ParsePackHeader(data, size, header) == editor::PackHeaderStatus::Ok &&
        (header.archiveOffset > size || header.number == 0))
        __builtin_trap();
    zlib::IsTarHeader(data, size);
    zlib::CGZip archive;
    if (archive.OpenGzipBytes(std::string(reinterpret_cast<const char*>(data), size))) {
        int count = archive.GetCount();
        if (count < 0) __builtin_trap();
        zlib::ZipEntry entry;
        for (int i = 0; i < count; ++i) archive.GetFile(i, entry);
    }
    return 0;
}
