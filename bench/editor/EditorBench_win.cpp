// EditorBench.exe: what the editor's folder import and its page display cost, under Wine.
//
//   EditorBench.exe [FACES] [ROUNDS]      (defaults 1000 and 50)
//
// 1. Folder import ("导入目录"): FACES sample faces (the sample set's GIFs, BMP and JPEG,
//    each made unique by a few bytes after its end) written into a fresh folder and imported
//    into an empty category by the editor's own FaceAdder, inside one transaction that is
//    committed at the end, as the window does. Thumbnails and the category icon included.
//    Reports faces/s and where the time goes: reading the files, rendering thumbnails and
//    the icon (draw + JPEG encoding), and the rest (digests, index lookups, store writes).
// 2. Opening a category page of 40 faces: the window's steps (face count, the page query with
//    images, 40 cells loaded into a visible faces panel and painted) over ROUNDS pages spread
//    across the category. Reports the median and the slowest.
// 3. Where a thumbnail's time goes: the renderer's steps one by one over the first faces
//    (the kept picture control's window, loading the first frame, drawing it, the JPEG
//    encoder's lookup and the encoding itself).
// Works in a scratch folder beside the program and prints ASCII lines to stdout.
#include <windows.h>
#include <objidl.h>
#include <propidl.h>
// gdiplus.h needs the OLE property types that WIN32_LEAN_AND_MEAN leaves out.
#include <gdiplus.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "EditorCommandLine.h"
#include "FaceAdder.h"
#include "FaceDatabase.h"
#include "MienkosPanel_win.h"
#include "Paging.h"
#include "PictureEx_win.h"
#include "PictureFaceRenderer_win.h"
#include "SampleSet.h"
#include "WinFiles_win.h"
#include "winfx/Wide.h"

namespace {

double Now() {
    static const LARGE_INTEGER f = [] {
        LARGE_INTEGER x;
        QueryPerformanceFrequency(&x);
        return x;
    }();
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

class TimedFiles : public editor::FileAccess {
public:
    editor::ReadStatus ReadWhole(const std::string& path, size_t limit,
                                 std::vector<uint8_t>& bytes) override {
        const double t0 = Now();
        editor::ReadStatus status = m_files.ReadWhole(path, limit, bytes);
        seconds += Now() - t0;
        return status;
    }
    bool ListFiles(const std::string& folder, std::vector<std::string>& names) override {
        const double t0 = Now();
        bool ok = m_files.ListFiles(folder, names);
        listing += Now() - t0;
        return ok;
    }
    bool IsFolder(const std::string& path) override { return m_files.IsFolder(path); }
    double seconds = 0, listing = 0;

private:
    editor::WinFiles m_files;
};

class TimedRenderer : public FaceRenderer {
public:
    bool RenderJpeg(const std::vector<uint8_t>& picture, int size,
                    std::vector<uint8_t>& jpeg) override {
        const double t0 = Now();
        bool ok = m_renderer.RenderJpeg(picture, size, jpeg);
        (size == FaceLibrary::kThumbnailSize ? thumbnails : icons) += Now() - t0;
        if (!ok) ++failures;
        return ok;
    }
    double thumbnails = 0, icons = 0;
    int failures = 0;

private:
    PictureFaceRenderer m_renderer;
};

class CountingPrompts : public editor::EditorPrompts {
public:
    void Notice(const std::string& text) override { notices.push_back(text); }
    bool Confirm(const std::string&) override { return true; }
    std::vector<std::string> notices;
};

std::string ProgramFolder() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path);
    return winfx::ToUtf8(p.substr(0, p.find_last_of(L'\\') + 1));
}

bool WriteWhole(const std::string& path, const std::vector<uint8_t>& bytes) {
    HANDLE f = CreateFileW(winfx::ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
              written == bytes.size();
    CloseHandle(f);
    return ok;
}

// FACES files from the sample set, each unique: trailing bytes after a picture's end are
// ignored by every decoder, and they change the digest.
bool WriteSampleFolder(const std::string& folder, int faces, size_t& totalBytes) {
    CreateDirectoryW(winfx::ToWide(folder).c_str(), nullptr);
    const std::vector<samples::SampleFile> set = samples::MakeSampleFaces();
    if (set.empty()) return false;
    totalBytes = 0;
    for (int i = 0; i < faces; ++i) {
        const samples::SampleFile& sample = set[static_cast<size_t>(i) % set.size()];
        std::vector<uint8_t> bytes = sample.bytes;
        for (int k = 0; k < 4; ++k) bytes.push_back(static_cast<uint8_t>(i >> (8 * k)));
        char name[32];
        snprintf(name, sizeof name, "face%04d", i);
        std::string path = folder + name + "." + editor::LowerExtension(sample.name);
        if (!editor::IsAcceptedPicture(path)) path = folder + name + ".gif";
        if (!WriteWhole(path, bytes)) return false;
        totalBytes += bytes.size();
    }
    return true;
}

struct Library {
    CAdoConnection connection;
    CAdoRecordSet recordset;
    TimedRenderer renderer;
    FaceLibrary library{connection, recordset, &renderer};
    bool Open(const std::string& path) {
        DeleteFileW(winfx::ToWide(path).c_str());
        DeleteFileW(winfx::ToWide(path + "-wal").c_str());
        DeleteFileW(winfx::ToWide(path + "-shm").c_str());
        if (!FaceDatabase::CreateEmpty(path) || !FaceDatabase::Open(connection, path)) return false;
        recordset.SetConnection(&connection);
        recordset.UseClientCursor();
        return library.EnsureTables();
    }
};

class NoClicks : public PanelOwner {};

// The thumbnail renderer's steps, each timed on its own (the same calls, in the same order).
struct RenderSteps {
    double window = 0, load = 0, draw = 0, lookup = 0, encode = 0;
    int faces = 0;
};

void ProfileThumbnails(const std::string& folder, int faces, RenderSteps& steps) {
    using namespace Gdiplus;
    using namespace Gdiplus::DllExports;
    GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (GdiplusStartup(&token, &input, nullptr) != Ok) return;
    editor::WinFiles files;
    std::vector<std::string> names;
    files.ListFiles(folder, names);
    const int size = FaceLibrary::kThumbnailSize;
    CPictureEx control;
    for (const std::string& name : names) {
        if (steps.faces >= faces) break;
        std::vector<uint8_t> bytes;
        if (files.ReadWhole(folder + name, editor::kMaxPictureBytes, bytes) != editor::ReadStatus::Ok)
            continue;
        double t = Now();
        // As the renderer does: one kept control, first frames only.
        if (!control.GetHwnd()) {
            if (!control.Create(nullptr, RECT{0, 0, size, size}, 0)) break;
            control.LimitFrames(1);
        }
        double u = Now();
        steps.window += u - t;
        if (!control.LoadImageBytes(bytes.data(), bytes.size())) continue;
        t = Now();
        steps.load += t - u;
        control.DrawFirstFrame();
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof bi.bmiHeader, size, size, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        control.CopySurface(dc, 0, 0);
        SelectObject(dc, old);
        u = Now();
        steps.draw += u - t;
        UINT count = 0, total = 0;
        GdipGetImageEncodersSize(&count, &total);
        std::vector<BYTE> buffer(total);
        auto* codecs = reinterpret_cast<ImageCodecInfo*>(buffer.data());
        GdipGetImageEncoders(count, total, codecs);
        CLSID jpeg{};
        for (UINT i = 0; i < count; ++i)
            if (lstrcmpiW(codecs[i].MimeType, L"image/jpeg") == 0) jpeg = codecs[i].Clsid;
        t = Now();
        steps.lookup += t - u;
        GpBitmap* image = nullptr;
        IStream* stream = nullptr;
        if (GdipCreateBitmapFromHBITMAP(bitmap, nullptr, &image) == Ok &&
            SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
            GdipSaveImageToStream(image, stream, &jpeg, nullptr);
        if (stream) stream->Release();
        if (image) GdipDisposeImage(image);
        steps.encode += Now() - t;
        DeleteObject(bitmap);
        DeleteDC(dc);
        ++steps.faces;
    }
    GdiplusShutdown(token);
}

void PumpMessages() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

struct PageTimes {
    double library = 0, cells = 0, paint = 0;
};

// The window's page display: count, page query with images, cells loaded and painted.
double OpenPage(FaceLibrary& library, CMienkosPanel& panel, int category, int page,
                PageTimes& split) {
    const double t0 = Now();
    const int count = library.CountFaces(category);
    std::vector<FaceRow> rows;
    if (count > 0) library.ReadPage(category, editor::kFacesPerPage, page, true, rows);
    const double t1 = Now();
    panel.StopPreview();
    panel.ResetPressed();
    int cell = 0;
    for (FaceRow& row : rows) {
        PanelFace face;
        face.id = row.digest;
        face.fileName = row.fileName;
        face.tip = row.name;
        face.thumbnail = std::move(row.thumbnail);
        face.image = std::move(row.image);
        face.row = page * editor::kFacesPerPage + cell;
        panel.LoadFace(cell++, std::move(face));
    }
    panel.ClearFrom(cell);
    const double t2 = Now();
    RedrawWindow(panel.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const double t3 = Now();
    split.library += t1 - t0;
    split.cells += t2 - t1;
    split.paint += t3 - t2;
    return t3 - t0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int faces = argc > 1 ? std::max(1, _wtoi(argv[1])) : 1000;
    const int rounds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 50;
    CoInitialize(nullptr);
    const std::string scratch = ProgramFolder() + "editorbench\\";
    CreateDirectoryW(winfx::ToWide(scratch).c_str(), nullptr);
    const std::string folder = scratch + "faces" + std::to_string(GetCurrentProcessId()) + "\\";
    size_t bytes = 0;
    if (!WriteSampleFolder(folder, faces, bytes)) {
        std::printf("cannot write the sample folder %s\n", folder.c_str());
        return 1;
    }
    Library db;
    if (!db.Open(scratch + "bench.db")) {
        std::printf("cannot create the bench database\n");
        return 1;
    }
    const int category = db.library.CreateCategory("bench", 0);

    // 1. Folder import.
    TimedFiles files;
    CountingPrompts prompts;
    editor::FaceAdder adder(db.library, files, prompts);
    int maxOrder = 0;
    const double t0 = Now();
    db.connection.BeginTrans();  // the window's long transaction, committed after the import
    const int added = adder.ImportFolder(category, maxOrder, folder);
    db.library.StoreMaxOrder(category, maxOrder);
    const double tCommit = Now();
    db.connection.CommitTrans();
    const double t1 = Now();
    const double total = t1 - t0;
    const double rest = total - files.seconds - files.listing - db.renderer.thumbnails -
                        db.renderer.icons - (t1 - tCommit);
    std::printf("import: %d of %d faces (%.1f MB) in %.3f s = %.1f faces/s\n", added, faces,
                static_cast<double>(bytes) / 1e6, total, added / total);
    std::printf("  listing %.3f s, reading %.3f s, thumbnails %.3f s (%.2f ms each), icon %.3f s,\n"
                "  digests + index + store %.3f s (%.2f ms each), commit %.3f s; %d renders failed,"
                " %zu messages\n",
                files.listing, files.seconds, db.renderer.thumbnails,
                1000.0 * db.renderer.thumbnails / std::max(1, added), db.renderer.icons, rest,
                1000.0 * rest / std::max(1, added), t1 - tCommit, db.renderer.failures,
                prompts.notices.size());

    // 3. The thumbnail's steps.
    RenderSteps steps;
    ProfileThumbnails(folder, std::min(faces, 200), steps);
    const double n = std::max(1, steps.faces);
    std::printf("thumbnail steps over %d faces, ms each: window (made once) %.2f, load first frame %.2f,"
                " draw first frame %.2f, encoder lookup %.2f, JPEG encode %.2f\n",
                steps.faces, 1000 * steps.window / n, 1000 * steps.load / n,
                1000 * steps.draw / n, 1000 * steps.lookup / n, 1000 * steps.encode / n);

    // 2. Opening a page of 40 faces, in a visible panel.
    HWND host = CreateWindowExW(0, L"Static", L"EditorBench", WS_POPUP | WS_VISIBLE, 0, 0,
                                8 * 46 + 20, 5 * 46 + 20, nullptr, nullptr, nullptr, nullptr);
    CMienkosPanel panel;
    NoClicks owner;
    if (!host || !panel.Create(host, RECT{0, 0, 8 * 46, 5 * 46}, 1031) ||
        !panel.CreateGrid(editor::kColumns, editor::kRows, editor::kFacesPerPage, &owner)) {
        std::printf("cannot create the faces panel\n");
        return 1;
    }
    PumpMessages();
    const int pages = std::max(1, (added + editor::kFacesPerPage - 1) / editor::kFacesPerPage);
    std::vector<double> times;
    PageTimes split;
    for (int r = 0; r < rounds; ++r) {
        times.push_back(OpenPage(db.library, panel, category, (r * 7) % pages, split));
        PumpMessages();
    }
    std::sort(times.begin(), times.end());
    std::printf("page of 40 faces (%d rounds over %d pages): median %.1f ms, fastest %.1f ms,"
                " slowest %.1f ms;\n  mean split: count + page query with images %.1f ms,"
                " 40 cells loaded %.1f ms, painting %.1f ms\n",
                rounds, pages, 1000.0 * times[times.size() / 2], 1000.0 * times.front(),
                1000.0 * times.back(), 1000.0 * split.library / rounds,
                1000.0 * split.cells / rounds, 1000.0 * split.paint / rounds);
    panel.Destroy();
    DestroyWindow(host);
    CoUninitialize();
    return 0;
}
