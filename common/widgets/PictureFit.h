// Where a picture goes in a window: one scale for both axes and a centring offset in
// window pixels. Frames of an animation are placed inside the same box.
#pragma once
#include <cstdint>

struct PictureFit {
    float scale = 1.0f;
    int offsetX = 0;
    int offsetY = 0;
};

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect& o) const {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

// Scales the image to touch the client area's edges along its longer side (enlarging
// small images too) and centres it along the other. Offsets are truncated to whole
// pixels. An empty image keeps scale 1 at (0, 0).
PictureFit FitToClient(int clientWidth, int clientHeight, int imageWidth, int imageHeight);

// The enlarged preview of a cell's picture: a picture smaller than the preview in both
// directions at its own size, centred; any other at twice the cell's scale and offsets,
// which is the cell's view doubled.
PictureFit FitForPreview(const PictureFit& cell, int previewWidth, int previewHeight,
                         int imageWidth, int imageHeight);

// Window rectangle of a frame at (left, top) of the logical screen.
PixelRect PlaceFrame(const PictureFit& fit, int left, int top, int width, int height);

// Window rectangle of a whole (single) picture.
PixelRect PlacePicture(const PictureFit& fit, int width, int height);
