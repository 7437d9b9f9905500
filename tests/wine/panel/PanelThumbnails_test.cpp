// The panel's decoded thumbnails: decoded once per face and shared, bounded, forgotten on
// request, checked against the bytes they came from, decoded ahead when idle, and garbage
// that stays a white cell.
#include <gtest/gtest.h>

#include "CellBitmap_win.h"
#include "MienkosPanel_win.h"
#include "PictureTestKit.h"
#include "SampleSet.h"
#include "TestKit.h"

using namespace pictest;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);

std::vector<uint8_t> Thumbnail(uint8_t ink) { return samples::ColourFramesGif(45, 45, {ink}, {0}); }

PanelFace Face(int n, uint8_t ink = samples::kRed) {
    PanelFace f;
    f.id = "face" + std::to_string(n);
    f.fileName = "f" + std::to_string(n) + ".gif";
    f.thumbnail = Thumbnail(ink);
    return f;
}

bool Reddish(COLORREF c) { return GetRValue(c) > 180 && GetGValue(c) < 90 && GetBValue(c) < 90; }
bool Bluish(COLORREF c) { return GetBValue(c) > 180 && GetRValue(c) < 90 && GetGValue(c) < 90; }

// Cells 0, 1, 5 and 6 lie under the preview: check others on the screen.
COLORREF Centre(const CMienkosPanel& panel, int cell) {
    Repaint(panel.CellHwnd(cell));
    return WindowPixel(panel.CellHwnd(cell), 22, 22);
}

class PanelThumbnails : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(panel.Create(host.Get(), {10, 10, 100, 100}, 1031));
        ASSERT_TRUE(panel.CreateGrid(5, 8, 40, nullptr));
    }
    HostWindow host{400, 420};
    CMienkosPanel panel;
};

}  // namespace

TEST_F(PanelThumbnails, AFaceShownAgainOrTwiceIsDecodedOnce) {
    ASSERT_TRUE(panel.LoadFace(0, Face(1)));
    ASSERT_TRUE(panel.LoadFace(1, Face(1)));
    EXPECT_EQ(1u, panel.DecodedThumbnails());
    const widgets::CellBitmap* shown = panel.Picture(0)->GetStillBitmap();
    ASSERT_NE(nullptr, shown);
    EXPECT_EQ(shown, panel.Picture(1)->GetStillBitmap());
    panel.ClearFrom(0);
    EXPECT_EQ(nullptr, panel.Picture(0)->GetStillBitmap());
    ASSERT_TRUE(panel.LoadFace(7, Face(1)));
    EXPECT_EQ(shown, panel.Picture(7)->GetStillBitmap());
    EXPECT_TRUE(Reddish(Centre(panel, 7))) << Hex(Centre(panel, 7));
    EXPECT_EQ(1u, panel.DecodedThumbnails());
}

TEST_F(PanelThumbnails, AFaceWhoseThumbnailChangedShowsTheNewOne) {
    ASSERT_TRUE(panel.LoadFace(2, Face(1, samples::kRed)));
    EXPECT_TRUE(Reddish(Centre(panel, 2))) << Hex(Centre(panel, 2));
    ASSERT_TRUE(panel.LoadFace(2, Face(1, samples::kBlue)));
    EXPECT_TRUE(Bluish(Centre(panel, 2))) << Hex(Centre(panel, 2));
    EXPECT_EQ(1u, panel.DecodedThumbnails());  // the same face: replaced, not added
}

TEST_F(PanelThumbnails, KeepsNoMoreThanItsCapacityAndForgetsTheOldestPages) {
    panel.SetThumbnailCapacity(50);
    for (int page = 0; page < 3; ++page)
        for (int i = 0; i < 40; ++i) ASSERT_TRUE(panel.LoadFace(i, Face(page * 40 + i)));
    EXPECT_EQ(50u, panel.DecodedThumbnails());
    // The page on the screen is the most recent: shown again, nothing is decoded.
    const widgets::CellBitmap* last = panel.Picture(39)->GetStillBitmap();
    ASSERT_TRUE(panel.LoadFace(39, Face(2 * 40 + 39)));
    EXPECT_EQ(last, panel.Picture(39)->GetStillBitmap());
    // The first page was forgotten: decoded anew, and still shown right.
    const widgets::CellBitmap* old = panel.Picture(2)->GetStillBitmap();
    ASSERT_TRUE(panel.LoadFace(2, Face(2)));
    EXPECT_NE(old, panel.Picture(2)->GetStillBitmap());
    EXPECT_TRUE(Reddish(Centre(panel, 2))) << Hex(Centre(panel, 2));
    EXPECT_EQ(50u, panel.DecodedThumbnails());
}

TEST_F(PanelThumbnails, ForgettingKeepsTheCellsShowingTheirFaces) {
    for (int i = 0; i < 40; ++i) ASSERT_TRUE(panel.LoadFace(i, Face(i, i % 2 ? samples::kBlue : samples::kRed)));
    EXPECT_EQ(40u, panel.DecodedThumbnails());
    panel.ForgetThumbnails();
    EXPECT_EQ(0u, panel.DecodedThumbnails());
    EXPECT_TRUE(Reddish(Centre(panel, 2))) << Hex(Centre(panel, 2));
    EXPECT_TRUE(Bluish(Centre(panel, 39))) << Hex(Centre(panel, 39));
    // Shown again after the reload, the face is decoded again.
    ASSERT_TRUE(panel.LoadFace(2, Face(2)));
    EXPECT_EQ(1u, panel.DecodedThumbnails());
}

TEST_F(PanelThumbnails, GarbageThumbnailsGiveWhiteCellsAndAreNotRetried) {
    std::vector<uint8_t> cut = Thumbnail(samples::kRed);
    cut.resize(20);
    const std::vector<std::vector<uint8_t>> garbage{std::vector<uint8_t>(500, 0x5A), cut, {0x47}};
    for (size_t i = 0; i < garbage.size(); ++i) {
        const int cell = 2 + static_cast<int>(i);
        PanelFace f = Face(cell);
        f.thumbnail = garbage[i];
        ASSERT_TRUE(panel.LoadFace(cell, f));
        EXPECT_TRUE(panel.HasFace(cell));  // the face still counts
        EXPECT_FALSE(panel.Picture(cell)->HasStillImage());
        EXPECT_EQ(kWhite, Centre(panel, cell));
        ASSERT_TRUE(panel.LoadFace(cell, f));  // again: white, no crash
        EXPECT_EQ(kWhite, Centre(panel, cell));
    }
    EXPECT_EQ(garbage.size(), panel.DecodedThumbnails());
    // Ahead of time too.
    panel.PrefetchThumbnails({PanelThumbnail{"bad", std::vector<uint8_t>(64, 0xFF)}, PanelThumbnail{"", Thumbnail(1)}});
    EXPECT_TRUE(testkit::WaitUntil([&] {
        Pump(5);
        return panel.PrefetchWaiting() == 0;
    }));
    EXPECT_EQ(garbage.size() + 1, panel.DecodedThumbnails());  // no digest: not kept
}

TEST_F(PanelThumbnails, ThumbnailsQueuedAheadAreDecodedWhenIdleAndThenShownAsTheyAre) {
    std::vector<PanelThumbnail> next;
    for (int i = 0; i < 40; ++i) next.push_back(PanelThumbnail{Face(100 + i).id, Thumbnail(samples::kBlue)});
    panel.PrefetchThumbnails(next);
    EXPECT_EQ(40u, panel.PrefetchWaiting());
    EXPECT_EQ(0u, panel.DecodedThumbnails());  // nothing before the window is idle
    EXPECT_TRUE(testkit::WaitUntil([&] {
        Pump(5);
        return panel.PrefetchWaiting() == 0;
    }));
    EXPECT_EQ(40u, panel.DecodedThumbnails());
    for (int i = 0; i < 40; ++i) ASSERT_TRUE(panel.LoadFace(i, Face(100 + i, samples::kBlue)));
    EXPECT_EQ(40u, panel.DecodedThumbnails());
    EXPECT_TRUE(Bluish(Centre(panel, 39)));
    // A new queue replaces the old; forgetting drops what still waits.
    panel.PrefetchThumbnails(next);
    panel.PrefetchThumbnails({PanelThumbnail{"x", Thumbnail(samples::kRed)}});
    EXPECT_EQ(1u, panel.PrefetchWaiting());
    panel.ForgetThumbnails();
    EXPECT_EQ(0u, panel.PrefetchWaiting());
    Pump(50);
    EXPECT_EQ(0u, panel.DecodedThumbnails());
}
