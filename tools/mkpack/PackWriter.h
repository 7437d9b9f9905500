// Writes zip archives, optionally behind a pack header, from files held in memory.
#pragma once
#include <string>
#include <vector>

namespace mkpack {

struct PackFile {
    std::string name;  // "/"-separated; bytes as they go into the directory
    std::string data;
};

// Writes `header` and then a zip of `files`. With utf8Names the entries carry the zip's
// UTF-8 flag. Returns an error text, empty on success.
std::string WritePack(const std::string& path, const std::vector<unsigned char>& header,
                      const std::vector<PackFile>& files, bool utf8Names);

// The files under `folder`, named by their paths below it, in name order.
std::vector<PackFile> ReadFolder(const std::string& folder, std::string& error);

}  // namespace mkpack
