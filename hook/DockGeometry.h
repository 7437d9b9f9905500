// Where the docked window goes beside a chat window. The toolbar keeps its size and sits with
// its bottom 36 pixels above the chat window's bottom; the main window keeps its width and
// takes the chat window's top and height.
#pragma once
#include "DockProtocol.h"

namespace dock {

constexpr int kToolbarOffset = 36;

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    long long Width() const { return static_cast<long long>(right) - left; }
    long long Height() const { return static_cast<long long>(bottom) - top; }
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

// Results are clamped to the int range, so absurd rectangles never overflow.
Point ToolbarPosition(const Rect& chat, const Rect& toolbar, Side side);
Rect PanelRect(const Rect& chat, const Rect& mainWindow, Side side);

}  // namespace dock
