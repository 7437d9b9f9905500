#include "BrowserLayout.h"

namespace onlinedown {

Box BrowserBox(int clientWidth, int clientHeight, int topHeight, int bottomHeight) {
    Box b{0, 0, clientWidth, clientHeight};
    b.top += topHeight + 2;
    b.bottom -= bottomHeight;
    b.left += 4;
    b.right -= 4;
    if (b.right < b.left) b.right = b.left;
    if (b.bottom < b.top) b.bottom = b.top;
    return b;
}

}  // namespace onlinedown
