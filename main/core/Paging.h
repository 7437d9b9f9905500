// Page arithmetic of the picker's views: which page is shown, the page label, which page
// buttons show, and the grid and page after a resize.
#pragma once
#include <string>

namespace paging {

constexpr int kPitch = 46;  // cell pitch of the faces grid
constexpr int kMaxPageButtons = 9;
constexpr int kMaxGrid = 64;  // columns or rows: a huge window must not make thousands of cells

// total / pageSize, less one when total is a multiple of it: -1 for an empty view.
int LastPage(int total, int pageSize);
// The requested page, or the last page when it is past the end or negative.
int ClampPage(int page, int total, int pageSize);
// "[页:%d/%d]": current page + 1 and the number of pages.
std::string Label(int currentPage, int total, int pageSize);
// Page button k (1 ... 9) shows when total > pageSize * max(k - 1, 1); "上页"/"下页" with k = 1.
bool ButtonVisible(int k, int total, int pageSize);

struct Grid {
    int columns = 0;
    int rows = 0;
};
// The grid that fills a panel of this client size.
Grid GridForPanel(int width, int height);
// The page that keeps the first face of oldPage in view after the page size changes.
int PageAfterResize(int oldPage, int oldPageSize, int newPageSize);

}  // namespace paging
