// Thumbnails and icons: the JPEG decodes back to the asked size and the face's colours.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include <objidl.h>
#include <propidl.h>
#include <gdiplus.h>

#include "PictureFaceRenderer_win.h"
#include "PictureTestKit.h"
#include "SampleSet.h"

using namespace pictest;
using namespace Gdiplus;
using namespace Gdiplus::DllExports;

namespace {

struct Decoded {
    UINT width = 0, height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(UINT x, UINT y) const { return pixels.at(y * width + x); }
};

// Decodes with GDI+ (a different path from the encoder's own bitmap).
Decoded Decode(const std::vector<uint8_t>& jpeg) {
    Decoded d;
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, jpeg.size());
    std::memcpy(GlobalLock(mem), jpeg.data(), jpeg.size());
    GlobalUnlock(mem);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(mem, TRUE, &stream)))
        return d;
    GpBitmap* bmp = nullptr;
    if (GdipCreateBitmapFromStream(stream, &bmp) == Ok) {
        GdipGetImageWidth(bmp, &d.width);
        GdipGetImageHeight(bmp, &d.height);
        // All pixels at once: one call per pixel takes seconds under emulation.
        GpRect all(0, 0, static_cast<INT>(d.width), static_cast<INT>(d.height));
        BitmapData data{};
        if (GdipBitmapLockBits(bmp, &all, ImageLockModeRead, PixelFormat32bppARGB, &data) == Ok) {
            for (UINT y = 0; y < d.height; ++y) {
                const auto* row = reinterpret_cast<const ARGB*>(static_cast<const BYTE*>(data.Scan0) +
                                                                 static_cast<INT_PTR>(y) * data.Stride);
                for (UINT x = 0; x < d.width; ++x)
                    d.pixels.push_back(RGB((row[x] >> 16) & 0xFF, (row[x] >> 8) & 0xFF, row[x] & 0xFF));
            }
            GdipBitmapUnlockBits(bmp, &data);
        } else {
            d.width = d.height = 0;
        }
        GdipDisposeImage(bmp);
    }
    stream->Release();
    return d;
}

class FaceRendererTest : public ::testing::Test {
protected:
    PictureFaceRenderer renderer;  // keeps GDI+ started for the decoding too
};

const COLORREF kYellow = RGB(255, 214, 0), kWhite = RGB(255, 255, 255);

}  // namespace

TEST_F(FaceRendererTest, ThumbnailIs45x45JpegWithTheFacesColours) {
    std::vector<uint8_t> jpeg;
    ASSERT_TRUE(renderer.RenderJpeg(Sample("still.gif"), 45, jpeg));
    ASSERT_GT(jpeg.size(), 4u);
    EXPECT_EQ(0xFF, jpeg[0]);
    EXPECT_EQ(0xD8, jpeg[1]);
    const Decoded d = Decode(jpeg);
    ASSERT_EQ(45u, d.width);
    ASSERT_EQ(45u, d.height);
    EXPECT_TRUE(Near(kYellow, d.At(10, 22), 40)) << Hex(d.At(10, 22));
    EXPECT_TRUE(Near(kWhite, d.At(2, 2), 30)) << Hex(d.At(2, 2));
}

TEST_F(FaceRendererTest, IconIs16x16) {
    std::vector<uint8_t> jpeg;
    ASSERT_TRUE(renderer.RenderJpeg(Sample("still.bmp"), 16, jpeg));
    const Decoded d = Decode(jpeg);
    ASSERT_EQ(16u, d.width);
    ASSERT_EQ(16u, d.height);
    // At this size eyes, mouth and outline blur into the yellow: count the yellow.
    int yellow = 0, white = 0;
    for (COLORREF c : d.pixels) {
        yellow += Near(kYellow, c, 50) ? 1 : 0;
        white += Near(kWhite, c, 40) ? 1 : 0;
    }
    EXPECT_GT(yellow, 256 / 4);
    EXPECT_GT(white, 8);  // the corners
}

TEST_F(FaceRendererTest, AnimatedFaceGivesItsFirstFrame) {
    std::vector<uint8_t> jpeg;
    ASSERT_TRUE(renderer.RenderJpeg(Sample("delays_mixed.gif"), 45, jpeg));
    const Decoded d = Decode(jpeg);
    ASSERT_EQ(45u, d.width);
    EXPECT_TRUE(Near(RGB(220, 30, 30), d.At(22, 22), 40)) << Hex(d.At(22, 22));
}

TEST_F(FaceRendererTest, WideFaceIsCentredOnWhite) {
    std::vector<uint8_t> jpeg;
    ASSERT_TRUE(renderer.RenderJpeg(Sample("wide.gif"), 45, jpeg));
    const Decoded d = Decode(jpeg);
    ASSERT_EQ(45u, d.height);
    EXPECT_TRUE(Near(kWhite, d.At(22, 3), 30)) << Hex(d.At(22, 3));
    EXPECT_TRUE(Near(RGB(20, 160, 60), d.At(22, 22), 40)) << Hex(d.At(22, 22));
}

TEST_F(FaceRendererTest, UndrawableInputGivesFalseAndNoBytes) {
    std::vector<uint8_t> jpeg{1, 2, 3};
    EXPECT_FALSE(renderer.RenderJpeg({'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'},
                                     45, jpeg));
    EXPECT_TRUE(jpeg.empty());
    EXPECT_FALSE(renderer.RenderJpeg({}, 45, jpeg));
    EXPECT_FALSE(renderer.RenderJpeg(Sample("still.gif"), 0, jpeg));
    EXPECT_FALSE(renderer.RenderJpeg(Sample("still.gif"), -45, jpeg));
}

// The renderer keeps its hidden controls between calls: nothing of one picture, size or
// frame count may show in the next one.
TEST_F(FaceRendererTest, PicturesInTurnEachGiveTheirOwnThumbnailAndIcon) {
    const COLORREF kRed = RGB(220, 30, 30), kGreen = RGB(20, 160, 60);
    // The share of pixels near `colour`, in per cent.
    auto share = [&](const std::string& name, int size, COLORREF colour) {
        std::vector<uint8_t> jpeg;
        EXPECT_TRUE(renderer.RenderJpeg(Sample(name), size, jpeg)) << name;
        const Decoded d = Decode(jpeg);
        EXPECT_EQ(static_cast<UINT>(size), d.width) << name;
        int hits = 0;
        for (COLORREF c : d.pixels) hits += Near(colour, c, 60) ? 1 : 0;
        return d.pixels.empty() ? 0 : static_cast<int>(100 * hits / d.pixels.size());
    };
    EXPECT_GT(share("delays_mixed.gif", 45, kRed), 25);  // its first frame
    EXPECT_GT(share("still.bmp", 16, kYellow), 25);
    EXPECT_GT(share("wide.gif", 45, kGreen), 10);
    EXPECT_EQ(share("wide.gif", 45, kRed), 0);
    EXPECT_GT(share("delays_mixed.gif", 16, kRed), 25);
    std::vector<uint8_t> jpeg;
    EXPECT_FALSE(renderer.RenderJpeg({'G', 'I', 'F', '8', '9', 'a'}, 45, jpeg));  // a broken one between
    EXPECT_GT(share("still.gif", 45, kYellow), 25);
}

TEST_F(FaceRendererTest, AnotherThreadRendersWithAControlOfItsOwn) {
    std::vector<uint8_t> fromWorker;
    bool ok = false;
    std::thread worker([&] { ok = renderer.RenderJpeg(Sample("still.gif"), 45, fromWorker); });
    worker.join();
    ASSERT_TRUE(ok);
    std::vector<uint8_t> fromHere;
    ASSERT_TRUE(renderer.RenderJpeg(Sample("still.gif"), 45, fromHere));
    const Decoded a = Decode(fromWorker), b = Decode(fromHere);
    ASSERT_EQ(45u, a.width);
    EXPECT_EQ(a.pixels, b.pixels);
}
