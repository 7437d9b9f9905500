#include "PictureFit.h"

#include <algorithm>
#include <cmath>

namespace {

// Truncation towards zero, like the float-to-int conversion the offsets always had;
// clamped so that absurd sizes cannot overflow.
int Truncate(double v) {
    v = std::max(-1e9, std::min(1e9, v));
    return static_cast<int>(v);
}

}  // namespace

PictureFit FitToClient(int clientWidth, int clientHeight, int imageWidth, int imageHeight) {
    PictureFit fit;
    if (imageWidth <= 0 || imageHeight <= 0 || clientWidth < 0 || clientHeight < 0)
        return fit;
    // The smaller of the two ratios: on a square client this is the ratio of the longer
    // image side, and a non-square client never crops the picture.
    const float byWidth = static_cast<float>(clientWidth) / static_cast<float>(imageWidth);
    const float byHeight = static_cast<float>(clientHeight) / static_cast<float>(imageHeight);
    fit.scale = std::min(byWidth, byHeight);
    fit.offsetX = Truncate((clientWidth - static_cast<double>(fit.scale) * imageWidth) * 0.5);
    fit.offsetY = Truncate((clientHeight - static_cast<double>(fit.scale) * imageHeight) * 0.5);
    return fit;
}

PictureFit FitForPreview(const PictureFit& cell, int previewWidth, int previewHeight,
                         int imageWidth, int imageHeight) {
    PictureFit fit;
    if (imageWidth < previewWidth && imageHeight < previewHeight) {
        fit.offsetX = (previewWidth - imageWidth) / 2;
        fit.offsetY = (previewHeight - imageHeight) / 2;
        return fit;
    }
    fit.scale = cell.scale * 2.0f;
    fit.offsetX = cell.offsetX * 2;
    fit.offsetY = cell.offsetY * 2;
    return fit;
}

// Both edges are scaled and rounded, so that frames which touch in the image still touch
// on the screen.
PixelRect PlaceFrame(const PictureFit& fit, int left, int top, int width, int height) {
    const double s = fit.scale;
    const int x0 = Truncate(std::floor(left * s + 0.5));
    const int y0 = Truncate(std::floor(top * s + 0.5));
    const int x1 = Truncate(std::floor((static_cast<double>(left) + width) * s + 0.5));
    const int y1 = Truncate(std::floor((static_cast<double>(top) + height) * s + 0.5));
    return {fit.offsetX + x0, fit.offsetY + y0, x1 - x0, y1 - y0};
}

PixelRect PlacePicture(const PictureFit& fit, int width, int height) {
    return PlaceFrame(fit, 0, 0, width, height);
}
