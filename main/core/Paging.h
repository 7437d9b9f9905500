// Page arithmetic of the picker's views: which page is shown, the page label, which page
// buttons show, and the page after a resize.
#pragma once
#include <string>

namespace paging {

constexpr int kMaxPageButtons = 9;

// total / pageSize, less one when total is a multiple of it: -1 for an empty view.
int LastPage(int total, int pageSize);
// The requested page, or the last page when it is past the end or negative.
int ClampPage(int page, int total, int pageSize);
// "[页:%d/%d]": current page + 1 and the number of pages.
std::string Label(int currentPage, int total, int pageSize);
// Page button k (1 ... 9) shows when total > pageSize * max(k - 1, 1); "上页"/"下页" with k = 1.
bool ButtonVisible(int k, int total, int pageSize);
// The page that keeps the first face of oldPage in view after the page size changes.
int PageAfterResize(int oldPage, int oldPageSize, int newPageSize);

}  // namespace paging
