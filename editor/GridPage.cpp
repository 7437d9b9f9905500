#include "GridPage.h"

#include <utility>

namespace editor {

GridPage::GridPage(int cells) : m_cells(static_cast<size_t>(cells < 0 ? 0 : cells)) {}

void GridPage::Clear() {
    for (GridCell& c : m_cells) c = GridCell{};
}

void GridPage::Fill(const std::vector<FaceRow>& rows, int firstPosition) {
    Clear();
    for (size_t i = 0; i < rows.size() && i < m_cells.size(); ++i) {
        GridCell& c = m_cells[i];
        c.position = firstPosition + static_cast<int>(i);
        c.digest = rows[i].digest;
        c.name = rows[i].name;
    }
}

bool GridPage::Toggle(int i) {
    if (!IsFilled(i)) return false;
    GridCell& c = m_cells[static_cast<size_t>(i)];
    c.selected = !c.selected;
    return true;
}

void GridPage::SelectAll() {
    for (GridCell& c : m_cells) c.selected = c.Filled();
}

std::vector<std::string> GridPage::SelectedDigests() const {
    std::vector<std::string> out;
    for (const GridCell& c : m_cells)
        if (c.Filled() && c.selected) out.push_back(c.digest);
    return out;
}

int GridPage::SelectedCount() const { return static_cast<int>(SelectedDigests().size()); }

bool GridPage::SwapContents(int a, int b) {
    if (!IsFilled(a) || !IsFilled(b)) return false;
    GridCell& x = m_cells[static_cast<size_t>(a)];
    GridCell& y = m_cells[static_cast<size_t>(b)];
    std::swap(x.digest, y.digest);
    std::swap(x.name, y.name);
    std::swap(x.selected, y.selected);
    return true;
}

void GridPage::SetName(int i, const std::string& name) {
    if (IsFilled(i)) m_cells[static_cast<size_t>(i)].name = name;
}

}  // namespace editor
