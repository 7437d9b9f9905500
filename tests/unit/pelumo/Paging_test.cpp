#include <gtest/gtest.h>

#include "Paging.h"

namespace {

TEST(Paging, LastPageAndClampingAtTheBoundaries) {
    EXPECT_EQ(paging::LastPage(0, 40), -1);  // an empty view has no page
    EXPECT_EQ(paging::LastPage(1, 40), 0);
    EXPECT_EQ(paging::LastPage(40, 40), 0);
    EXPECT_EQ(paging::LastPage(41, 40), 1);
    EXPECT_EQ(paging::LastPage(95, 40), 2);
    EXPECT_EQ(paging::LastPage(80, 40), 1);
    EXPECT_EQ(paging::LastPage(5, 0), -1);
    EXPECT_EQ(paging::ClampPage(2, 41, 40), 1);  // next twice on 41 faces stays on page 2
    EXPECT_EQ(paging::ClampPage(-1, 95, 40), 2);
    EXPECT_EQ(paging::ClampPage(1, 95, 40), 1);
    EXPECT_EQ(paging::ClampPage(0, 0, 40), -1);
}

TEST(Paging, LabelShowsPageAndPageCount) {
    EXPECT_EQ(paging::Label(0, 41, 40), "[页:1/2]");
    EXPECT_EQ(paging::Label(2, 95, 40), "[页:3/3]");
    EXPECT_EQ(paging::Label(-1, 0, 40), "[页:0/0]");
}

TEST(Paging, ButtonsShowOnlyForPagesThatExist) {
    EXPECT_FALSE(paging::ButtonVisible(1, 40, 40));
    EXPECT_FALSE(paging::ButtonVisible(2, 40, 40));
    EXPECT_TRUE(paging::ButtonVisible(1, 41, 40));
    EXPECT_TRUE(paging::ButtonVisible(2, 41, 40));
    EXPECT_FALSE(paging::ButtonVisible(3, 80, 40));
    EXPECT_TRUE(paging::ButtonVisible(3, 81, 40));
    EXPECT_TRUE(paging::ButtonVisible(9, 321, 40));
    EXPECT_FALSE(paging::ButtonVisible(9, 320, 40));
    EXPECT_FALSE(paging::ButtonVisible(9, 2000000000, 300000000));  // no overflow
}

TEST(Paging, ResizeKeepsTheFirstFaceOnThePage) {
    const paging::Grid g = paging::GridForPanel(5 * 46 - 1, 8 * 46 - 1);
    EXPECT_EQ(g.columns, 5);
    EXPECT_EQ(g.rows, 8);
    const paging::Grid wider = paging::GridForPanel(5 * 46 - 1 + 46, 8 * 46 - 1);
    EXPECT_EQ(wider.columns, 6);
    // The panel as the grid sizes it (5 x 46 by 8 x 46) keeps 5 x 8; 46 more is one column.
    EXPECT_EQ(paging::GridForPanel(5 * 46, 8 * 46).columns, 5);
    EXPECT_EQ(paging::GridForPanel(5 * 46, 8 * 46).rows, 8);
    EXPECT_EQ(paging::GridForPanel(6 * 46, 8 * 46).columns, 6);
    EXPECT_EQ(paging::GridForPanel(6 * 46 - 2, 8 * 46).columns, 5);
    EXPECT_EQ(paging::GridForPanel(-5, 0).columns, 0);
    EXPECT_EQ(paging::GridForPanel(0, 44).rows, 0);
    EXPECT_EQ(paging::GridForPanel(1 << 30, 1 << 30).columns, paging::kMaxGrid);
    // Page 2 of 40 starts at face 80; with 48 per page face 80 sits on page 1 (48..95).
    EXPECT_EQ(paging::PageAfterResize(2, 40, 48), 1);
    EXPECT_EQ(paging::PageAfterResize(1, 48, 40), 1);
    EXPECT_EQ(paging::PageAfterResize(0, 40, 48), 0);
    EXPECT_EQ(paging::PageAfterResize(-1, 40, 48), -1);
    EXPECT_EQ(paging::PageAfterResize(3, 40, 0), 0);
}

}  // namespace
