// The pack import behind the editor window: the queue, and the modal progress dialog
// whose worker thread works it. The window's library is the worker's alone until the
// worker has ended.
#include <windows.h>

#include "ImportProgressDlg_win.h"
#include "PackImport.h"
#include "winfx/Wide.h"

namespace editor {

namespace {

std::string ProgramDir() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::string dir = winfx::ToUtf8(std::wstring(path, n));
    size_t slash = dir.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : dir.substr(0, slash + 1);
}

class WorkerImporter : public PackImporter {
public:
    explicit WorkerImporter(PackImportHost& host) : m_host(host) {}

    QueueResult QueuePack(const std::string& path) override {
        QueueResult result = m_queue.Enqueue(path);
        if (result != QueueResult::Started) return result;
        {
            CImportProgressDlg dialog(ProgramDir(), m_host, m_queue);
            if (dialog.DoModal(static_cast<HWND>(m_host.OwnerWindow())) == -1) m_queue.Clear();
            // The dialog's end waits for its worker (see its destructor).
        }
        m_queue.Clear();
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
    return std::make_unique<WorkerImporter>(host);
}

}  // namespace editor
