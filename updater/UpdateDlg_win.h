// CUpdateDlg: the updater's window ("volte_window" of the editor's skin). It runs the
// command dispatch (its own command line, and lines forwarded by later starts), shows the
// download list with a progress cell per row, and owns the workers' shared state.
#pragma once
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "FaceDownload.h"
#include "SkinDialog_win.h"
#include "UpdatePlatform_win.h"
#include "winfx/ImageList.h"
#include "winfx/ListView.h"

class CAdoConnection;
class CAdoRecordSet;

class CUpdateDlg : public CSkinDialog, public update::UpdateView {
public:
    static constexpr int kIdList = 1001;
    static constexpr int kIdUpgrade = 1000;
    static constexpr UINT kCmdAbout = 16;

    CUpdateDlg(std::string commandLine, std::string title);
    ~CUpdateDlg() override;

    // Downloads still running when the window ends; the program does not wait for them.
    int RunningWorkers() const { return m_running.load(); }

    //--- update::UpdateView (workers call these from their threads)
    void ShowUpToDate() override;
    void CloseSiblings() override;
    void AddRow(int row, const std::string& name, const std::string& size, const std::string& version) override;
    void RowFailed(int row) override;
    void RowDone(int row) override;
    void ShowDuplicate() override;
    bool AskRedownload() override;
    void SetButtonText(const std::string& text) override;

protected:
    bool OnInitDialog() override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    bool OnCommand(int id, int code, HWND control) override;
    LRESULT OnNotify(NMHDR& header) override;

private:
    static void ListProgress(void* context, int item, uint32_t total, uint32_t received, uint32_t speed);
    void OnProgress(int row, uint32_t total, uint32_t received, uint32_t speed);

    void CreateControls();
    void SetUpList();
    void Dispatch(const std::string& commandLine);
    void DispatchFaces(const std::string& text);
    bool OpenLibrary();
    void StartProgramWorker();
    void StartFaceWorker();
    LRESULT DrawProgressCell(NMLVCUSTOMDRAW& draw);
    void SetProgressText(int row, int percent);

    std::string m_commandLine;
    std::string m_title;
    std::string m_programFolder;
    std::string m_cid;
    uint32_t m_appVer = 0;
    bool m_close = false;

    update::UdpClient m_udp;
    update::RegistryStore m_store;
    update::SystemClock m_clock;
    update::ShellLauncher m_launcher;
    CMyHttp m_http;

    winfx::ListView m_list;
    winfx::ImageList m_images;
    std::unique_ptr<CBitmapBtn> m_cancel;
    HWND m_upgrade = nullptr;
    int m_columns = 0;

    std::mutex m_dispatchLock;  // one command line at a time
    std::vector<update::UpdateItem> m_updateItems;
    update::FaceQueue m_faces;
    std::unique_ptr<CAdoConnection> m_db;  // the face library, opened on first need
    std::unique_ptr<CAdoRecordSet> m_rs;
    bool m_dbOpen = false;

    struct RowState {
        int percent = 0;
        bool failed = false;
        uint32_t speed = UINT32_MAX;  // none shown yet
    };
    std::mutex m_rowLock;
    std::vector<RowState> m_rows;
    std::atomic<int> m_running{0};
};
