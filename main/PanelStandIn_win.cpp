#include "PanelStandIn_win.h"

bool CMienkosPanel::Create(HWND parent, const RECT& rect, UINT id) {
    winfx::WindowArgs a;
    a.className = "PelumoPanelStandIn";
    a.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
    a.parent = parent;
    a.idOrMenu = id;
    a.x = rect.left;
    a.y = rect.top;
    a.width = rect.right - rect.left;
    a.height = rect.bottom - rect.top;
    a.background = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    return Window::Create(a);
}

bool CMienkosPanel::AddCell(int i) {
    auto cell = std::make_unique<Cell>();
    const int x = 46 * (i % m_columns), y = 46 * (i / m_columns);
    if (!cell->picture.Create(Hwnd(), RECT{x, y, x + 45, y + 45}, 0xFFFF)) return false;
    m_cells.push_back(std::move(cell));
    return true;
}

bool CMienkosPanel::CreateGrid(int columns, int rows, int pageSize, PanelOwner*) {
    m_cells.clear();
    m_columns = columns;
    m_rows = rows;
    m_pageSize = pageSize;
    if (columns * rows == 0) return true;
    SetWindowPos(Hwnd(), nullptr, 0, 0, columns * 46, rows * 46, SWP_NOMOVE | SWP_NOZORDER);
    for (int i = 0; i < columns * rows; ++i)
        if (!AddCell(i)) return false;
    return true;
}

bool CMienkosPanel::RelayoutGrid(int columns, int rows, PanelOwner*) {
    if (columns <= 0) return false;
    m_columns = columns;
    m_rows = rows;
    for (int i = 0; i < CellCount(); ++i) {
        const int x = 46 * (i % columns), y = 46 * (i / columns);
        SetWindowPos(m_cells[static_cast<size_t>(i)]->picture.GetHwnd(), nullptr, x, y, 45, 45,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (int i = CellCount(); i < columns * rows; ++i)
        if (!AddCell(i)) return false;
    return true;
}

void CMienkosPanel::ShowCells(int count) {
    for (int i = 0; i < CellCount(); ++i)
        ShowWindow(m_cells[static_cast<size_t>(i)]->picture.GetHwnd(), i < count ? SW_SHOW : SW_HIDE);
    m_pageSize = count;
}

bool CMienkosPanel::LoadFace(int cell, PanelFace face) {
    if (cell < 0 || cell >= CellCount() || cell >= m_pageSize) return false;
    Cell& c = *m_cells[static_cast<size_t>(cell)];
    c.picture.SetStillImage(face.thumbnail);
    c.face = std::move(face);
    c.hasFace = true;
    InvalidateRect(c.picture.GetHwnd(), nullptr, TRUE);
    return true;
}

void CMienkosPanel::ClearFrom(int firstCell) {
    for (int i = firstCell < 0 ? 0 : firstCell; i < CellCount(); ++i) {
        Cell& c = *m_cells[static_cast<size_t>(i)];
        c.picture.SetStillImage({});
        c.face = PanelFace{};
        c.hasFace = false;
        InvalidateRect(c.picture.GetHwnd(), nullptr, TRUE);
    }
}

const PanelFace* CMienkosPanel::Face(int cell) const {
    if (cell < 0 || cell >= CellCount() || !m_cells[static_cast<size_t>(cell)]->hasFace) return nullptr;
    return &m_cells[static_cast<size_t>(cell)]->face;
}

HWND CMienkosPanel::CellHwnd(int cell) const {
    if (cell < 0 || cell >= CellCount()) return nullptr;
    return m_cells[static_cast<size_t>(cell)]->picture.GetHwnd();
}
