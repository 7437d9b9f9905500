// Stand-in until the pack import lands: packs are queued the real way, then the queue
// is emptied without importing, as a cancelled import would leave it.
#include "PackImport.h"

namespace editor {

namespace {

class StandInImporter : public PackImporter {
public:
    explicit StandInImporter(PackImportHost& host) : m_host(host) {}

    QueueResult QueuePack(const std::string& path) override {
        QueueResult result = m_queue.Enqueue(path);
        if (result != QueueResult::Started) return result;
        std::string head;
        while (m_queue.Head(head)) m_queue.FinishHead();
        m_host.OnImportFinished();
        return result;
    }
    bool IsRunning() const override { return m_queue.IsRunning(); }
    ImportQueue& Queue() override { return m_queue; }

private:
    PackImportHost& m_host;
    ImportQueue m_queue;
};

}  // namespace

std::unique_ptr<PackImporter> MakePackImporter(PackImportHost& host) {
    return std::make_unique<StandInImporter>(host);
}

}  // namespace editor
