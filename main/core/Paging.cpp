#include "Paging.h"

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

int PageAfterResize(int oldPage, int oldPageSize, int newPageSize) {
    if (newPageSize <= 0 || oldPage < 0) return oldPage < 0 ? oldPage : 0;
    return static_cast<int>(static_cast<long long>(oldPage) * oldPageSize / newPageSize);
}

}  // namespace paging
