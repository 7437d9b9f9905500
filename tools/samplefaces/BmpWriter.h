// Uncompressed 24-bit BMP files for sample faces.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace samples {

// rgb holds width * height pixels, three bytes each, top row first.
std::vector<uint8_t> WriteBmp(int width, int height, const std::vector<uint8_t>& rgb);

}  // namespace samples
