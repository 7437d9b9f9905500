// The seam between the editor window and the face-pack import. The window queues packs
// ("导入表情包", dropped .zip/.mpk files, "-S path", a bare path) through PackImporter;
// the import works the queue and reaches the window through PackImportHost.
#pragma once
#include <memory>
#include <string>

#include "ImportQueue.h"

class FaceLibrary;

namespace editor {

// What the import needs of the editor window.
class PackImportHost {
public:
    virtual ~PackImportHost() = default;
    // The window that owns the progress dialog and the messages (an HWND).
    virtual void* OwnerWindow() = 0;
    virtual FaceLibrary& Library() = 0;
    // Creates or finds the category (its pack list gains `pack`), appends a new one to
    // the category list, and opens it without displaying it, writing back the max
    // order of the category left. Its number, or -1.
    virtual int OpenImportCategory(const std::string& name, int pack) = 0;
    // The open category's in-memory max order.
    virtual int& MaxOrder() = 0;
    virtual int OpenCategoryNumber() = 0;
    // The queue ran empty: the window writes back the max order and redisplays.
    virtual void OnImportFinished() = 0;
};

class PackImporter {
public:
    virtual ~PackImporter() = default;
    // Queues `path` (compared lower-cased). When no import was running the import runs now,
    // behind its modal progress dialog, and the call returns when the queue is empty.
    virtual QueueResult QueuePack(const std::string& path) = 0;
    virtual bool IsRunning() const = 0;
    virtual ImportQueue& Queue() = 0;
};

std::unique_ptr<PackImporter> MakePackImporter(PackImportHost& host);

}  // namespace editor
