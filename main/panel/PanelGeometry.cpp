#include "PanelGeometry.h"

#include <algorithm>

namespace panel {

CellPlace CellOrigin(int index, int columns) {
    if (columns <= 0 || index < 0)
        return {};
    return {kPitch * (index % columns), kPitch * (index / columns)};
}

GridSize ClampGrid(int columns, int rows) {
    return {std::clamp(columns, 0, kMaxColumns), std::clamp(rows, 0, kMaxRows)};
}

GridSize GridForSize(int width, int height) {
    // Negative sizes (a window dragged below nothing) give an empty grid, not a negative one.
    const int columns = width < 0 ? 0 : (width + 1) / kPitch;
    const int rows = height < 0 ? 0 : (height + 1) / kPitch;
    return ClampGrid(columns, rows);
}

}  // namespace panel
