#include "DockGeometry.h"

#include <algorithm>
#include <climits>

namespace dock {
namespace {

int Clamp(long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

long long DockedX(const Rect& chat, long long width, Side side) {
    return side == Side::Left ? static_cast<long long>(chat.left) - width : chat.right;
}

}  // namespace

Point ToolbarPosition(const Rect& chat, const Rect& toolbar, Side side) {
    return Point{Clamp(DockedX(chat, toolbar.Width(), side)),
                 Clamp(static_cast<long long>(chat.bottom) - toolbar.Height() - kToolbarOffset)};
}

Rect PanelRect(const Rect& chat, const Rect& mainWindow, Side side) {
    const long long x = DockedX(chat, mainWindow.Width(), side);
    return Rect{Clamp(x), chat.top, Clamp(x + mainWindow.Width()), chat.bottom};
}

}  // namespace dock
