// CImportProgressDlg, "导入表情包": the progress bar, the status line and the face being
// imported, while the worker thread works the import queue. Closing it empties the
// queue; the worker stops after the entry in hand.
#pragma once
#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

#include "EditorDialogs_win.h"
#include "PackImportRun.h"
#include "winfx/Unique.h"

namespace editor {

class CImportProgressDlg : public EditorDialog, public ImportView {
public:
    static constexpr int IDC_PROGRESS = 1060;
    static constexpr int IDC_STATUS = 1061;

    CImportProgressDlg(const std::string& programDir, PackImportHost& host, ImportQueue& queue);
    ~CImportProgressDlg() override;

    // ImportView, called on the worker thread.
    void SetRange(int entries) override;
    void Advance() override;
    void Status(const std::string& text) override;
    void ShowFace(const std::vector<uint8_t>* picture) override;
    void Notice(const std::string& text) override;
    bool Confirm(const std::string& text) override;

protected:
    void Build() override;
    void OnCancel() override;
    void OnSkinButtonClick(int index) override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    static unsigned __stdcall WorkerMain(void* self);
    void StartWorker();
    void PaintFace(HDC dc);
    // The thumbnail the library's renderer just drew, copied from `source`.
    void TakeFace(HDC source);

    PackImportHost& m_host;
    ImportQueue& m_queue;
    winfx::UniqueHandle m_worker;
    std::mutex m_faceLock;
    winfx::UniqueBitmap m_face;  // 45x45, drawn by the worker, shown by WM_PAINT
    std::vector<uint8_t> m_faceBits;  // or the thumbnail's pixels (24-bit rows), when set
    bool m_faceBitsTopDown = false;
    bool m_faceFromThumbnail = false;  // the worker's renderer hands each thumbnail over
};

}  // namespace editor
