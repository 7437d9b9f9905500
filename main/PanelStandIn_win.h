// Stand-in for the faces panel until the shared one is in: the same calls, thumbnails in
// a grid of picture cells, no gestures.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "PictureEx_win.h"
#include "winfx/Window.h"

struct PanelFace {
    std::string id;
    std::string fileName;
    std::string tip;
    std::vector<uint8_t> thumbnail;
    std::vector<uint8_t> image;
    int row = -1;
};

class PanelOwner {
public:
    virtual ~PanelOwner() = default;
    virtual void OnFaceClick(int) {}
    virtual void OnFaceDoubleClick(int) {}
    virtual void OnFaceRightClick(int, POINT) {}
};

class CMienkosPanel : public winfx::Window {
public:
    bool Create(HWND parent, const RECT& rect, UINT id);
    bool CreateGrid(int columns, int rows, int pageSize, PanelOwner* owner);
    bool RelayoutGrid(int columns, int rows, PanelOwner* owner);
    void ShowCells(int count);
    void SetPressedFrame(bool) {}
    void SetHoverFrame(bool) {}
    void ResetPressed() {}
    int Columns() const { return m_columns; }
    int Rows() const { return m_rows; }
    int CellCount() const { return static_cast<int>(m_cells.size()); }
    int PageSize() const { return m_pageSize; }
    bool LoadFace(int cell, PanelFace face);
    void ClearFrom(int firstCell);
    const PanelFace* Face(int cell) const;
    void StopPreview() {}
    HWND CellHwnd(int cell) const;

private:
    struct Cell {
        CPictureEx picture;
        PanelFace face;
        bool hasFace = false;
    };
    bool AddCell(int index);
    std::vector<std::unique_ptr<Cell>> m_cells;
    int m_columns = 0, m_rows = 0, m_pageSize = 0;
};
