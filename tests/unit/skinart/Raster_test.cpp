// The drawing and file primitives behind the skin pictures.
#include <gtest/gtest.h>

#include "Bmp.h"
#include "Raster.h"

namespace {

using namespace skinart;

Bitmap Flat(const Canvas& c) { return Flatten(c, 0.5, Solid(Rgb(0, 0, 0))); }

TEST(Raster, BoxesOnWholePixelsHaveNoSoftEdge) {
    Canvas c(6, 6);
    c.Fill(Box(1, 2, 4, 5), Solid(Rgb(10, 20, 30)));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            bool inside = x >= 1 && x < 4 && y >= 2 && y < 5;
            EXPECT_DOUBLE_EQ(c.AlphaAt(x, y), inside ? 1.0 : 0.0) << x << "," << y;
        }
}

TEST(Raster, UnpaintedPixelsBecomeMagentaAndPaintedOnesNeverDo) {
    Canvas c(3, 1);
    c.Fill(Box(0, 0, 1, 1), Solid(Rgb(255, 0, 255)));   // a paint that happens to be magenta
    c.Fill(Box(1, 0, 2, 1), Solid(Rgb(9, 9, 9)), 0.3);   // below the cutoff
    Bitmap b = Flat(c);
    EXPECT_FALSE(b.IsMagenta(0, 0));
    EXPECT_TRUE(b.IsMagenta(1, 0));
    EXPECT_TRUE(b.IsMagenta(2, 0));
}

TEST(Raster, SoftEdgesAreBlendedWithTheUnderlay) {
    Canvas c(1, 1);
    c.Fill(Box(0, 0, 1, 1), Solid(Rgb(200, 100, 0)), 0.5);
    Bitmap b = Flatten(c, 0.25, Solid(Rgb(0, 100, 200)));
    EXPECT_EQ(b.rgb, (std::vector<uint8_t>{100, 100, 100}));
}

TEST(Raster, RoundedCornersLeaveTheOuterCornerUnpainted) {
    Canvas c(12, 12);
    c.Fill(RoundBox(0, 0, 12, 12, 5), Solid(Rgb(1, 2, 3)));
    Bitmap b = Flat(c);
    EXPECT_TRUE(b.IsMagenta(0, 0));
    EXPECT_TRUE(b.IsMagenta(11, 11));
    EXPECT_FALSE(b.IsMagenta(6, 0));   // straight edges stay whole
    EXPECT_FALSE(b.IsMagenta(0, 6));
    EXPECT_FALSE(b.IsMagenta(6, 6));
}

TEST(Raster, PolygonWindingDoesNotMatter) {
    Canvas a(8, 8), b(8, 8);
    a.Fill(Polygon({{1, 1}, {7, 1}, {4, 7}}), Solid(Rgb(5, 5, 5)));
    b.Fill(Polygon({{4, 7}, {7, 1}, {1, 1}}), Solid(Rgb(5, 5, 5)));
    EXPECT_EQ(Flat(a).rgb, Flat(b).rgb);
    EXPECT_DOUBLE_EQ(a.AlphaAt(4, 2), 1.0);
    EXPECT_DOUBLE_EQ(a.AlphaAt(0, 7), 0.0);
}

TEST(Raster, StripPlacesStatesSideBySide) {
    Canvas red(2, 3), blue(2, 3);
    red.FillAll(Solid(Rgb(255, 0, 0)));
    blue.FillAll(Solid(Rgb(0, 0, 255)));
    Bitmap s = Strip({Flat(red), Flat(blue), Flat(red), Flat(blue)});
    ASSERT_EQ(s.width, 8);
    ASSERT_EQ(s.height, 3);
    EXPECT_EQ(s.rgb[0], 255);
    EXPECT_EQ(s.rgb[(2 * 8 + 3) * 3 + 2], 255);   // row 2, column 3: blue
}

TEST(Bmp, RoundTripsOddWidthsWithRowPadding) {
    Bitmap b;
    b.width = 3;
    b.height = 2;
    b.rgb = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18};
    std::vector<uint8_t> file = EncodeBmp(b);
    ASSERT_EQ(file.size(), 54u + 2 * 12);   // 9 bytes a row padded to 12
    Bitmap back;
    ASSERT_TRUE(DecodeBmp(file, back));
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(back.rgb, b.rgb);
    // bottom-up, blue first: the first stored pixel is the bottom-left one
    EXPECT_EQ(file[54], 12);
    EXPECT_EQ(file[56], 10);
}

TEST(Bmp, RefusesTruncatedAndUnsupportedFiles) {
    Bitmap b;
    b.width = 4;
    b.height = 4;
    b.rgb.assign(48, 7);
    std::vector<uint8_t> file = EncodeBmp(b);
    Bitmap out;
    std::vector<uint8_t> cut(file.begin(), file.end() - 1);
    EXPECT_FALSE(DecodeBmp(cut, out));
    std::vector<uint8_t> eightBit = file;
    eightBit[28] = 8;
    EXPECT_FALSE(DecodeBmp(eightBit, out));
    std::vector<uint8_t> hugeWidth = file;
    hugeWidth[21] = 0x7F;
    EXPECT_FALSE(DecodeBmp(hugeWidth, out));
    EXPECT_FALSE(DecodeBmp({'B', 'M'}, out));
}

}  // namespace
