#include "PictureFit.h"

#include <gtest/gtest.h>

TEST(PictureFit, WideImageFillsTheWidthAndIsCentredVertically) {
    const PictureFit f = FitToClient(100, 100, 40, 20);
    EXPECT_FLOAT_EQ(2.5f, f.scale);
    EXPECT_EQ(0, f.offsetX);
    EXPECT_EQ(25, f.offsetY);
}

TEST(PictureFit, TallOrSquareImageFillsTheHeightAndIsCentredHorizontally) {
    PictureFit f = FitToClient(45, 45, 20, 40);
    EXPECT_FLOAT_EQ(45.0f / 40.0f, f.scale);
    EXPECT_EQ(11, f.offsetX);  // (45 - 22.5) / 2 = 11.25, truncated
    EXPECT_EQ(0, f.offsetY);
    f = FitToClient(45, 45, 90, 90);
    EXPECT_FLOAT_EQ(0.5f, f.scale);
    EXPECT_EQ(0, f.offsetX);
    EXPECT_EQ(0, f.offsetY);
}

TEST(PictureFit, SmallImagesAreEnlarged) {
    const PictureFit f = FitToClient(16, 16, 4, 2);
    EXPECT_FLOAT_EQ(4.0f, f.scale);
    EXPECT_EQ(4, f.offsetY);
}

TEST(PictureFit, OtherOffsetDoesNotCarryOverFromAnEarlierImage) {
    // A control that showed a tall image and then a wide one centres only the wide one.
    const PictureFit tall = FitToClient(100, 100, 10, 50);
    EXPECT_EQ(40, tall.offsetX);
    const PictureFit wide = FitToClient(100, 100, 50, 10);
    EXPECT_EQ(0, wide.offsetX);
    EXPECT_EQ(40, wide.offsetY);
}

TEST(PictureFit, NonSquareClientNeverCropsThePicture) {
    // The add-face preview is 113 x 98.
    const PictureFit f = FitToClient(113, 98, 100, 90);
    EXPECT_LE(f.scale * 90.0f, 98.0f + 1e-4f);
    EXPECT_LE(f.scale * 100.0f, 113.0f + 1e-4f);
    EXPECT_GE(f.offsetX, 0);
    EXPECT_EQ(0, f.offsetY);
}

TEST(PictureFit, EmptyImageOrClientGivesAHarmlessFit) {
    PictureFit f = FitToClient(45, 45, 0, 10);
    EXPECT_FLOAT_EQ(1.0f, f.scale);
    EXPECT_EQ(0, f.offsetX);
    f = FitToClient(45, 45, 10, 0);
    EXPECT_FLOAT_EQ(1.0f, f.scale);
    f = FitToClient(0, 0, 10, 10);
    EXPECT_FLOAT_EQ(0.0f, f.scale);
    f = FitToClient(45, 45, 65535, 1);
    EXPECT_GT(f.scale, 0.0f);
    EXPECT_EQ(22, f.offsetY);
}

TEST(PreviewFit, SmallPictureIsShownAtItsOwnSizeCentred) {
    const PictureFit cell = FitToClient(45, 45, 24, 20);
    const PictureFit p = FitForPreview(cell, 90, 90, 24, 20);
    EXPECT_FLOAT_EQ(1.0f, p.scale);
    EXPECT_EQ(33, p.offsetX);
    EXPECT_EQ(35, p.offsetY);
}

TEST(PreviewFit, LargePictureIsTheCellViewDoubled) {
    const PictureFit cell = FitToClient(45, 45, 120, 60);
    const PictureFit p = FitForPreview(cell, 90, 90, 120, 60);
    EXPECT_FLOAT_EQ(0.75f, p.scale);
    EXPECT_EQ(0, p.offsetX);
    EXPECT_EQ(2 * cell.offsetY, p.offsetY);
    // The doubled view fits the 90 x 90 preview.
    const PixelRect r = PlacePicture(p, 120, 60);
    EXPECT_LE(r.x + r.width, 90);
    EXPECT_LE(r.y + r.height, 90);
    // Touching an edge in one direction is enough to be "not smaller".
    const PictureFit edge = FitForPreview(cell, 90, 90, 90, 10);
    EXPECT_FLOAT_EQ(cell.scale * 2, edge.scale);
}

TEST(FramePlacement, OffsetsAreWindowPixelsForFramesAndPicturesAlike) {
    const PictureFit f = FitToClient(100, 100, 40, 20);
    EXPECT_EQ((PixelRect{0, 25, 100, 50}), PlacePicture(f, 40, 20));
    // A frame covering the whole screen lands exactly where the single picture would.
    EXPECT_EQ(PlacePicture(f, 40, 20), PlaceFrame(f, 0, 0, 40, 20));
    EXPECT_EQ((PixelRect{25, 35, 25, 10}), PlaceFrame(f, 10, 4, 10, 4));
}

TEST(FramePlacement, NeighbouringFramesStillTouchAfterScaling) {
    const PictureFit f = FitToClient(45, 45, 7, 7);  // scale 6.43
    const PixelRect a = PlaceFrame(f, 0, 0, 3, 7);
    const PixelRect b = PlaceFrame(f, 3, 0, 4, 7);
    EXPECT_EQ(a.x + a.width, b.x);
    EXPECT_EQ(45, b.x + b.width);
}
