// A face's thumbnail decoded once into a bitmap of the cell's size, as the cell shows it:
// the picture stretched over the whole cell on white, drawn by the system picture loader.
// Immutable once made, so every cell showing the face (and a cache) may share one; a
// bitmap lives in one DC at a time, so it is selected only for the length of a blit.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstddef>
#include <memory>

#include "winfx/Com.h"
#include "winfx/Unique.h"

namespace widgets {

class CellBitmap {
public:
    static constexpr int kMaxSide = 4096;

    // Null for bytes the picture loader cannot read. A size of 0 x 0 takes the picture's
    // own size in screen pixels; sides are capped at kMaxSide.
    static std::shared_ptr<const CellBitmap> Decode(const void* data, size_t size, int width, int height);

    CellBitmap(winfx::UniqueBitmap bitmap, int width, int height)
        : m_bitmap(std::move(bitmap)), m_width(width), m_height(height) {}
    HBITMAP Get() const { return m_bitmap.Get(); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Copies the part of the bitmap at `from` to `to` in `target` through `scratch`, a
    // memory DC with nothing of its own selected; stretched when the sizes differ.
    bool Blit(HDC target, const RECT& to, HDC scratch, const RECT& from) const;

private:
    winfx::UniqueBitmap m_bitmap;
    int m_width;
    int m_height;
};

// The system picture loader on a copy of the bytes; null when it cannot read them.
winfx::ComPtr<IPicture> LoadPicture(const void* data, size_t size);
// A picture's size in pixels of `dc` (96 dpi without one); its size in HIMETRIC in `himetric`.
SIZE PicturePixels(IPicture& picture, HDC dc, SIZE* himetric = nullptr);

}  // namespace widgets
