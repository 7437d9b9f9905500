// Where the faces panel puts its cells: a grid of 45 x 45 cells on a 46-pixel pitch, and
// the 91 x 91 preview in a top corner.
#pragma once

namespace panel {

constexpr int kPitch = 46;        // one pixel of gap right of and below each cell
constexpr int kCellSize = 45;
constexpr int kPreviewSize = 91;  // window; it draws into a 90 x 90 surface
constexpr int kPreviewSurface = 90;
// A grid is never made larger than this; a huge window must not create thousands of cells.
constexpr int kMaxColumns = 64;
constexpr int kMaxRows = 64;

struct GridSize {
    int columns = 0;
    int rows = 0;
    int Cells() const { return columns * rows; }
};

struct CellPlace {
    int x = 0;
    int y = 0;
};

// Top-left corner of cell `index` in a grid of `columns` (0 columns: everything at 0, 0).
CellPlace CellOrigin(int index, int columns);

// The grid that fills a panel client area of width x height: (size + 1) / 46 each way,
// clamped to 0 ... kMax*. A cell needs 45 pixels, the gap only between cells, so a panel of
// exactly columns x 46 (its size when the grid is made) keeps that many columns.
GridSize GridForSize(int width, int height);

// Clamps a requested grid to 0 ... kMax* each way.
GridSize ClampGrid(int columns, int rows);

}  // namespace panel
