// Benchmark (not a test): the panel's share of a page change and of a click.
//   page:  StopPreview, ResetPressed, 40 faces loaded (thumbnails decoded, or kept from a
//          page shown before), the rest cleared, and the grid painted
//   send:  writing the face file, the clipboard, bringing a window forward and the keys
// Prints min and median of each over many rounds. Run it through tests/harness/wine-test.sh.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "CellBitmap_win.h"
#include "ThumbnailDecoder_win.h"
#include "FaceSender_win.h"
#include "MienkosPanel_win.h"
#include "PanelTestKit.h"
#include "PictureTestKit.h"
#include "TestKit.h"

namespace {

double Now() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

void Report(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s rounds %3zu  min %7.2f ms  median %7.2f ms  max %7.2f ms\n", what, ms.size(),
                ms.front(), ms[ms.size() / 2], ms.back());
}

}  // namespace

int wmain() {
    pictest::HostWindow host(400, 420, L"panel bench");
    CMienkosPanel panel;
    if (!panel.Create(host.Get(), {10, 10, 240, 378}, 1031) || !panel.CreateGrid(5, 8, 40, nullptr))
        return 1;
    panel.SetHoverFrame(true);
    std::vector<PanelFace> faces;
    const char* samples[] = {"still.jpg", "delays_mixed.gif", "wide.gif", "still.bmp"};
    for (int i = 0; i < 40; ++i) {
        PanelFace f;
        f.id = std::string(30, 'a') + std::to_string(10 + i);
        f.fileName = "face" + std::to_string(i) + ".gif";
        f.tip = "face " + std::to_string(i);
        f.thumbnail = panel_test::Sample(samples[i % 4]);
        f.image = panel_test::Sample("delays_mixed.gif");
        faces.push_back(f);
    }

    // The page change, and its parts on their own.
    auto fill = [&](bool thumbnails, bool paint, int round, bool cold = true) {
        if (cold)
            panel.ForgetThumbnails();
        const double start = Now();
        panel.StopPreview();
        panel.ResetPressed();
        const int count = round % 2 ? 40 : 23;  // full pages and a short last page
        for (int i = 0; i < count; ++i) {
            PanelFace f = faces[static_cast<size_t>(i)];
            if (!thumbnails)
                f.thumbnail.clear();
            panel.LoadFace(i, std::move(f));
        }
        panel.ClearFrom(count);
        if (paint)
            RedrawWindow(panel.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        return Now() - start;
    };
    std::vector<double> pages, noPaint, noThumbs, again, againNoPaint;
    for (int round = 0; round < 40; ++round) {
        pages.push_back(fill(true, true, round));
        noPaint.push_back(fill(true, false, round));
        again.push_back(fill(true, true, round, false));
        againNoPaint.push_back(fill(true, false, round, false));
        noThumbs.push_back(fill(false, false, round));
        pictest::Pump(1);
    }
    Report("page change (fill + paint 23/40 cells)", pages);
    Report("  fill only", noPaint);
    Report("  fill without thumbnails", noThumbs);
    Report("page shown before (fill + paint)", again);
    Report("  fill only", againNoPaint);

    // One thumbnail's decoding, and the system loader's share of it.
    const std::vector<uint8_t> jpeg = panel_test::Sample("still.jpg");
    widgets::ThumbnailDecoder decoder;
    std::vector<double> loads, decodes, fast;
    for (int round = 0; round < 200; ++round) {
        double start = Now();
        if (!widgets::LoadPicture(jpeg.data(), jpeg.size()))
            return 3;
        loads.push_back(Now() - start);
        start = Now();
        if (!widgets::CellBitmap::Decode(jpeg.data(), jpeg.size(), 45, 45))
            return 3;
        decodes.push_back(Now() - start);
        start = Now();
        if (!decoder.Decode(jpeg.data(), jpeg.size(), 45, 45))
            return 3;
        fast.push_back(Now() - start);
    }
    Report("thumbnail: system loader (OleLoadPicture)", loads);
    Report("thumbnail: decoded to a cell bitmap", decodes);
    Report("thumbnail: the panel's decoder (imaging)", fast);

    panel::FaceSender sender(testkit::RunDir());
    std::vector<double> puts, delivers;
    for (int round = 0; round < 60; ++round) {
        const double start = Now();
        if (!sender.PutFaceOnClipboard(faces[0], panel.Hwnd()))
            return 2;
        const double put = Now();
        panel::FaceSender::DeliverFace(host.Get(), round % 2 == 1);
        delivers.push_back(Now() - put);
        puts.push_back(put - start);
        pictest::Pump(5);  // let the typed keys go by
    }
    Report("click: face file + clipboard", puts);
    Report("click: foreground + keys", delivers);
    return 0;
}
