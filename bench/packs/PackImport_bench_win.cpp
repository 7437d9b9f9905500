// How fast a face pack comes in: a 1,000-face ".zip" imported into an empty library with
// thumbnails, as the editor's worker does it, then each part on its own (archive reading,
// digests, the store without pictures, decoding and drawing, JPEG encoding, the progress
// window's picture). Run by hand under Wine:  PackImportBench.exe [faces] [rounds]
// With a build configured with -DFACELIB_WINE_ARCH=win64, from the source folder:
//   tests/harness/wine-prefix.sh --arch win64 --slot 0 build/wine/win64
//   tests/harness/wine-test.sh --component --name packbench --arch win64 --slot 0
//       --bin build/win64/bin --native build --source . -- PackImportBench.exe 1000 3
// (one command: the second line continues the first)
// (--arch win32 and build/win32/bin for the shipped build under emulated Wine).
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "FaceDatabase.h"
#include "FaceLibrary.h"
#include "GZip.h"
#include "Md5.h"
#include "PackImportRun.h"
#include "PackWriter.h"
#include "PictureEx_win.h"
#include "PictureFaceRenderer_win.h"
#include "SampleSet.h"

namespace {

using editor::ImportQueue;

// A 40 x 40 face of its own: the mood varies the drawing, the comment the bytes.
std::string FacePicture(int i) {
    samples::GifWriter gif(40, 40, samples::SamplePalette());
    gif.AddComment("face " + std::to_string(i));
    samples::GifFrame frame;
    frame.width = frame.height = 40;
    frame.pixels = samples::DrawFace(40, i % 4, static_cast<uint8_t>(i % 8));
    gif.AddFrame(frame);
    std::vector<uint8_t> bytes = gif.Finish();
    return std::string(bytes.begin(), bytes.end());
}

double Now() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / double(f.QuadPart);
}

// The best of `rounds` runs, in seconds.
double Best(int rounds, const std::function<void()>& work) {
    double best = 1e9;
    for (int r = 0; r < rounds; ++r) {
        double start = Now();
        work();
        best = std::min(best, Now() - start);
    }
    return best;
}

struct Store {
    explicit Store(const std::string& path, FaceRenderer* renderer) {
        DeleteFileA(path.c_str());
        FaceDatabase::CreateEmpty(path);
        FaceDatabase::Open(connection, path);
        recordset.SetConnection(&connection);
        recordset.UseClientCursor();
        library = std::make_unique<FaceLibrary>(connection, recordset, renderer);
        library->EnsureTables();
        connection.BeginTrans();  // as the editor: one transaction from its start
    }
    ~Store() { connection.CommitTrans(); }
    CAdoConnection connection;
    CAdoRecordSet recordset;
    std::unique_ptr<FaceLibrary> library;
};

class Host : public editor::PackImportHost {
public:
    explicit Host(FaceLibrary& library) : m_library(library) {}
    void* OwnerWindow() override { return nullptr; }
    FaceLibrary& Library() override { return m_library; }
    int OpenImportCategory(const std::string& name, int pack) override {
        if (m_open > 0) m_library.StoreMaxOrder(m_open, m_maxOrder);
        int id = m_library.CreateCategory(name, pack);
        CategoryRow row;
        if (id <= 0 || !m_library.ReadCategory(id, row)) return -1;
        m_open = id;
        m_maxOrder = row.maxOrder;
        return id;
    }
    int& MaxOrder() override { return m_maxOrder; }
    int OpenCategoryNumber() override { return m_open; }
    void OnImportFinished() override {}

private:
    FaceLibrary& m_library;
    int m_open = -1;
    int m_maxOrder = 0;
};

// The progress window without the window. DrawFace is how it drew each face before it took
// the thumbnail's drawing: GDI+ decodes and draws it 45 x 45 once more.
class DrawingView : public editor::ImportView {
public:
    explicit DrawingView(bool draw) : m_draw(draw) {}
    void SetRange(int) override {}
    void Advance() override {}
    void Status(const std::string&) override {}
    void ShowFace(const std::vector<uint8_t>* picture) override {
        if (m_draw && picture) DrawFace(*picture);
    }
    void Notice(const std::string& text) override { std::printf("notice: %s\n", text.c_str()); }
    bool Confirm(const std::string&) override { return true; }

    static void DrawFace(const std::vector<uint8_t>& picture) {
        HDC screen = GetDC(nullptr);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, 45, 45);
        HDC dc = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        HGDIOBJ old = SelectObject(dc, bitmap);
        IStream* stream = SHCreateMemStream(picture.data(), static_cast<UINT>(picture.size()));
        if (stream) {
            Gdiplus::Bitmap image(stream);
            if (image.GetLastStatus() == Gdiplus::Ok) {
                Gdiplus::Graphics g(dc);
                g.DrawImage(&image, 0, 0, 45, 45);
            }
            stream->Release();
        }
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }

private:
    bool m_draw;
};

// One import of the pack into a fresh library; the faces added.
// With `draw`, the progress picture as the editor makes it: the thumbnail's drawing copied.
int ImportOnce(const std::string& pack, const std::string& db, PictureFaceRenderer* renderer,
               bool draw) {
    if (renderer && draw) {
        renderer->SetSurfaceSink([](HDC source, int size) {
            if (size != 45) return;
            static std::vector<uint8_t> pixels;
            GdiFlush();
            DIBSECTION dib{};
            if (GetObjectW(GetCurrentObject(source, OBJ_BITMAP), sizeof dib, &dib) == sizeof dib &&
                dib.dsBm.bmBits) {
                const auto* bits = static_cast<const uint8_t*>(dib.dsBm.bmBits);
                pixels.assign(bits, bits + size_t(dib.dsBm.bmWidthBytes) * 45);
            }
        });
    }
    Store store(db, renderer);
    Host host(*store.library);
    ImportQueue queue;
    DrawingView view(false);
    editor::PackImportContext context{host, queue, view, nullptr};
    queue.Enqueue(pack);
    std::string path;
    int added = 0;
    while (queue.Head(path)) {
        added += editor::ImportPack(context, path);
        queue.FinishHead();
    }
    if (renderer) renderer->SetSurfaceSink(nullptr);
    return added;
}

void Line(const char* what, double seconds, int faces) {
    std::printf("%-44s %8.1f ms  %8.1f faces/s  %6.3f ms/face\n", what, seconds * 1000.0,
                faces / seconds, seconds * 1000.0 / faces);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int faces = argc > 1 ? _wtoi(argv[1]) : 1000;
    const int rounds = argc > 2 ? _wtoi(argv[2]) : 3;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    char narrow[MAX_PATH * 3];
    WideCharToMultiByte(CP_UTF8, 0, temp, -1, narrow, sizeof narrow, nullptr, nullptr);
    const std::string dir = std::string(narrow) + "packbench\\";
    CreateDirectoryA(dir.c_str(), nullptr);
    const std::string pack = dir + "faces.zip", db = dir + "bench.db";

    std::vector<mkpack::PackFile> files;
    for (int i = 0; i < faces; ++i)
        files.push_back({"表情" + std::to_string(i % 10) + "/face" + std::to_string(i) + ".gif",
                         FacePicture(i)});
    std::string error = mkpack::WritePack(pack, {}, files, true);
    if (!error.empty()) {
        std::printf("%s\n", error.c_str());
        return 1;
    }
    size_t bytes = 0;
    for (const auto& f : files) bytes += f.data.size();
    std::printf("%d faces in 10 folders, %zu bytes of pictures, %s, best of %d\n", faces, bytes,
                sizeof(void*) == 8 ? "64-bit" : "32-bit", rounds);

    PictureFaceRenderer renderer;
    int added = 0;
    Line("import, thumbnails, progress picture",
         Best(rounds, [&] { added = ImportOnce(pack, db, &renderer, true); }), faces);
    if (added != faces) std::printf("  (only %d faces added)\n", added);
    Line("import, thumbnails", Best(rounds, [&] { ImportOnce(pack, db, &renderer, false); }), faces);
    Line("import without pictures (store only)",
         Best(rounds, [&] { ImportOnce(pack, db, nullptr, false); }), faces);

    std::vector<std::vector<uint8_t>> pictures;
    Line("  archive: open and read every entry", Best(rounds, [&] {
             pictures.clear();
             zlib::CGZip zip;
             zip.Open(pack);
             for (int i = 0; i < zip.GetCount(); ++i) {
                 zlib::ZipEntry e;
                 if (zip.GetFile(i, e)) pictures.emplace_back(e.data.begin(), e.data.end());
             }
         }), faces);
    Line("  digest (MD5)", Best(rounds, [&] {
             for (const auto& p : pictures) FaceDigestText(p.data(), p.size());
         }), faces);
    std::vector<HBITMAP> drawn;
    Line("  decode and draw 45x45 (picture control)", Best(rounds, [&] {
             for (HBITMAP b : drawn) DeleteObject(b);
             drawn.clear();
             for (const auto& p : pictures) {
                 CPictureEx control;
                 const RECT rect{0, 0, 45, 45};
                 if (!control.Create(nullptr, rect, 0) || !control.LoadImageBytes(p.data(), p.size()))
                     continue;
                 control.DrawFirstFrame();
                 HDC screen = GetDC(nullptr);
                 HDC dc = CreateCompatibleDC(screen);
                 HBITMAP bitmap = CreateCompatibleBitmap(screen, 45, 45);
                 ReleaseDC(nullptr, screen);
                 HGDIOBJ old = SelectObject(dc, bitmap);
                 control.CopySurface(dc, 0, 0);
                 SelectObject(dc, old);
                 DeleteDC(dc);
                 drawn.push_back(bitmap);
             }
         }), faces);
    Line("  the same, one control reused", Best(rounds, [&] {
             CPictureEx control;
             const RECT rect{0, 0, 45, 45};
             if (!control.Create(nullptr, rect, 0)) return;
             HDC screen = GetDC(nullptr);
             HDC dc = CreateCompatibleDC(screen);
             HBITMAP bitmap = CreateCompatibleBitmap(screen, 45, 45);
             ReleaseDC(nullptr, screen);
             HGDIOBJ old = SelectObject(dc, bitmap);
             for (const auto& p : pictures) {
                 if (!control.LoadImageBytes(p.data(), p.size())) continue;
                 control.DrawFirstFrame();
                 control.CopySurface(dc, 0, 0);
             }
             SelectObject(dc, old);
             DeleteDC(dc);
             DeleteObject(bitmap);
         }), faces);
    Line("  window create and destroy only", Best(rounds, [&] {
             for (size_t i = 0; i < pictures.size(); ++i) {
                 CPictureEx control;
                 const RECT rect{0, 0, 45, 45};
                 control.Create(nullptr, rect, 0);
             }
         }), faces);
    CLSID jpeg{};
    {
        UINT count = 0, size = 0;
        Gdiplus::GetImageEncodersSize(&count, &size);
        std::vector<BYTE> buffer(size);
        auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
        Gdiplus::GetImageEncoders(count, size, codecs);
        for (UINT i = 0; i < count; ++i)
            if (std::wstring(codecs[i].MimeType) == L"image/jpeg") jpeg = codecs[i].Clsid;
    }
    size_t jpegBytes = 0;
    Line("  JPEG encoding 45x45 (GDI+)", Best(rounds, [&] {
             jpegBytes = 0;
             for (HBITMAP b : drawn) {
                 Gdiplus::Bitmap image(b, nullptr);
                 IStream* stream = nullptr;
                 CreateStreamOnHGlobal(nullptr, TRUE, &stream);
                 image.Save(stream, &jpeg, nullptr);
                 STATSTG stat{};
                 stream->Stat(&stat, STATFLAG_NONAME);
                 jpegBytes += size_t(stat.cbSize.QuadPart);
                 stream->Release();
             }
         }), faces);
    std::printf("  (%zu thumbnails, %zu bytes of JPEG)\n", drawn.size(), jpegBytes);
    Line("  progress picture decoded again (GDI+ 45x45)", Best(rounds, [&] {
             for (const auto& p : pictures) DrawingView::DrawFace(p);
         }), faces);
    for (HBITMAP b : drawn) DeleteObject(b);
    DeleteFileA(pack.c_str());
    DeleteFileA(db.c_str());
    CoUninitialize();
    return 0;
}
