// The real picker under Wine, timed from outside the way a user meets it (not a test):
//   - process start to the first painted view (thumbnails on the screen), beside an empty
//     dialog program measured the same way (the floor Wine itself sets);
//   - page change with 40 thumbnails: page-button click to the last cell repainted, on
//     pages shown before (two pages in turn) and on cold pages (never shown in this run):
//     jumps (never the page after the one shown) and steps to the next page apart, each
//     after a pause of kLookMs (a user looks at a page before the next click; the
//     picker may use the time to decode the next page ahead);
//   - search over the whole library (5,000 hits): button to the first page painted (its
//     faces shown before); and searches whose first page is cold (250 hits each);
//   - a click on a face to the last key event the fake messenger logs (less the
//     single-click wait), and a right click (sent at once) to its last key.
// The library: 10,000 faces in 20 categories of 500; the faces of even pages are red,
// of odd pages blue, so a page change is seen on the screen; red faces are named
// "smile ...", blue ones "微笑 ...".
//
// Run by hand through the harness (x86_64 build under native wine64; for the 32-bit figures
// use --arch win32 --bin build/win32/bin). build/win64 exists once the native tree has been
// configured with -DFACELIB_WINE_ARCH=win64 (that also points the Wine tests at it; set it
// back to win32 afterwards). Then, from the source root:
//   cmake --build build/win64 --target pelumo_wine_bench EmptyDialog Pelumo FakeQQ RecStub WineReady
//   tests/harness/wine-test.sh --install --name pelumo_wine_bench --arch win64 --timeout 3000
//     --bin $PWD/build/win64/bin --native $PWD/build --source $PWD -- pelumo_wine_bench.exe [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "FaceDatabase.h"
#include "FaceLibrary.h"
#include "FakeQQClient_win.h"
#include "Md5.h"
#include "PelumoKit_win.h"
#include "PictureFaceRenderer_win.h"
#include "RecStubClient_win.h"
#include "SampleSet.h"
#include "TestKit.h"

namespace {

using testkit::Wide;

constexpr int kCategories = 20;
constexpr int kFacesPerCategory = 500;
constexpr int kPageSize = 40;
constexpr DWORD kLookMs = 250;

double NowMs() {
    static LARGE_INTEGER frequency{};
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Polls every millisecond; the time the condition first held, or a negative number.
double PollUntil(const std::function<bool()>& cond, double timeoutMs) {
    const double start = NowMs();
    for (;;) {
        const double now = NowMs();
        if (cond()) return now;
        if (now - start > timeoutMs) return -1;
        Sleep(1);
    }
}

struct Figures {
    std::vector<double> ms;
    void Add(double v) { ms.push_back(v); }
    void Print(const char* what) const {
        if (ms.empty()) {
            std::printf("%-46s no figure (timed out)\n", what);
            return;
        }
        std::vector<double> s = ms;
        std::sort(s.begin(), s.end());
        std::printf("%-46s min %8.1f ms  median %8.1f ms  max %8.1f ms  (%zu runs)\n", what, s.front(),
                    s[s.size() / 2], s.back(), s.size());
        std::fflush(stdout);
    }
};

COLORREF ScreenPixel(POINT p) {
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, p.x, p.y);
    ReleaseDC(nullptr, screen);
    return c;
}
bool Reddish(COLORREF c) { return GetRValue(c) > 180 && GetGValue(c) < 90 && GetBValue(c) < 90; }
bool Bluish(COLORREF c) { return GetBValue(c) > 180 && GetRValue(c) < 90 && GetGValue(c) < 90; }

POINT CentreOf(HWND w) {
    RECT r;
    GetWindowRect(w, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::vector<uint8_t> Picture(bool blue, int category, int face) {
    std::vector<uint8_t> gif = samples::ColourFramesGif(32, 32, {blue ? samples::kBlue : samples::kRed}, {0});
    const std::string tag = "#" + std::to_string(category) + "-" + std::to_string(face);
    gif.insert(gif.end(), tag.begin(), tag.end());
    return gif;
}

// 20 categories of 500 faces, the thumbnails drawn once per colour.
bool MakeBenchLibrary(const std::string& app) {
    const std::string path = app + "\\data\\mienko.db";
    DeleteFileW(Wide(path).c_str());
    if (!FaceDatabase::CreateEmpty(path)) return false;
    CAdoConnection connection;
    if (!FaceDatabase::Open(connection, path)) return false;
    CAdoRecordSet rs;
    rs.SetConnection(&connection);
    PictureFaceRenderer renderer;
    FaceLibrary library(connection, rs, &renderer);
    if (!library.EnsureTables()) return false;
    std::vector<uint8_t> thumbnail[2];
    for (int blue = 0; blue < 2; ++blue)
        if (!renderer.RenderJpeg(Picture(blue != 0, 0, 0), FaceLibrary::kThumbnailSize, thumbnail[blue])) return false;
    for (int c = 1; c <= kCategories; ++c) {
        const int id = library.CreateCategory("分类 " + std::to_string(c), 0);
        if (id < 0) return false;
        std::vector<FaceRecord> records;
        for (int j = 0; j < kFacesPerCategory; ++j) {
            const bool blue = (j / kPageSize) % 2 == 1;
            FaceRecord r;
            r.image = Picture(blue, c, j);
            r.digest = FaceDigestText(r.image.data(), r.image.size());
            r.fileName = "b" + std::to_string(c) + "_" + std::to_string(j) + ".gif";
            r.faceName = (blue ? "微笑 " : "smile ") + std::to_string(c) + "-" + std::to_string(j);
            r.thumbnail = thumbnail[blue];
            records.push_back(std::move(r));
        }
        if (library.CopyFaces(records, id) != kFacesPerCategory) return false;
    }
    connection.Close();
    return true;
}

void WriteConfig(const std::string& app) {
    const std::string text = "<ROOT version=\"1\"><Menu_QQHook bool=\"0\" /></ROOT>";
    HANDLE f = CreateFileW(Wide(app + "\\config.xml").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD n = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
    CloseHandle(f);
}

// Start of the picker to its first page of thumbnails on the screen (cell 2 tells); the
// picker is left running in `picker`. `shown`: start to the
// window first visible (the dialog's initialisation is over then).
double StartPicker(const std::string& app, pelumo::Picker& picker, double* shown = nullptr) {
    const double t0 = NowMs();
    if (!picker.Start(app)) return -1;
    const std::wstring title = Wide(pelumo::ProgramTitle());
    const DWORD pid = GetProcessId(picker.Process());
    HWND main = nullptr, cell = nullptr;
    const double t = PollUntil([&] {
        if (!main) {
            for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32770", title.c_str())) != nullptr;) {
                DWORD p = 0;
                GetWindowThreadProcessId(w, &p);
                if (p == pid && IsWindowVisible(w) && !GetWindow(w, GW_OWNER)) main = w;
            }
            if (!main) return false;
            if (shown) *shown = NowMs() - t0;
        }
        if (!cell) {
            HWND panel = GetDlgItem(main, 1031 + 1000);
            RECT pr;
            if (!panel || !GetClientRect(panel, &pr)) return false;
            for (HWND c = GetWindow(panel, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                RECT r;
                GetWindowRect(c, &r);
                POINT p{r.left, r.top};
                ScreenToClient(panel, &p);
                if (r.right - r.left == 45 && p.x == 92 && p.y == 0) cell = c;
            }
            if (!cell) return false;
        }
        return IsWindowVisible(cell) && Reddish(ScreenPixel(CentreOf(cell)));
    }, 120000);
    if (t < 0) return -1;
    picker.WaitWindow();
    return t - t0;
}

double StartEmptyDialog(const std::string& app) {
    const double t0 = NowMs();
    std::wstring cmd = L"\"" + Wide(app + "\\EmptyDialog.exe") + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    HWND dialog = nullptr;
    const double t = PollUntil([&] {
        if (!dialog) {
            HWND w = FindWindowW(L"#32770", L"EmptyDialog");
            DWORD p = 0;
            if (w) GetWindowThreadProcessId(w, &p);
            if (p == pi.dwProcessId && IsWindowVisible(w)) dialog = w;
            if (!dialog) return false;
        }
        const COLORREF c = ScreenPixel(CentreOf(dialog));
        return GetRValue(c) == 0 && GetGValue(c) == 160 && GetBValue(c) == 64;
    }, 120000);
    if (dialog) PostMessageW(dialog, WM_CLOSE, 0, 0);
    WaitForSingleObject(pi.hProcess, 30000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return t < 0 ? -1 : t - t0;
}

// The selector's last entry: the category used least and longest ago (choosing one moves
// it to the top), so with nothing chosen before, one never shown; 20, 19, ... in turn.
int LastSelectorPosition(HWND main) {
    return static_cast<int>(SendMessageW(GetDlgItem(main, pelumo::kCategoryCombo), CB_GETCOUNT, 0, 0)) - 1;
}

// Clicks a page control (a page button or an arrow) and times it to the last cell showing
// the colour of the new page; false when the colour never came.
bool TimePageClick(HWND main, int id, bool toBlue, HWND last, Figures& fill, Figures& paint, DWORD pauseMs = 0) {
    HWND button = GetDlgItem(main, id);
    if (pauseMs) Sleep(pauseMs);
    const double t0 = NowMs();
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    const double filled = NowMs();
    const double shown = PollUntil([&] {
        const COLORREF c = ScreenPixel(CentreOf(last));
        return toBlue ? Bluish(c) : Reddish(c);
    }, 30000);
    fill.Add(filled - t0);
    if (shown < 0) return false;
    paint.Add(shown - t0);
    return true;
}

// Searches for `text` and times it to the last cell in the colour of its first page.
void TimeSearch(HWND main, const wchar_t* text, bool blue, HWND last, Figures& searched, Figures& paint) {
    HWND box = GetDlgItem(main, pelumo::kSearchBox), go = GetDlgItem(main, pelumo::kSearchButton);
    SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    const double t0 = NowMs();
    SendMessageW(go, BM_CLICK, 0, 0);
    const double done = NowMs();
    const double shown = PollUntil([&] {
        const COLORREF c = ScreenPixel(CentreOf(last));
        return blue ? Bluish(c) : Reddish(c);
    }, 30000);
    searched.Add(done - t0);
    if (shown >= 0) paint.Add(shown - t0);
}

void Close(pelumo::Picker& picker) {
    PostMessageW(picker.Window(), WM_CLOSE, 0, 0);
    picker.WaitExit(30000);
    picker.Kill();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? std::max(1, _wtoi(argv[1])) : 5;
    const std::string app = testkit::AppDir();
    if (app.empty()) {
        std::printf("run through the harness (--install)\n");
        return 2;
    }
    recstub::PlaceStub(app, app, "Tessel.exe");
    recstub::PlaceStub(app, app, "Volte.exe");
    pelumo::QuietUpdates();
    WriteConfig(app);
    double t = NowMs();
    if (!MakeBenchLibrary(app)) {
        std::printf("could not make the library\n");
        return 1;
    }
    std::printf("library of %d faces in %d categories made in %.0f ms\n", kCategories * kFacesPerCategory,
                kCategories, NowMs() - t);

    // Start-up: the two programs in turn, so machine load hits both alike. The first run of
    // each warms the file cache and is not counted.
    Figures empty, start, visible;
    for (int i = 0; i <= runs; ++i) {
        const double e = StartEmptyDialog(app);
        pelumo::Picker picker;
        double shown = -1;
        const double p = StartPicker(app, picker, &shown);
        Close(picker);
        if (i == 0) continue;
        if (e >= 0) empty.Add(e);
        if (p >= 0) start.Add(p);
        if (p >= 0 && shown >= 0) visible.Add(shown);
    }
    empty.Print("start: empty dialog, to its colour on screen");
    start.Print("start: picker, to its first thumbnails");
    visible.Print("start: picker, to its window visible");

    pelumo::Picker picker;
    if (StartPicker(app, picker) < 0) {
        std::printf("the picker did not start\n");
        return 1;
    }
    const HWND main = picker.Window();
    fakeqq::FakeQQProcess qq;
    if (!qq.Start(app + "\\FakeQQ.exe", "--window classic@760,100,420,360 --lifetime 3000",
                  testkit::RunDir() + "\\fakeqq-bench.log") ||
        !qq.WaitReady()) {
        std::printf("the fake messenger did not start\n");
        return 1;
    }
    PostMessageW(main, pelumo::kChatActive, reinterpret_cast<WPARAM>(qq.Window(1)), 0);
    SetForegroundWindow(main);

    // Page change: page 2 (blue) and page 1 (red) in turn; the last cell tells the colour.
    // The first click shows page 2 for the first time: it counts with the cold next pages.
    Figures fill, paint, coldFill, coldJump, coldNext;
    HWND last = picker.Cell(kPageSize - 1);
    for (int i = 0; i < 4 * runs; ++i) {
        const bool toBlue = i % 2 == 0;
        Figures& shown = i == 0 ? coldNext : paint;
        TimePageClick(main, pelumo::kPage1 + (toBlue ? 1 : 0), toBlue, last, i == 0 ? coldFill : fill, shown);
    }
    fill.Print("page change, shown before: click handled");
    paint.Print("page change, shown before: to the last painted");

    // Cold pages: in categories 20, 19, ... (each never shown before), from page 1 jump to
    // pages 4 and 7, step to 8 and 9, and jump back to 6; even pages (counting from 1) are blue.
    // Page 2 first, so that each category's red first page is seen arriving.
    const int coldCategories = std::min(runs, 9);
    Figures scrap;
    TimePageClick(main, pelumo::kPage1 + 1, true, last, scrap, scrap);
    for (int c = 0; c < coldCategories; ++c) {
        picker.ChooseCategory(LastSelectorPosition(main));
        if (PollUntil([&] { return Reddish(ScreenPixel(CentreOf(last))); }, 30000) < 0) break;
        TimePageClick(main, pelumo::kPage1 + 3, true, last, coldFill, coldJump, kLookMs);
        TimePageClick(main, pelumo::kPage1 + 6, false, last, coldFill, coldJump, kLookMs);
        TimePageClick(main, pelumo::kNextPage, true, last, coldFill, coldNext, kLookMs);
        TimePageClick(main, pelumo::kNextPage, false, last, coldFill, coldNext, kLookMs);
        TimePageClick(main, pelumo::kPage1 + 5, true, last, coldFill, coldJump, kLookMs);
    }
    coldFill.Print("page change, cold: click handled");
    coldJump.Print("page change, cold, a jump: to the last painted");
    coldNext.Print("page change, cold, the next page: to the last");

    // Search: "微笑" (all blue faces) and "smile" (all red) in turn, 5,000 hits each; their
    // first pages are category 1's first two pages, shown above.
    Figures searched, searchPaint;
    for (int i = 0; i < 2 * runs; ++i) {
        const bool blue = i % 2 == 0;
        TimeSearch(main, blue ? L"微笑" : L"smile", blue, last, searched, searchPaint);
    }
    searched.Print("search, 5,000 hits: query and first page filled");
    searchPaint.Print("search, 5,000 hits: to the first page painted");

    // Cold searches: the red or blue faces of one category never shown (2, 3, ...).
    Figures coldSearched, coldSearchPaint;
    for (int i = 0; i < std::min(2 * runs, kCategories - 1 - coldCategories); ++i) {
        const bool blue = i % 2 == 0;
        const std::string text = (blue ? "微笑 " : "smile ") + std::to_string(2 + i) + "-";
        TimeSearch(main, Wide(text).c_str(), blue, last, coldSearched, coldSearchPaint);
    }
    coldSearched.Print("search, cold, 250 hits: query and page filled");
    coldSearchPaint.Print("search, cold, 250 hits: to the page painted");

    // A click inserts after the single-click wait; a right click sends at once.
    const double wait = std::min<double>(GetDoubleClickTime(), 350);
    Figures click, right, keys;
    HWND cell = picker.Cell(2);
    for (int i = 0; i < 2 * runs; ++i) {
        const bool send = i % 2 == 1;
        const size_t from = qq.Lines().size();
        const double t0 = NowMs();
        PostMessageW(cell, send ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, send ? MK_RBUTTON : MK_LBUTTON, MAKELPARAM(10, 10));
        PostMessageW(cell, send ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
        const std::string lastKey = send ? "KEY id=1 up vk=0x0D" : "KEY id=1 up vk=0x56";
        int line = -1;
        const double done = PollUntil([&] { return (line = qq.FindLine({lastKey}, from)) >= 0; }, 30000);
        if (done < 0) continue;
        (send ? right : click).Add(done - t0 - (send ? 0 : wait));
        // The messenger's own times: first key to last key of this gesture.
        const int first = qq.FindLine({"KEY id=1 down vk=0x11"}, from);
        if (first >= 0)
            keys.Add(std::stod(qq.Lines()[static_cast<size_t>(line)]) - std::stod(qq.Lines()[static_cast<size_t>(first)]));
        // Settled before the next one: the messenger has taken the paste.
        qq.WaitLine({send ? "SENT id=1" : "PASTED id=1"}, from);
    }
    std::printf("single-click wait: %.0f ms\n", wait);
    click.Print("click: after the wait to the last key (Ctrl+V)");
    right.Print("right click: to the last key (Ctrl+Enter)");
    keys.Print("messenger's log: first key to last key");
    Close(picker);
    return 0;
}
