// The Windows face renderer: draws the first frame through a hidden picture control and
// encodes it with the GDI+ JPEG encoder at its default settings.
#pragma once
#include <windows.h>

#include "facedb/FaceRenderer.h"

class PictureFaceRenderer : public FaceRenderer {
public:
    static constexpr int kMaxSize = 1024;

    PictureFaceRenderer();
    ~PictureFaceRenderer() override;
    PictureFaceRenderer(const PictureFaceRenderer&) = delete;
    PictureFaceRenderer& operator=(const PictureFaceRenderer&) = delete;

    // size is 45 for thumbnails and 16 for category icons; up to kMaxSize.
    bool RenderJpeg(const std::vector<uint8_t>& picture, int size,
                    std::vector<uint8_t>& jpeg) override;

private:
    ULONG_PTR m_gdiplus = 0;
    bool m_started = false;
};
