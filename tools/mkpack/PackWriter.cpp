#include "PackWriter.h"

#include <minizip/zip.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace mkpack {

namespace fs = std::filesystem;

std::string WritePack(const std::string& path, const std::vector<unsigned char>& header,
                      const std::vector<PackFile>& files, bool utf8Names) {
    // The zip's offsets count from its own first byte: write it alone, then put the
    // header in front.
    std::string zipPath = path + ".zip-part";
    zipFile zip = zipOpen64(zipPath.c_str(), APPEND_STATUS_CREATE);
    if (!zip) return "cannot create " + zipPath;
    std::string error;
    for (const PackFile& file : files) {
        zip_fileinfo info{};
        if (zipOpenNewFileInZip4_64(zip, file.name.c_str(), &info, nullptr, 0, nullptr, 0,
                                    nullptr, Z_DEFLATED, Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS,
                                    DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0, 0,
                                    utf8Names ? 0x800 : 0, 0) != ZIP_OK ||
            zipWriteInFileInZip(zip, file.data.data(), unsigned(file.data.size())) != ZIP_OK ||
            zipCloseFileInZip(zip) != ZIP_OK) {
            error = "cannot add " + file.name;
            break;
        }
    }
    if (zipClose(zip, nullptr) != ZIP_OK && error.empty()) error = "cannot finish " + zipPath;
    if (error.empty()) {
        std::ifstream in(zipPath, std::ios::binary);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(header.data()), std::streamsize(header.size()));
        out << in.rdbuf();
        if (!out) error = "cannot write " + path;
    }
    std::remove(zipPath.c_str());
    return error;
}

std::vector<PackFile> ReadFolder(const std::string& folder, std::string& error) {
    std::vector<PackFile> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_regular_file()) continue;
        std::ifstream in(it->path(), std::ios::binary);
        PackFile file;
        file.name = fs::relative(it->path(), folder).generic_string();
        file.data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        files.push_back(std::move(file));
    }
    if (ec) error = "cannot read " + folder + ": " + ec.message();
    std::sort(files.begin(), files.end(),
              [](const PackFile& a, const PackFile& b) { return a.name < b.name; });
    return files;
}

}  // namespace mkpack
