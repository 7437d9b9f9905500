// Frame layout, caption band, strips, text flags, region runs and the text formats.
#include <gtest/gtest.h>

#include "SkinGeometry.h"

using namespace skin;

TEST(SkinTexts, RectNeedsFourCommaSeparatedNumbers) {
    EXPECT_EQ(ParseRect("1,2,3,4"), (Rect{1, 2, 3, 4}));
    EXPECT_EQ(ParseRect(" -1,\t2, 3,4xyz"), (Rect{-1, 2, 3, 4}));
    EXPECT_FALSE(ParseRect("1,2,3"));
    EXPECT_FALSE(ParseRect("1 ,2,3,4"));
    EXPECT_FALSE(ParseRect("1;2;3;4"));
    EXPECT_FALSE(ParseRect(""));
    EXPECT_FALSE(ParseRect("99999999999,0,0,0"));
}

TEST(SkinTexts, ColourIsRedGreenBlueInHex) {
    EXPECT_EQ(ParseColour("0xff0000"), 0x0000FFu);
    EXPECT_EQ(ParseColour("0x00FF80"), 0x80FF00u);
    EXPECT_EQ(ParseColour("0x123456zz"), 0x563412u);
    EXPECT_FALSE(ParseColour("ff0000"));
    EXPECT_FALSE(ParseColour("0xff00"));
    EXPECT_FALSE(ParseColour(""));
}

TEST(SkinTexts, FontSizeReadsLikeAtoiAndStaysSane) {
    EXPECT_EQ(ParseFontSize("12"), 12);
    EXPECT_EQ(ParseFontSize("-14px"), -14);
    EXPECT_EQ(ParseFontSize(""), 0);
    EXPECT_EQ(ParseFontSize("big"), 0);
    EXPECT_EQ(ParseFontSize("100000"), 512);
}

TEST(SkinFrameLayout, PiecesSitAtEdgesAndMiddlesStretch) {
    PieceSizes p{};
    p[kTopLeft] = {10, 30};
    p[kTopMid] = {5, 30};
    p[kTopRight] = {12, 30};
    p[kBottomLeft] = {8, 9};
    p[kBottomMid] = {5, 9};
    p[kBottomRight] = {7, 9};
    p[kLeftMid] = {4, 5};
    p[kRightMid] = {6, 5};
    auto d = LayoutFrame(200, 100, p);
    ASSERT_EQ(d.size(), 8u);
    EXPECT_EQ(d[0].dest, (Rect{0, 0, 10, 30}));
    EXPECT_FALSE(d[0].stretch);
    EXPECT_EQ(d[1].dest, (Rect{10, 0, 188, 30}));
    EXPECT_TRUE(d[1].stretch);
    EXPECT_EQ(d[2].dest, (Rect{188, 0, 200, 30}));
    EXPECT_EQ(d[3].dest, (Rect{0, 91, 8, 100}));
    EXPECT_EQ(d[4].piece, kLeftMid);
    EXPECT_EQ(d[4].dest, (Rect{0, 30, 4, 91}));
    EXPECT_EQ(d[5].dest, (Rect{8, 91, 193, 100}));
    EXPECT_EQ(d[6].dest, (Rect{193, 91, 200, 100}));
    EXPECT_EQ(d[7].dest, (Rect{194, 30, 200, 91}));
}

TEST(SkinFrameLayout, MissingPiecesAreNotDrawn) {
    PieceSizes p{};
    p[kTopLeft] = {10, 30};
    auto d = LayoutFrame(50, 50, p);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].piece, kTopLeft);
}

TEST(SkinCaptionBand, StartsAtTopLeftWidthOrSixteenAndStopsTenShort) {
    EXPECT_EQ(CaptionBand(300, 40, 25), (Rect{40, 2, 290, 25}));
    EXPECT_EQ(CaptionBand(300, 3, 25), (Rect{16, 2, 290, 25}));
    EXPECT_EQ(CaptionBand(10, 0, 25).right, 10);
    Rect band = CaptionBand(300, 40, 25);
    EXPECT_TRUE(band.Contains(40, 2));
    EXPECT_FALSE(band.Contains(39, 10));
    EXPECT_FALSE(band.Contains(290, 10));
    EXPECT_FALSE(band.Contains(100, 1));
    EXPECT_FALSE(band.Contains(100, 25));
}

TEST(SkinStrip, FourEqualPiecesRemainderLost) {
    EXPECT_EQ(StripPiece(83, 20, 0), (Rect{0, 0, 20, 20}));
    EXPECT_EQ(StripPiece(83, 20, 3), (Rect{60, 0, 80, 20}));
    EXPECT_EQ(StripPiece(3, 20, 1).Width(), 0);
}

TEST(SkinTextFlags, StyleBitsMapToDrawTextFlags) {
    EXPECT_EQ(StaticTextFlags(0), dt::kWordBreak);
    EXPECT_EQ(StaticTextFlags(1), dt::kCenter | dt::kWordBreak);
    EXPECT_EQ(StaticTextFlags(2), dt::kRight | dt::kWordBreak);
    EXPECT_EQ(StaticTextFlags(0x200 | 1), dt::kCenter | dt::kVCenter | dt::kSingleLine);
    EXPECT_EQ(StaticTextFlags(0x80), dt::kNoPrefix | dt::kWordBreak);
    EXPECT_EQ(StaticTextFlags(0x4000), dt::kEndEllipsis);
    EXPECT_EQ(StaticTextFlags(0x8000), dt::kPathEllipsis);
    EXPECT_EQ(StaticTextFlags(0xC000), dt::kWordEllipsis);
    EXPECT_EQ(StaticTextFlags(0x8), 0u) << "bits 0xC both suppress word breaking";
}

TEST(SkinRegionRuns, MagentaRunsPerRowInMode1AndTheRestInMode0) {
    const std::uint32_t M = 0xFF00FF, K = 0x000000, A = 0xFFFF00FF;  // alpha byte ignored
    const std::uint32_t px[] = {M, M, K, M,
                                K, K, K, K,
                                A, K, K, A};
    auto magenta = PixelRuns(px, 4, 3, 1);
    ASSERT_EQ(magenta.size(), 4u);
    EXPECT_EQ(magenta[0], (Rect{0, 0, 2, 1}));
    EXPECT_EQ(magenta[1], (Rect{3, 0, 4, 1}));
    EXPECT_EQ(magenta[2], (Rect{0, 2, 1, 3}));
    EXPECT_EQ(magenta[3], (Rect{3, 2, 4, 3}));
    auto rest = PixelRuns(px, 4, 3, 0);
    ASSERT_EQ(rest.size(), 3u);
    EXPECT_EQ(rest[1], (Rect{0, 1, 4, 2}));
    EXPECT_TRUE(PixelRuns(px, 0, 3, 1).empty());
    const std::uint32_t near[] = {0xFE00FF, 0xFF01FF};
    EXPECT_TRUE(PixelRuns(near, 2, 1, 1).empty()) << "only exact magenta";
}
