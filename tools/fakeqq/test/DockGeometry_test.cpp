// Docked means touching an edge of the chat window and overlapping it along that edge.
#include "DockGeometry.h"

#include <gtest/gtest.h>

using namespace fakeqq;

namespace {
const Box kChat{100, 100, 500, 400};
}

TEST(DockGeometry, EachSideIsRecognised) {
    EXPECT_EQ(DockedSide(kChat, {60, 300, 100, 364}, 0), Side::Left);     // toolbar, left
    EXPECT_EQ(DockedSide(kChat, {500, 100, 800, 400}, 0), Side::Right);   // main window, right
    EXPECT_EQ(DockedSide(kChat, {100, 50, 300, 100}, 0), Side::Top);
    EXPECT_EQ(DockedSide(kChat, {200, 400, 300, 450}, 0), Side::Bottom);
}

TEST(DockGeometry, ToleranceIsInclusiveOnBothSidesOfTheEdge) {
    EXPECT_EQ(DockedSide(kChat, {502, 100, 800, 400}, 2), Side::Right);
    EXPECT_EQ(DockedSide(kChat, {498, 100, 800, 400}, 2), Side::Right);
    EXPECT_EQ(DockedSide(kChat, {503, 100, 800, 400}, 2), Side::None);
    EXPECT_EQ(DockedSide(kChat, {502, 100, 800, 400}, 0), Side::None);
}

TEST(DockGeometry, TouchingOnlyAtACornerOrBesideTheSpanIsNotDocked) {
    EXPECT_EQ(DockedSide(kChat, {500, 400, 600, 500}, 0), Side::None);  // corner
    EXPECT_EQ(DockedSide(kChat, {500, 0, 600, 100}, 0), Side::None);    // above the right edge
    EXPECT_EQ(DockedSide(kChat, {500, 401, 600, 500}, 0), Side::None);
}

TEST(DockGeometry, FarAwayOverlappingAndEmptyWindowsAreNotDocked) {
    EXPECT_EQ(DockedSide(kChat, {900, 100, 1000, 400}, 2), Side::None);
    EXPECT_EQ(DockedSide(kChat, {200, 200, 300, 300}, 2), Side::None);
    EXPECT_EQ(DockedSide(kChat, {500, 200, 500, 300}, 2), Side::None);
    EXPECT_EQ(DockedSide(Box{}, {500, 200, 600, 300}, 2), Side::None);
}

TEST(DockGeometry, SideNames) {
    EXPECT_STREQ(SideName(Side::Left), "left");
    EXPECT_STREQ(SideName(Side::Right), "right");
    EXPECT_STREQ(SideName(Side::None), "none");
}
