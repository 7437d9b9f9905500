// The import worker's work, apart from its thread and window: opens each queued pack
// (".zip" or ".mpk"), asks about installed packs, and adds every picture entry to the
// category of the folder above it, until the queue is done or emptied (the cancel).
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "PackImport.h"

namespace editor {

// What the worker shows: the progress dialog, or a recorder in tests.
class ImportView {
public:
    virtual ~ImportView() = default;
    virtual void SetRange(int entries) = 0;  // the bar goes from 0 to entries - 1
    virtual void Advance() = 0;
    virtual void Status(const std::string& text) = 0;
    // The face being imported; null paints the picture area white.
    virtual void ShowFace(const std::vector<uint8_t>* picture) = 0;
    virtual void Notice(const std::string& text) = 0;   // caption "导入", OK
    virtual bool Confirm(const std::string& text) = 0;  // caption "导入", OK/Cancel
};

struct PackImportContext {
    PackImportHost& host;
    ImportQueue& queue;
    ImportView& view;
    // 8-bit texts from packs (names without the zip's UTF-8 flag, pack names) in the
    // system code page, to UTF-8.
    std::function<std::string(const std::string&)> ansiToUtf8;
};

constexpr const char* kImportCaption = "导入";

// Works the queue until it is empty: every pack in turn, the head dropped after each.
// Empties the queue at the end.
void RunImportQueue(PackImportContext& context);

// One pack, from opening it to its last entry. The number of faces added.
int ImportPack(PackImportContext& context, const std::string& path);

}  // namespace editor
