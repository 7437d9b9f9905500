// The editor's files on Windows: reading a face file whole while others may only read
// it, listing the files directly in a folder.
#pragma once
#include "FaceAdder.h"

namespace editor {

class WinFiles : public FileAccess {
public:
    ReadStatus ReadWhole(const std::string& path, size_t limit,
                         std::vector<uint8_t>& bytes) override;
    bool ListFiles(const std::string& folder, std::vector<std::string>& names) override;
    bool IsFolder(const std::string& path) override;
};

}  // namespace editor
