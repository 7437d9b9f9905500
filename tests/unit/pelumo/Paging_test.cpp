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
    // Page 2 of 40 starts at face 80; with 48 per page face 80 sits on page 1 (48..95).
    EXPECT_EQ(paging::PageAfterResize(2, 40, 48), 1);
    EXPECT_EQ(paging::PageAfterResize(1, 48, 40), 1);
    EXPECT_EQ(paging::PageAfterResize(0, 40, 48), 0);
    EXPECT_EQ(paging::PageAfterResize(-1, 40, 48), -1);
    EXPECT_EQ(paging::PageAfterResize(3, 40, 0), 0);
}

}  // namespace
