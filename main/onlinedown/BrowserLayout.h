// Where the online download window puts its browser: between the skin's caption band and
// its bottom border, 4 pixels in from each side. Portable.
#pragma once

namespace onlinedown {

struct Box {
    int left, top, right, bottom;
};

// client: the dialog's client size; topHeight/bottomHeight: heights of the skin's top and
// bottom bitmaps (0 when the skin has none). Never inverted: a window too small for the
// frame gives an empty box at the frame's edge.
Box BrowserBox(int clientWidth, int clientHeight, int topHeight, int bottomHeight);

// The catalogue page on the maker's web server.
constexpr const char* kCatalogueUrl = "http://www.pelux.example/pelux/facelist.html";

}  // namespace onlinedown
