// Page label, page buttons and page arithmetic of the 40-face grid.
#include <gtest/gtest.h>

#include "Paging.h"

using namespace editor;

TEST(Paging, LastPageAndPageCountAtTheBoundaries) {
    EXPECT_EQ(LastPageIndex(0), -1);
    EXPECT_EQ(LastPageIndex(1), 0);
    EXPECT_EQ(LastPageIndex(40), 0);
    EXPECT_EQ(LastPageIndex(41), 1);
    EXPECT_EQ(LastPageIndex(80), 1);
    EXPECT_EQ(PageCount(0), 0);
    EXPECT_EQ(PageCount(40), 1);
    EXPECT_EQ(PageCount(81), 3);
}

TEST(Paging, RequestedPageFallsBackToTheLast) {
    EXPECT_EQ(ClampPage(0, 0), -1);  // empty category
    EXPECT_EQ(ClampPage(0, 100), 0);
    EXPECT_EQ(ClampPage(2, 100), 2);
    EXPECT_EQ(ClampPage(3, 100), 2);
    EXPECT_EQ(ClampPage(-1, 100), 2);
    EXPECT_TRUE(IsPageWithFaces(1, 41));
    EXPECT_FALSE(IsPageWithFaces(1, 40));
    EXPECT_FALSE(IsPageWithFaces(-1, 40));
}

TEST(Paging, LabelCountsFromOne) {
    EXPECT_EQ(PageLabel(ClampPage(0, 0), 0), "第0页/共0页");
    EXPECT_EQ(PageLabel(0, 80), "第1页/共2页");
    EXPECT_EQ(PageLabel(2, 81), "第3页/共3页");
}

TEST(Paging, ControlsShowOnlyForMoreThanOnePage) {
    PagingControls none = VisiblePagingControls(40);
    EXPECT_FALSE(none.previousNext);
    for (bool b : none.pages) EXPECT_FALSE(b);

    PagingControls two = VisiblePagingControls(80);
    EXPECT_TRUE(two.previousNext);
    EXPECT_TRUE(two.pages[0]);
    EXPECT_TRUE(two.pages[1]);
    EXPECT_FALSE(two.pages[2]);

    PagingControls three = VisiblePagingControls(81);
    EXPECT_TRUE(three.pages[2]);
    EXPECT_FALSE(three.pages[3]);

    PagingControls many = VisiblePagingControls(1000);
    for (bool b : many.pages) EXPECT_TRUE(b);
    EXPECT_FALSE(VisiblePagingControls(320).pages[8]);
    EXPECT_TRUE(VisiblePagingControls(321).pages[8]);
}
