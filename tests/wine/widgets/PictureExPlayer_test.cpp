// Playback observed through the control: frame order, the schedule it reports, disposal
// on the surface, and stopping in the middle of a long frame.
#include <gtest/gtest.h>

#include "PictureTestKit.h"
#include "SampleSet.h"
#include "TestKit.h"

using namespace pictest;
using samples::GifFrame;

namespace {

const COLORREF kRed = RGB(220, 30, 30), kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);

// A red 20 x 20 screen, a blue patch at (5, 5) with `disposal`, then a long last frame.
std::vector<uint8_t> PatchGif(int disposal) {
    samples::GifWriter w(20, 20, samples::SamplePalette());
    GifFrame base = samples::SolidFrame(0, 0, 20, 20, samples::kRed);
    base.delay = 5;
    base.disposal = 1;
    w.AddFrame(base);
    GifFrame patch = samples::SolidFrame(5, 5, 6, 6, samples::kBlue);
    patch.delay = 5;
    patch.disposal = disposal;
    w.AddFrame(patch);
    GifFrame last = samples::SolidFrame(18, 18, 1, 1, samples::kGreen);
    last.delay = 1000;
    w.AddFrame(last);
    return w.Finish();
}

}  // namespace

TEST(PicturePlayer, ScheduleTreatsShortAndMissingDelaysAs100ms) {
    HostWindow host(200, 200);
    CPictureEx mixed, none;
    ASSERT_TRUE(Place(mixed, host, {0, 0, 45, 45}, Sample("delays_mixed.gif"), true));
    EXPECT_EQ((std::vector<uint32_t>{100, 100, 100, 500, 10000}), mixed.GetSchedule());
    ASSERT_TRUE(Place(none, host, {50, 0, 95, 45}, Sample("no_control.gif"), true));
    EXPECT_EQ((std::vector<uint32_t>{100, 100}), none.GetSchedule());
}

TEST(PicturePlayer, FramesFollowEachOtherInOrder) {
    HostWindow host(200, 200);
    CPictureEx pic;
    ASSERT_TRUE(Place(pic, host, {0, 0, 45, 45}, Sample("delays_mixed.gif"), true));
    pic.BeginShow();
    EXPECT_TRUE(pic.IsPlaying());
    std::vector<size_t> seen{pic.GetCurrentFrame()};
    const bool reachedLast = testkit::WaitUntil(
        [&] {
            const size_t now = pic.GetCurrentFrame();
            if (now != seen.back())
                seen.push_back(now);
            return now == 4;
        },
        std::chrono::seconds(5), std::chrono::milliseconds(5));
    ASSERT_TRUE(reachedLast);
    EXPECT_EQ((std::vector<size_t>{0, 1, 2, 3, 4}), seen);
    // The last frame (black, 10 s) is the one on the surface now.
    EXPECT_TRUE(testkit::WaitUntil([&] { return Near(kBlack, SurfacePixel(pic, 22, 22)); }));
    pic.HaltShow();
    EXPECT_FALSE(pic.IsPlaying());
    EXPECT_EQ(4u, pic.GetCurrentFrame());
}

TEST(PicturePlayer, StoppingDuringATenSecondFrameReturnsAtOnce) {
    HostWindow host(200, 200);
    CPictureEx pic;
    const auto gif = samples::ColourFramesGif(20, 20, {samples::kRed, samples::kBlue}, {1000, 1000});
    ASSERT_TRUE(Place(pic, host, {0, 0, 45, 45}, gif, true));
    pic.BeginShow();
    ASSERT_TRUE(testkit::WaitUntil([&] { return Near(kRed, SurfacePixel(pic, 22, 22)); }));
    const DWORD before = GetTickCount();
    pic.HaltShow();
    const DWORD took = GetTickCount() - before;
    EXPECT_LT(took, 1000u) << "took " << took << " ms";
    EXPECT_FALSE(pic.IsPlaying());
    EXPECT_EQ(0u, pic.GetCurrentFrame());
    // Showing again continues from the frame it stopped on, on a new thread.
    pic.BeginShow();
    EXPECT_TRUE(pic.IsPlaying());
    pic.HaltShow();
    EXPECT_FALSE(pic.IsPlaying());
}

TEST(PicturePlayer, DisposalToBackgroundLeavesTheFrameAreaInTheBackgroundColour) {
    HostWindow host(200, 200);
    CPictureEx pic;
    ASSERT_TRUE(Place(pic, host, {0, 0, 20, 20}, PatchGif(2), true));
    ASSERT_FLOAT_EQ(1.0f, pic.GetFit().scale);
    pic.BeginShow();
    ASSERT_TRUE(testkit::WaitUntil([&] { return pic.GetCurrentFrame() == 2; }));
    Pump(50);
    EXPECT_TRUE(Near(kWhite, SurfacePixel(pic, 8, 8))) << Hex(SurfacePixel(pic, 8, 8));
    EXPECT_TRUE(Near(kRed, SurfacePixel(pic, 14, 14))) << Hex(SurfacePixel(pic, 14, 14));
    pic.HaltShow();
}

TEST(PicturePlayer, DisposalToPreviousRestoresWhatTheFrameCovered) {
    HostWindow host(200, 200);
    CPictureEx pic;
    ASSERT_TRUE(Place(pic, host, {0, 0, 20, 20}, PatchGif(3), true));
    pic.BeginShow();
    ASSERT_TRUE(testkit::WaitUntil([&] { return pic.GetCurrentFrame() == 2; }));
    Pump(50);
    EXPECT_TRUE(Near(kRed, SurfacePixel(pic, 8, 8))) << Hex(SurfacePixel(pic, 8, 8));
    pic.HaltShow();
}

TEST(PicturePlayer, KeptFramesStayOnTheSurface) {
    HostWindow host(200, 200);
    CPictureEx pic;
    ASSERT_TRUE(Place(pic, host, {0, 0, 20, 20}, PatchGif(1), true));
    pic.BeginShow();
    ASSERT_TRUE(testkit::WaitUntil([&] { return pic.GetCurrentFrame() == 2; }));
    Pump(50);
    EXPECT_TRUE(Near(RGB(30, 60, 220), SurfacePixel(pic, 8, 8))) << Hex(SurfacePixel(pic, 8, 8));
    pic.HaltShow();
}

TEST(PicturePlayer, DestroyingAPlayingControlStopsItsThread) {
    HostWindow host(200, 200);
    DWORD took = 0;
    {
        CPictureEx pic;
        ASSERT_TRUE(Place(pic, host, {0, 0, 45, 45}, Sample("delay1000.gif"), true));
        pic.BeginShow();
        EXPECT_TRUE(pic.IsPlaying());
        Pump(50);
        const DWORD before = GetTickCount();
        DestroyWindow(pic.GetHwnd());
        took = GetTickCount() - before;
        EXPECT_FALSE(pic.IsPlaying());
        EXPECT_EQ(nullptr, pic.GetHwnd());
    }
    EXPECT_LT(took, 1000u);
}
