// Page arithmetic of the editor's face grid: 40 faces a page, 8 to a row.
#pragma once
#include <array>
#include <string>

namespace editor {

constexpr int kFacesPerPage = 40;
constexpr int kColumns = 8;
constexpr int kRows = kFacesPerPage / kColumns;
constexpr int kPageButtons = 9;

// The index of the last page; -1 for an empty category.
int LastPageIndex(int count);
int PageCount(int count);  // count / 40 rounded up
// The page a category opens at: `requested`, or the last page when it is negative or
// beyond the last one.
int ClampPage(int requested, int count);
// A page change is made only to a page that holds faces.
bool IsPageWithFaces(int page, int count);
// "第%d页/共%d页" with page + 1 and the page count; an empty category reads 第0页/共0页.
std::string PageLabel(int page, int count);

struct PagingControls {
    bool previousNext = false;                  // "上页", "下页"
    std::array<bool, kPageButtons> pages{};     // "1" ... "9"
};
// Paging shows only with more than one page; button k only when page k exists.
PagingControls VisiblePagingControls(int count);

// Position of cell `cell` of page `page`.
inline int PositionOf(int page, int cell) { return page * kFacesPerPage + cell; }
inline int PageOf(int position) { return position / kFacesPerPage; }

}  // namespace editor
