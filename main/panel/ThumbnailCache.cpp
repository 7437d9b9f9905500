#include "ThumbnailCache.h"

namespace panel {

ThumbnailStamp StampOf(const std::vector<uint8_t>& thumbnail) {
    uint64_t h = 14695981039346656037ull;
    for (uint8_t b : thumbnail) {
        h ^= b;
        h *= 1099511628211ull;
    }
    return ThumbnailStamp{thumbnail.size(), h};
}

}  // namespace panel
