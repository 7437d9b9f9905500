// The pack-import queue: pack paths, guarded by its own lock, compared lower-cased. The
// pack being imported stays at the head until it is done, so a non-empty queue means an
// import is running, and emptying the queue asks the import to stop.
#pragma once
#include <deque>
#include <mutex>
#include <string>

namespace editor {

enum class QueueResult {
    Started,        // the queue was empty: the caller starts the import
    Appended,       // an import runs and will take this pack after the others
    AlreadyQueued,  // an import runs and this pack is already waiting or in progress
};

class ImportQueue {
public:
    QueueResult Enqueue(const std::string& path);
    bool IsRunning() const;
    // The pack in progress, spelled as it was queued (messages show the user's own
    // spelling); false when the queue is empty.
    bool Head(std::string& path) const;
    // The pack in progress is done: drops the head. False when the queue was emptied.
    bool FinishHead();
    void Clear();  // the cancel request
    size_t Size() const;

private:
    struct Item {
        std::string lower;  // the duplicate check's key
        std::string path;
    };
    mutable std::mutex m_lock;
    std::deque<Item> m_paths;
};

// Paths compare without case on the editor's file systems.
std::string LowerPath(const std::string& path);

}  // namespace editor
