// Turns a face picture into the small JPEG images the library stores beside it:
// the 45x45 thumbnail of every face and the 16x16 icon of a category.
// The Windows programs render through the animated picture control; tests use a fake.
#pragma once
#include <cstdint>
#include <vector>

class FaceRenderer {
public:
    virtual ~FaceRenderer() = default;
    // Draws the first frame of `picture` (GIF, JPEG or BMP bytes) into a size x size
    // surface and encodes it as JPEG into `jpeg`. False when the picture cannot be drawn.
    virtual bool RenderJpeg(const std::vector<uint8_t>& picture, int size,
                            std::vector<uint8_t>& jpeg) = 0;
};
