// Category icons: the stored 16 x 16 JPEG (or any picture the system decodes) as a
// bitmap for the selector's image list.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "winfx/Unique.h"

// Null when the bytes are empty or no picture.
winfx::UniqueBitmap DecodeCategoryIcon(const std::vector<uint8_t>& bytes, int size);
