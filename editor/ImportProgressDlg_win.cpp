#include "ImportProgressDlg_win.h"

#include <commctrl.h>
#include <cstdlib>
#include <objidl.h>
#include <gdiplus.h>
#include <process.h>
#include <shlwapi.h>

#include "FaceLibrary.h"
#include "PictureFaceRenderer_win.h"
#include "SingleInstance_win.h"
#include "winfx/Wide.h"

namespace editor {

namespace {

constexpr int kFaceSize = 45;
constexpr UINT kStartWorker = WM_APP + 1;
constexpr RECT kFaceRect{10, 30, 10 + kFaceSize, 30 + kFaceSize};

}  // namespace

CImportProgressDlg::CImportProgressDlg(const std::string& programDir, PackImportHost& host,
                                       ImportQueue& queue)
    : EditorDialog(programDir, "import_window", "导入表情包", SIZE{360, 120}),
      m_host(host), m_queue(queue) {}

CImportProgressDlg::~CImportProgressDlg() {
    m_queue.Clear();
    // The worker may be sending to the editor window (opening a category): serve those
    // sends while waiting, but nothing the user does.
    HANDLE worker = m_worker.Get();
    while (worker && MsgWaitForMultipleObjects(1, &worker, FALSE, INFINITE, QS_SENDMESSAGE) ==
                         WAIT_OBJECT_0 + 1) {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

void CImportProgressDlg::Build() {
    AddControl(L"STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_ENDELLIPSIS,
               RECT{64, 34, 350, 52}, IDC_STATUS);
    AddControl(PROGRESS_CLASSW, "", WS_CHILD | WS_VISIBLE | PBS_SMOOTH, RECT{64, 58, 350, 74},
               IDC_PROGRESS);
    SendMessageW(Item(IDC_PROGRESS), PBM_SETSTEP, 1, 0);
    // The worker starts once the window has shown and painted itself: its stream of
    // updates would otherwise keep the first paint waiting.
    PostMessageW(Hwnd(), kStartWorker, 0, 0);
}

void CImportProgressDlg::StartWorker() {
    if (m_worker) return;  // one worker per dialog
    m_worker.Reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, WorkerMain, this, 0, nullptr)));
    if (!m_worker) {
        m_queue.Clear();
        PostMessageW(Hwnd(), WM_CLOSE, 0, 0);
    }
}

unsigned __stdcall CImportProgressDlg::WorkerMain(void* param) {
    auto* self = static_cast<CImportProgressDlg*>(param);
    {
        // The library is this thread's until it ends: it draws with a renderer of this
        // thread, which keeps its picture control from one face to the next.
        FaceLibrary& library = self->m_host.Library();
        FaceRenderer* windowRenderer = library.Renderer();
        PictureFaceRenderer renderer;
        if (windowRenderer) {
            // The thumbnail's drawing is what the window shows: no second decoding.
            renderer.SetSurfaceSink([self](HDC source, int size) {
                if (size == FaceLibrary::kThumbnailSize) self->TakeFace(source);
            });
            self->m_faceFromThumbnail = true;
            library.SetRenderer(&renderer);
        }
        PackImportContext context{self->m_host, self->m_queue, *self, Utf8FromAnsi};
        RunImportQueue(context);
        library.SetRenderer(windowRenderer);
    }
    PostMessageW(self->Hwnd(), WM_CLOSE, 0, 0);
    return 0;
}

void CImportProgressDlg::OnCancel() {
    // The worker finishes the entry in hand and stops; its faces so far are kept. The
    // owner waits for it before touching the library again.
    m_queue.Clear();
    End(IDCANCEL);
}

void CImportProgressDlg::OnSkinButtonClick(int index) {
    CSkinButton* button = FindSkinButton(index);
    if (button && button->Name() == "close") {
        OnCancel();
        return;
    }
    EditorDialog::OnSkinButtonClick(index);
}

void CImportProgressDlg::SetRange(int entries) {
    HWND bar = Item(IDC_PROGRESS);
    SendMessageW(bar, PBM_SETRANGE32, 0, entries > 1 ? entries - 1 : 0);
    SendMessageW(bar, PBM_SETPOS, 0, 0);
}

void CImportProgressDlg::Advance() { SendMessageW(Item(IDC_PROGRESS), PBM_STEPIT, 0, 0); }

void CImportProgressDlg::Status(const std::string& text) {
    SetWindowTextW(Item(IDC_STATUS), winfx::ToWide(text).c_str());
}

void CImportProgressDlg::TakeFace(HDC source) {
    // The renderer draws into a 24-bit DIB section: its pixels are copied, no GDI objects
    // per face (under Wine those cost as much as the thumbnail itself).
    GdiFlush();
    DIBSECTION dib{};
    HGDIOBJ bitmap = GetCurrentObject(source, OBJ_BITMAP);
    if (!bitmap || GetObjectW(bitmap, sizeof dib, &dib) != sizeof dib || !dib.dsBm.bmBits ||
        dib.dsBm.bmWidth != kFaceSize || std::abs(dib.dsBm.bmHeight) != kFaceSize ||
        dib.dsBm.bmBitsPixel != 24)
        return;
    const auto* bits = static_cast<const uint8_t*>(dib.dsBm.bmBits);
    {
        std::lock_guard<std::mutex> lock(m_faceLock);
        m_faceBits.assign(bits, bits + size_t(dib.dsBm.bmWidthBytes) * kFaceSize);
        m_faceBitsTopDown = dib.dsBmih.biHeight < 0;
    }
    InvalidateRect(Hwnd(), &kFaceRect, FALSE);
}

void CImportProgressDlg::ShowFace(const std::vector<uint8_t>* picture) {
    if (picture && m_faceFromThumbnail) return;  // TakeFace shows it once it is drawn
    // Drawn here, on the worker: the first frame scaled into 45x45 on white.
    HDC screen = GetDC(nullptr);
    winfx::UniqueBitmap bitmap(CreateCompatibleBitmap(screen, kFaceSize, kFaceSize));
    winfx::UniqueMemDc dc(CreateCompatibleDC(screen));
    ReleaseDC(nullptr, screen);
    if (!bitmap || !dc) return;
    HGDIOBJ old = SelectObject(dc.Get(), bitmap.Get());
    RECT all{0, 0, kFaceSize, kFaceSize};
    FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    if (picture && !picture->empty()) {
        IStream* stream = SHCreateMemStream(picture->data(), static_cast<UINT>(picture->size()));
        if (stream) {
            Gdiplus::Bitmap image(stream);
            if (image.GetLastStatus() == Gdiplus::Ok) {
                Gdiplus::Graphics g(dc.Get());
                g.DrawImage(&image, 0, 0, kFaceSize, kFaceSize);
            }
            stream->Release();
        }
    }
    SelectObject(dc.Get(), old);
    {
        std::lock_guard<std::mutex> lock(m_faceLock);
        m_face = std::move(bitmap);
        m_faceBits.clear();
    }
    InvalidateRect(Hwnd(), &kFaceRect, FALSE);
}

void CImportProgressDlg::PaintFace(HDC dc) {
    std::lock_guard<std::mutex> lock(m_faceLock);
    if (!m_faceBits.empty()) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kFaceSize;
        info.bmiHeader.biHeight = m_faceBitsTopDown ? -kFaceSize : kFaceSize;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(dc, kFaceRect.left, kFaceRect.top, kFaceSize, kFaceSize, 0, 0, 0,
                          kFaceSize, m_faceBits.data(), &info, DIB_RGB_COLORS);
        return;
    }
    if (!m_face) {
        FillRect(dc, &kFaceRect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        return;
    }
    winfx::UniqueMemDc mem(CreateCompatibleDC(dc));
    HGDIOBJ old = SelectObject(mem.Get(), m_face.Get());
    BitBlt(dc, kFaceRect.left, kFaceRect.top, kFaceSize, kFaceSize, mem.Get(), 0, 0, SRCCOPY);
    SelectObject(mem.Get(), old);
}

void CImportProgressDlg::Notice(const std::string& text) {
    MessageBoxW(Hwnd(), winfx::ToWide(text).c_str(), winfx::ToWide(kImportCaption).c_str(), MB_OK);
}

bool CImportProgressDlg::Confirm(const std::string& text) {
    return MessageBoxW(Hwnd(), winfx::ToWide(text).c_str(), winfx::ToWide(kImportCaption).c_str(),
                       MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

LRESULT CImportProgressDlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kStartWorker) {
        ShowWindow(Hwnd(), SW_SHOW);
        UpdateWindow(Hwnd());
        StartWorker();
        return 0;
    }
    LRESULT result = EditorDialog::OnMessage(msg, wp, lp);
    if (msg == WM_PAINT || msg == WM_ERASEBKGND) {
        HDC dc = GetDC(Hwnd());
        PaintFace(dc);
        ReleaseDC(Hwnd(), dc);
    }
    return result;
}

}  // namespace editor
