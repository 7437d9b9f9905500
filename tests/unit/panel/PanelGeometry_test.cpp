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

TEST(PanelGeometry, GridForSizeKeepsTheGridItsPanelWasMadeFor) {
    // The panel as the grid sizes it (5 x 46 by 8 x 46) keeps 5 x 8, and so does one a pixel
    // short of it (the last cell needs no gap); 46 pixels more is one more column.
    EXPECT_EQ(5, GridForSize(5 * 46, 8 * 46).columns);
    EXPECT_EQ(8, GridForSize(5 * 46, 8 * 46).rows);
    EXPECT_EQ(5, GridForSize(5 * 46 - 1, 8 * 46 - 1).columns);
    EXPECT_EQ(8, GridForSize(5 * 46 - 1, 8 * 46 - 1).rows);
    EXPECT_EQ(6, GridForSize(5 * 46 - 1 + 46, 8 * 46).columns);
    EXPECT_EQ(6, GridForSize(6 * 46, 8 * 46).columns);
    EXPECT_EQ(5, GridForSize(6 * 46 - 2, 8 * 46).columns);
    // Too small for one cell, or negative: no cells.
    EXPECT_EQ(0, GridForSize(0, 44).rows);
    EXPECT_EQ(1, GridForSize(45, 45).rows);
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
