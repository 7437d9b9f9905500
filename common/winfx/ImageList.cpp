#include "winfx/ImageList.h"

namespace winfx {

bool ImageList::ReplaceMasked(int index, HBITMAP bmp, COLORREF maskColour) const noexcept {
    if (index < 0 || index >= Count()) return false;
    // ImageList_Replace takes a mask, not a mask colour, and 32-bit lists treat masks
    // differently across versions: add the picture masked at the end, then move it
    // over the old one (a copy within one list works everywhere).
    const int added = AddMasked(bmp, maskColour);
    if (added < 0) return false;
    const bool ok = ImageList_Copy(Get(), index, Get(), added, ILCF_MOVE) != FALSE;
    Remove(added);
    return ok;
}

}  // namespace winfx
