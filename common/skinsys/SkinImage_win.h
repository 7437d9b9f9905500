// Bitmap helpers of the skin: loading pictures, cutting pieces, magenta-transparent
// drawing and regions from magenta pixels.
#pragma once
#include <windows.h>

#include <string>

#include "winfx/Unique.h"

// Loads a BMP, GIF or JPEG file through the system picture loader into target (the
// previous bitmap is deleted). Returns the picture's size; {0, 0} and an empty target when
// the file is missing or no picture.
SIZE LoadPictureFile(const std::string& path, winfx::UniqueBitmap& target);

SIZE BitmapSize(HBITMAP bitmap);

// Replaces target by a bitmap compatible with dc holding source's area (left, top) to
// (right, bottom), or all of source when left == right and top == bottom.
void CopyBitmapRect(HDC dc, winfx::UniqueBitmap& target, HBITMAP source, int left, int top,
                    int right, int bottom);

// Copies bitmap onto (left, top, right, bottom) with magenta transparent: scaled when
// stretch is set, else 1:1 and clipped to the target.
void DrawBitmapTransparent(HDC dc, HBITMAP bitmap, bool stretch, int left, int top, int right,
                           int bottom);

// Region of the bitmap's magenta pixels (mode 1) or of all other pixels (mode 0); null when
// the bitmap is missing or no device context could be made.
winfx::UniqueRgn CreateRegionFromBitmap(HBITMAP bitmap, int mode);
