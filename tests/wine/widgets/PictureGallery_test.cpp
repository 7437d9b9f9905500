// Every sample face playing side by side, kept as a screenshot for a human eye.
#include <gtest/gtest.h>

#include <algorithm>

#include <memory>

#include "PictureFaceRenderer_win.h"
#include "PictureTestKit.h"
#include "SampleSet.h"
#include "TestKit.h"

using namespace pictest;

TEST(PictureGallery, SampleFacesPlayTogether) {
    const auto files = samples::MakeSampleFaces();
    const int columns = 8, cell = 92;
    const int rows = static_cast<int>((files.size() + columns - 1) / columns);
    HostWindow host(columns * cell + 4, rows * cell + 4, L"sample faces");
    std::vector<std::unique_ptr<CPictureEx>> pics;
    int playing = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        auto pic = std::make_unique<CPictureEx>();
        const int x = 2 + static_cast<int>(i % columns) * cell;
        const int y = 2 + static_cast<int>(i / columns) * cell;
        ASSERT_TRUE(Place(*pic, host, {x, y, x + 90, y + 90}, files[i].bytes, true))
            << files[i].name;
        pic->BeginShow();
        playing += pic->IsPlaying() ? 1 : 0;
        pics.push_back(std::move(pic));
    }
    EXPECT_EQ(16, playing);  // all but the five stills
    // Two moments of the same animations: the dot frames of the disposal samples show
    // between 0.5 s and 2.1 s.
    Pump(800);
    EXPECT_TRUE(testkit::Screenshot("widgets_sample_faces_playing_1"));
    Pump(400);
    EXPECT_TRUE(testkit::Screenshot("widgets_sample_faces_playing_2"));
    const DWORD before = GetTickCount();
    pics.clear();  // every player stops with its control
    // Prompt, not after a frame's whole delay (up to 10 s); emulation is slower.
    EXPECT_LT(GetTickCount() - before, std::min(testkit::ScaledMs(2000), 6000ul));
}

// Cells as the faces panel lays them out (45 x 45 at a pitch of 46) with JPEG
// thumbnails, one hovered, one marked, and the preview playing the hovered face.
TEST(PictureGallery, CellsWithThumbnailsHoverMarkAndPreview) {
    const auto files = samples::MakeSampleFaces();
    PictureFaceRenderer renderer;
    const int columns = 5, rows = 4, pitch = 46;
    HostWindow host(columns * pitch, rows * pitch, L"faces panel");
    CPictureEx preview;
    RECT r{0, 0, 91, 91};
    ASSERT_TRUE(preview.Create(host.Get(), r, 0xFFFF));
    preview.SetAnimate(true);
    preview.SetAutoXYPos(true);
    ASSERT_TRUE(preview.PrepareCanvas(90, 90));
    std::vector<std::unique_ptr<CPictureEx>> cells;
    for (int i = 0; i < columns * rows && i < static_cast<int>(files.size()); ++i) {
        auto cell = std::make_unique<CPictureEx>();
        const int x = (i % columns) * pitch, y = (i / columns) * pitch;
        r = {x, y, x + 45, y + 45};
        ASSERT_TRUE(cell->Create(host.Get(), r, 0xFFFF));
        std::vector<uint8_t> thumb;
        ASSERT_TRUE(renderer.RenderJpeg(files[i].bytes, 45, thumb)) << files[i].name;
        ASSERT_TRUE(cell->SetStillImage(thumb));
        cell->SetFaceName(files[i].name);
        cell->SetPendingImage(files[i].bytes);
        cell->SetPreview(&preview);
        cell->EnableHoverBorder(true);
        cell->EnableMarking(true);
        cells.push_back(std::move(cell));
    }
    BringWindowToTop(preview.GetHwnd());
    SendMessageW(cells[7]->GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(cells[13]->GetHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(cells[7]->IsMarked());
    EXPECT_EQ(files[13].name, preview.GetFaceName());
    EXPECT_TRUE(preview.IsPlaying());
    Pump(600);
    Repaint(host.Get());
    RedrawWindow(host.Get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump(100);
    EXPECT_EQ(CPictureEx::kHoverBorder, WindowPixel(cells[13]->GetHwnd(), 0, 20));
    EXPECT_EQ(CPictureEx::kMarkBorder, WindowPixel(cells[7]->GetHwnd(), 0, 20));
    EXPECT_TRUE(testkit::Screenshot("widgets_faces_panel_cells"));
}
