// Face-pack downloads: the queue of packs, the command-17 check, the link dispatch and the
// per-pack worker that hands each finished pack to the editor.
#pragma once
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "ProgramUpdate.h"

namespace update {

// Records in queue order (a record's position is its list row), the positions still
// waiting for a worker, and the count of downloads running. Safe to share between the
// window thread and the workers.
class FaceQueue {
public:
    struct Task {
        int row;
        std::string url;
    };
    void Clear();
    bool HasLink(const std::string& link) const;
    int Append(const std::string& link, const std::string& url);  // returns the row
    size_t PendingCount() const;
    // Takes the first waiting record and counts it as running.
    std::optional<Task> Take();
    // Counts one running download less; true when none is left.
    bool Finish();

private:
    struct Record {
        std::string link, url;
    };
    mutable std::mutex m_lock;
    std::vector<Record> m_records;
    std::deque<int> m_pending;
    int m_active = 0;
};

// Runs a library query text; true when it returned a record.
using LibraryProbe = std::function<bool(const std::string& sql)>;

enum class LinkOutcome { Queued, Duplicate, Ignored, Declined };

// Decodes and checks one link and queues it; on Queued `row` is its list row.
LinkOutcome DispatchLink(const std::string& text, FaceQueue& queue, UpdateView& view,
                         const LibraryProbe& libraryHas, int& row);

// 0: packs queued (start one worker per pending record); -1 no reply; -2 another command or
// a broken reply; -4 status not 1; -3 nothing listed.
int RunFaceCheck(CheckEnv& env, const std::string& cid, uint32_t appVer,
                 const std::vector<std::string>& packLists, FaceQueue& queue);

// One worker: downloads the first waiting pack and starts the editor on it when it arrived
// whole; the last one to finish sets the button to "完成".
void RunFaceWorker(FaceQueue& queue, const std::string& programFolder, Downloader& downloader,
                   Launcher& launcher, UpdateView& view);

}  // namespace update
