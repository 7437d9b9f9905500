#include "Paging.h"

#include <algorithm>
#include <cstdio>

namespace paging {

int LastPage(int total, int pageSize) {
    if (pageSize <= 0) return -1;
    int last = total / pageSize;
    if (total % pageSize == 0) --last;
    return last;
}

int ClampPage(int page, int total, int pageSize) {
    const int last = LastPage(total, pageSize);
    return (page > last || page < 0) ? last : page;
}

std::string Label(int currentPage, int total, int pageSize) {
    const int pages = pageSize > 0 ? (total + pageSize - 1) / pageSize : 0;
    char text[64];
    std::snprintf(text, sizeof text, "[\xE9\xA1\xB5:%d/%d]", currentPage + 1, pages);
    return text;
}

bool ButtonVisible(int k, int total, int pageSize) {
    const long long threshold = static_cast<long long>(pageSize) * (k <= 2 ? 1 : k - 1);
    return total > threshold;
}

// A cell is 45 pixels with a 1-pixel gap after it, so the last one needs only 45: a panel
// of columns x 46 (its size when the grid is made) holds exactly that many columns.
Grid GridForPanel(int width, int height) {
    Grid g;
    g.columns = width < 0 ? 0 : std::min((width + 1) / kPitch, kMaxGrid);
    g.rows = height < 0 ? 0 : std::min((height + 1) / kPitch, kMaxGrid);
    return g;
}

int PageAfterResize(int oldPage, int oldPageSize, int newPageSize) {
    if (newPageSize <= 0 || oldPage < 0) return oldPage < 0 ? oldPage : 0;
    return static_cast<int>(static_cast<long long>(oldPage) * oldPageSize / newPageSize);
}

}  // namespace paging
