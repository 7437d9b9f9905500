// Uncompressed 24-bit Windows bitmap files, the format every skin reader loads.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "Raster.h"

namespace skinart {

std::vector<uint8_t> EncodeBmp(const Bitmap& bitmap);
bool WriteBmp(const std::string& path, const Bitmap& bitmap);

// Reads what EncodeBmp writes (24-bit, uncompressed, either row order);
// false for anything else or a truncated file.
// A Windows icon file holding one 32-bit image of the bitmap; magenta pixels are
// transparent (alpha 0 and set in the mask).
std::vector<uint8_t> EncodeIco(const Bitmap& bitmap);

bool DecodeBmp(const std::vector<uint8_t>& bytes, Bitmap& out);
bool ReadBmp(const std::string& path, Bitmap& out);

}  // namespace skinart
