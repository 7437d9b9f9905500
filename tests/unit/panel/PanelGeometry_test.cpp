#include <gtest/gtest.h>

#include "PanelGeometry.h"

using namespace panel;

TEST(PanelGeometry, CellsSitOnAFortySixPitchRowByRow) {
    EXPECT_EQ(0, CellOrigin(0, 5).x);
    EXPECT_EQ(4 * 46, CellOrigin(4, 5).x);
    EXPECT_EQ(0, CellOrigin(5, 5).x);
    EXPECT_EQ(46, CellOrigin(5, 5).y);
    EXPECT_EQ(7 * 46, CellOrigin(39, 5).y);
    EXPECT_EQ(4 * 46, CellOrigin(39, 5).x);
    // Degenerate grids never divide by zero.
    EXPECT_EQ(0, CellOrigin(3, 0).x);
    EXPECT_EQ(0, CellOrigin(-1, 5).y);
}

TEST(PanelGeometry, GridForSizeAddsAColumnPerFortySixPixels) {
    // (size + 46) / 46: a panel of 230 x 368 pixels takes 6 x 9 cells (the last ones cut).
    EXPECT_EQ(6, GridForSize(230, 368).columns);
    EXPECT_EQ(9, GridForSize(230, 368).rows);
    EXPECT_EQ(GridForSize(230, 368).columns + 1, GridForSize(230 + 46, 368).columns);
    EXPECT_EQ(GridForSize(230, 368).columns, GridForSize(230 + 45, 368).columns);
    EXPECT_EQ(1, GridForSize(0, 0).columns);
    EXPECT_EQ(0, GridForSize(-47, -1).columns);
    EXPECT_EQ(0, GridForSize(-47, -1).rows);
    EXPECT_EQ(kMaxColumns, GridForSize(1 << 30, 10).columns);
    EXPECT_EQ(kMaxRows, GridForSize(10, 1 << 30).rows);
}

TEST(PanelGeometry, ClampKeepsGridsWithinBounds) {
    EXPECT_EQ(0, ClampGrid(-3, 4).columns);
    EXPECT_EQ(4, ClampGrid(-3, 4).rows);
    EXPECT_EQ(kMaxColumns * kMaxRows, ClampGrid(1000, 1000).Cells());
    EXPECT_EQ(40, ClampGrid(5, 8).Cells());
}
