#include "Paging.h"

#include <cstdio>

namespace editor {

int LastPageIndex(int count) {
    if (count <= 0) return -1;
    return count / kFacesPerPage - (count % kFacesPerPage == 0 ? 1 : 0);
}

int PageCount(int count) { return count <= 0 ? 0 : (count + kFacesPerPage - 1) / kFacesPerPage; }

int ClampPage(int requested, int count) {
    int last = LastPageIndex(count);
    return requested < 0 || requested > last ? last : requested;
}

bool IsPageWithFaces(int page, int count) {
    return page >= 0 && page <= LastPageIndex(count);
}

std::string PageLabel(int page, int count) {
    char text[64];
    std::snprintf(text, sizeof text, "第%d页/共%d页", page + 1, PageCount(count));
    return text;
}

PagingControls VisiblePagingControls(int count) {
    PagingControls c;
    if (count <= kFacesPerPage) return c;
    c.previousNext = true;
    c.pages[0] = c.pages[1] = true;
    for (int k = 3; k <= kPageButtons; ++k) c.pages[k - 1] = count > kFacesPerPage * (k - 1);
    return c;
}

}  // namespace editor
