// The faces of the page the editor shows: which cell holds which face, at which
// position, and which cells the user selected. Selection never spans pages: filling
// the grid with a page clears it.
#pragma once
#include <string>
#include <vector>

#include "FaceRecords.h"

namespace editor {

struct GridCell {
    int position = -1;  // row in `orderid` order; -1 for an empty cell
    std::string digest;
    std::string name;
    bool selected = false;
    bool Filled() const { return position >= 0; }
};

class GridPage {
public:
    explicit GridPage(int cells);

    // Cells 0 ... rows-1 take the rows, from `firstPosition` on; the rest are cleared.
    void Fill(const std::vector<FaceRow>& rows, int firstPosition);
    void Clear();

    int CellCount() const { return static_cast<int>(m_cells.size()); }
    const GridCell& Cell(int i) const { return m_cells[static_cast<size_t>(i)]; }
    bool IsFilled(int i) const { return i >= 0 && i < CellCount() && Cell(i).Filled(); }

    // A click on a filled cell toggles it; empty cells cannot be selected.
    bool Toggle(int i);
    void SelectAll();
    std::vector<std::string> SelectedDigests() const;  // grid order
    int SelectedCount() const;

    // An in-page exchange: the two cells trade faces and selection; positions stay.
    bool SwapContents(int a, int b);
    void SetName(int i, const std::string& name);

private:
    std::vector<GridCell> m_cells;
};

}  // namespace editor
