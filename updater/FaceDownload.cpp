#include "FaceDownload.h"

#include "DownloadName.h"
#include "FaceLink.h"
#include "PackIds.h"
#include "UpdateCid.h"

namespace update {

constexpr const char* kButtonCancel = "取消";
constexpr const char* kButtonDone = "完成";

void FaceQueue::Clear() {
    std::lock_guard<std::mutex> hold(m_lock);
    m_records.clear();
    m_pending.clear();
}

bool FaceQueue::HasLink(const std::string& link) const {
    std::lock_guard<std::mutex> hold(m_lock);
    for (const Record& r : m_records)
        if (r.link == link) return true;
    return false;
}

int FaceQueue::Append(const std::string& link, const std::string& url) {
    std::lock_guard<std::mutex> hold(m_lock);
    m_records.push_back(Record{link, url});
    const int row = static_cast<int>(m_records.size()) - 1;
    m_pending.push_back(row);
    return row;
}

size_t FaceQueue::PendingCount() const {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_pending.size();
}

std::optional<FaceQueue::Task> FaceQueue::Take() {
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_pending.empty()) return std::nullopt;
    const int row = m_pending.front();
    m_pending.pop_front();
    ++m_active;
    return Task{row, m_records[static_cast<size_t>(row)].url};
}

bool FaceQueue::Finish() {
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_active > 0) --m_active;
    return m_active == 0;
}

LinkOutcome DispatchLink(const std::string& text, FaceQueue& queue, UpdateView& view,
                         const LibraryProbe& libraryHas, int& row) {
    const std::string link = DecodeLink(text);
    if (link.empty()) return LinkOutcome::Ignored;
    if (queue.HasLink(link)) {
        view.ShowDuplicate();
        return LinkOutcome::Duplicate;
    }
    const auto pack = ParsePackLink(link);
    if (!pack) return LinkOutcome::Ignored;
    const std::string sql = PackInstalledQuery(pack->id);
    if (!sql.empty() && libraryHas && libraryHas(sql) && !view.AskRedownload()) return LinkOutcome::Declined;
    row = queue.Append(link, pack->url);
    view.AddRow(row, pack->name, "", pack->id);
    view.SetButtonText(kButtonCancel);
    return LinkOutcome::Queued;
}

int RunFaceCheck(CheckEnv& env, const std::string& cid, uint32_t appVer,
                 const std::vector<std::string>& packLists, FaceQueue& queue) {
    queue.Clear();
    const auto ids = IdsToSend(ParsePackIds(JoinPackLists(packLists)));
    const auto datagram = env.udp.Exchange(BuildFaceRequest(cid, appVer, ids), env.waitMs);
    if (!datagram) return -1;
    const auto reply = ParseFaceReply(*datagram);
    if (!reply) return -2;
    env.store.WriteDword(kValueNextFaceUpdate, NextDueTime(env.clock.NowSeconds(), reply->interval));
    if (reply->status != 1) return -4;
    for (const PackItem& item : reply->items) {
        const int row = queue.Append(item.url, item.url);
        env.view.AddRow(row, UrlLastSegment(item.name), "", "");
    }
    env.view.SetButtonText(kButtonCancel);
    return queue.PendingCount() == 0 ? -3 : 0;
}

void RunFaceWorker(FaceQueue& queue, const std::string& programFolder, Downloader& downloader,
                   Launcher& launcher, UpdateView& view) {
    const auto task = queue.Take();
    if (!task) return;
    const DownloadResult got = downloader.Download(task->url, task->row, programFolder + "\\temp\\");
    if (queue.Finish()) view.SetButtonText(kButtonDone);
    if (!got.complete) {
        view.RowFailed(task->row);
        return;
    }
    view.RowDone(task->row);
    launcher.Open(programFolder + "\\Tessel.exe", "-S " + got.path);
}

}  // namespace update
