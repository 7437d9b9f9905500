// Owner of an image list (HIMAGELIST) with the few operations the programs use.
// Controls given the list do not own it (ListView::SetImageList makes sure).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "winfx/Unique.h"

namespace winfx {

class ImageList {
public:
    ImageList() noexcept = default;
    // The category list: ImageList(16, 16, ILC_COLOR32 | ILC_MASK, 0, 4).
    ImageList(int cx, int cy, UINT flags, int initial, int grow) noexcept
        : m_list(ImageList_Create(cx, cy, flags, initial, grow)) {}

    HIMAGELIST Get() const noexcept { return m_list.Get(); }
    explicit operator bool() const noexcept { return static_cast<bool>(m_list); }

    // Each returns the new image's index, or -1. The list copies the pictures; the
    // masked forms also turn the mask-coloured pixels of bmp black (as the system does).
    int Add(HBITMAP bmp, HBITMAP mask = nullptr) const noexcept { return ImageList_Add(Get(), bmp, mask); }
    int AddMasked(HBITMAP bmp, COLORREF maskColour) const noexcept { return ImageList_AddMasked(Get(), bmp, maskColour); }
    int AddIcon(HICON icon) const noexcept { return ImageList_ReplaceIcon(Get(), -1, icon); }
    bool Replace(int index, HBITMAP bmp, HBITMAP mask = nullptr) const noexcept {
        return ImageList_Replace(Get(), index, bmp, mask) != FALSE;
    }
    // Replaces with a masked bitmap: the colour becomes transparent, as in AddMasked.
    bool ReplaceMasked(int index, HBITMAP bmp, COLORREF maskColour) const noexcept;
    bool Remove(int index) const noexcept { return ImageList_Remove(Get(), index) != FALSE; }
    void Clear() const noexcept { ImageList_Remove(Get(), -1); }
    int Count() const noexcept { return ImageList_GetImageCount(Get()); }
    bool Draw(int index, HDC hdc, int x, int y, UINT style = ILD_TRANSPARENT) const noexcept {
        return ImageList_Draw(Get(), index, hdc, x, y, style) != FALSE;
    }

private:
    UniqueImageList m_list;
};

}  // namespace winfx
