// A minimal baseline JPEG encoder (4:4:4 YCbCr, fixed tables) for sample faces, so that
// the samples need no outside tool. Not meant for photographs or speed.
#pragma once
#include <cstdint>
#include <vector>

namespace samples {

// rgb holds width * height pixels, three bytes each, top row first.
std::vector<uint8_t> WriteJpeg(int width, int height, const std::vector<uint8_t>& rgb);

}  // namespace samples
