// The browser's box inside the online download window.
#include <gtest/gtest.h>

#include "BrowserLayout.h"

namespace onlinedown {
namespace {

TEST(BrowserBox, SitsBelowTheTopBitmapAboveTheBottomOneAndFourPixelsIn) {
    const Box b = BrowserBox(482, 440, 26, 8);
    EXPECT_EQ(b.left, 4);
    EXPECT_EQ(b.top, 28);
    EXPECT_EQ(b.right, 478);
    EXPECT_EQ(b.bottom, 432);
}

TEST(BrowserBox, SkinWithoutBitmapsLeavesOnlyTheGapAndSideMargins) {
    const Box b = BrowserBox(100, 50, 0, 0);
    EXPECT_EQ(b.top, 2);
    EXPECT_EQ(b.bottom, 50);
    EXPECT_EQ(b.left, 4);
    EXPECT_EQ(b.right, 96);
}

TEST(BrowserBox, TooSmallAWindowGivesAnEmptyBoxNeverAnInvertedOne) {
    const Box b = BrowserBox(6, 20, 26, 8);
    EXPECT_EQ(b.right, b.left);
    EXPECT_EQ(b.bottom, b.top);
    const Box z = BrowserBox(0, 0, 0, 0);
    EXPECT_GE(z.right, z.left);
    EXPECT_GE(z.bottom, z.top);
}

}  // namespace
}  // namespace onlinedown
