#include "DockGeometry.h"

#include <cstdlib>

namespace fakeqq {

Side DockedSide(const Box& chat, const Box& other, int tolerance) {
    if (chat.Empty() || other.Empty()) return Side::None;
    const bool overlapsVertically = other.top < chat.bottom && other.bottom > chat.top;
    const bool overlapsHorizontally = other.left < chat.right && other.right > chat.left;
    if (overlapsVertically && std::abs(other.right - chat.left) <= tolerance) return Side::Left;
    if (overlapsVertically && std::abs(other.left - chat.right) <= tolerance) return Side::Right;
    if (overlapsHorizontally && std::abs(other.bottom - chat.top) <= tolerance) return Side::Top;
    if (overlapsHorizontally && std::abs(other.top - chat.bottom) <= tolerance) return Side::Bottom;
    return Side::None;
}

const char* SideName(Side side) {
    switch (side) {
        case Side::Left: return "left";
        case Side::Right: return "right";
        case Side::Top: return "top";
        case Side::Bottom: return "bottom";
        case Side::None: break;
    }
    return "none";
}

}  // namespace fakeqq
