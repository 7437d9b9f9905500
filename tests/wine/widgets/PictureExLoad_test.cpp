// Loading and fitting: GIFs into frames, other formats through the system loader, and
// hostile files that must never bring the control down.
#include <gtest/gtest.h>

#include <cstring>

#include "GifWriter.h"
#include "PictureTestKit.h"
#include "SampleSet.h"

using namespace pictest;

namespace {
const COLORREF kRed = RGB(220, 30, 30), kGreen = RGB(20, 160, 60), kYellow = RGB(255, 214, 0);
}

TEST(PictureLoad, AnimatedGifIsCutIntoItsFrames) {
    HostWindow host(200, 200);
    CPictureEx pic;
    ASSERT_TRUE(Place(pic, host, {10, 10, 55, 55}, Sample("disposal1_transparent.gif"), true));
    EXPECT_TRUE(pic.IsGif());
    EXPECT_EQ(5u, pic.GetFrameCount());
    EXPECT_EQ(32, pic.GetImageSize().cx);
    EXPECT_FLOAT_EQ(45.0f / 32.0f, pic.GetFit().scale);
    EXPECT_EQ(RGB(255, 255, 255), pic.GetBackground());
}

TEST(PictureLoad, GifWithOneImageIsShownAsAStillPictureWithoutAThread) {
    HostWindow host(200, 200);
    CPictureEx pic;
    ASSERT_TRUE(Place(pic, host, {0, 0, 64, 64}, Sample("still.gif"), true));
    EXPECT_TRUE(pic.IsGif());
    EXPECT_EQ(0u, pic.GetFrameCount());
    pic.BeginShow();
    EXPECT_FALSE(pic.IsPlaying());
    EXPECT_TRUE(Near(kYellow, SurfacePixel(pic, 16, 32))) << Hex(SurfacePixel(pic, 16, 32));
}

TEST(PictureLoad, JpegAndBmpGoThroughTheSystemLoaderAsStills) {
    HostWindow host(200, 200);
    for (const char* name : {"still.jpg", "still.bmp", "large.jpg"}) {
        CPictureEx pic;
        ASSERT_TRUE(Place(pic, host, {0, 0, 45, 45}, Sample(name), true)) << name;
        EXPECT_FALSE(pic.IsGif()) << name;
        EXPECT_EQ(0u, pic.GetFrameCount()) << name;
        pic.BeginShow();
        EXPECT_FALSE(pic.IsPlaying());
        EXPECT_TRUE(Near(kYellow, SurfacePixel(pic, 8, 22), 40))
            << name << " " << Hex(SurfacePixel(pic, 8, 22));
    }
}

TEST(PictureLoad, OtherGifVersionsAreNeverSplitIntoFrames) {
    HostWindow host(200, 200);
    auto bytes = Sample("delays_mixed.gif");
    bytes[4] = '8';  // "GIF88a"
    CPictureEx pic;
    Place(pic, host, {0, 0, 45, 45}, bytes, true);  // the system loader decides
    EXPECT_FALSE(pic.IsGif());
    EXPECT_EQ(0u, pic.GetFrameCount());
    pic.BeginShow();
    EXPECT_FALSE(pic.IsPlaying());
}

TEST(PictureLoad, WideImageIsFittedAndCentredInASquareControl) {
    HostWindow host(200, 200);
    CPictureEx pic;
    ASSERT_TRUE(Place(pic, host, {0, 0, 100, 100}, Sample("wide.gif"), false));
    EXPECT_FLOAT_EQ(2.5f, pic.GetFit().scale);
    EXPECT_EQ(0, pic.GetFit().offsetX);
    EXPECT_EQ(25, pic.GetFit().offsetY);
    pic.DrawFirstFrame();
    EXPECT_TRUE(Near(RGB(255, 255, 255), SurfacePixel(pic, 50, 10)));
    EXPECT_TRUE(Near(kGreen, SurfacePixel(pic, 50, 50))) << Hex(SurfacePixel(pic, 50, 50));
    EXPECT_TRUE(Near(kGreen, SurfacePixel(pic, 50, 74)));
    EXPECT_TRUE(Near(RGB(255, 255, 255), SurfacePixel(pic, 50, 90)));
}

TEST(PictureLoad, BadMemoryBlocksAreRefused) {
    CPictureEx pic;
    EXPECT_FALSE(pic.LoadImageData(nullptr, 10));
    EXPECT_FALSE(pic.LoadImageBytes(nullptr, 0));
    HGLOBAL small = GlobalAlloc(GMEM_MOVEABLE, 16);
    ASSERT_TRUE(small);
    EXPECT_FALSE(pic.LoadImageData(small, 100000));  // claims more than the block holds
    EXPECT_FALSE(pic.IsLoaded());
    const auto gif = Sample("still.gif");
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, gif.size());
    std::memcpy(GlobalLock(block), gif.data(), gif.size());
    GlobalUnlock(block);
    EXPECT_TRUE(pic.LoadImageData(block, static_cast<DWORD>(gif.size())));
    pic.ReleaseImage();
    EXPECT_FALSE(pic.IsLoaded());
}

namespace {

std::vector<std::vector<uint8_t>> HostileGifs() {
    std::vector<std::vector<uint8_t>> out;
    const auto good = Sample("disposal3_transparent.gif");
    for (size_t n = 0; n < good.size(); n += 5)
        out.emplace_back(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
    auto lengths = good;
    for (size_t i = 13 + 24; i < lengths.size(); i += 37)
        lengths[i] = 0xFF;  // sub-block lengths running past the end
    out.push_back(lengths);

    samples::GifWriter huge(65535, 65535, samples::SamplePalette());
    samples::GifFrame f = samples::SolidFrame(0, 0, 2, 2, 3);
    f.width = f.height = 65535;
    huge.AddFrame(f);
    f.left = f.top = 60000;
    huge.AddFrame(f);
    out.push_back(huge.Finish());

    samples::GifWriter zero(0, 0, samples::SamplePalette());
    zero.AddFrame(samples::SolidFrame(0, 0, 0, 0, 1));
    zero.AddFrame(samples::SolidFrame(0, 0, 0, 0, 2));
    out.push_back(zero.Finish());

    samples::GifWriter chain(8, 8, samples::SamplePalette());
    auto endless = chain.Finish();
    endless.pop_back();
    for (int i = 0; i < 50000; ++i)
        endless.insert(endless.end(), {0x21, 0xFE, 1, 'x', 0});
    out.push_back(endless);

    auto loops = Sample("delay0.gif");  // a loop count of 1, then garbage after a frame
    loops.insert(loops.end() - 1, {0x21, 0x99, 0x2C, 0x00});
    out.push_back(loops);

    out.push_back({'G', 'I', 'F', '8', '9', 'a', 0xFF, 0xFF, 0xFF, 0xFF, 0xF7, 0, 0});
    out.push_back(std::vector<uint8_t>(4096, 0x2C));
    return out;
}

}  // namespace

TEST(PictureLoad, HostileGifsNeverCrashOrHangTheControl) {
    HostWindow host(200, 200);
    CPictureEx pic;
    RECT r{0, 0, 45, 45};
    ASSERT_TRUE(pic.Create(host.Get(), r, 1));
    pic.SetAnimate(true);
    int loaded = 0;
    for (const auto& bytes : HostileGifs()) {
        if (pic.LoadImageBytes(bytes.data(), bytes.size())) {
            ++loaded;
            pic.BeginShow();
            Pump(10);
        }
        const DWORD before = GetTickCount();
        pic.HaltShow();
        EXPECT_LT(GetTickCount() - before, 2000u);
    }
    EXPECT_GT(loaded, 0);  // the complete frames of cut files still play
    ASSERT_TRUE(pic.LoadImageBytes(Sample("delay10.gif").data(), Sample("delay10.gif").size()));
    EXPECT_EQ(3u, pic.GetFrameCount());
}

TEST(PictureLoad, FrameFloodIsCappedBeforeItExhaustsGdiHandles) {
    samples::GifWriter w(4, 4, samples::SamplePalette());
    for (int i = 0; i < 2000; ++i)
        w.AddFrame(samples::SolidFrame(i % 4, 0, 1, 1, static_cast<uint8_t>(1 + i % 6)));
    const auto flood = w.Finish();
    HostWindow host(100, 100);
    CPictureEx pic;
    ASSERT_TRUE(Place(pic, host, {0, 0, 45, 45}, flood, true));
    EXPECT_EQ(512u, pic.GetFrameCount());
    pic.BeginShow();
    Pump(50);
    pic.HaltShow();
}
