// The Windows face renderer: draws the first frame through a hidden picture control and
// encodes it with the GDI+ JPEG encoder at its default settings.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "facedb/FaceRenderer.h"

class CPictureEx;

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

    // Shown each drawn picture (a DC holding it at 0,0, and its size) before it is encoded:
    // a window showing the face in progress copies it from there instead of drawing again.
    using SurfaceSink = std::function<void(HDC source, int size)>;
    void SetSurfaceSink(SurfaceSink sink) { m_sink = std::move(sink); }

private:
    // The thread that made the renderer keeps one hidden control per size: a new window for
    // every face was about a third of a thumbnail's time. Other threads (the pack import's
    // worker) make one for each call, as their windows must not outlive them.
    CPictureEx* ControlFor(int size, std::unique_ptr<CPictureEx>& temporary);

    ULONG_PTR m_gdiplus = 0;
    bool m_started = false;
    DWORD m_thread = 0;
    SurfaceSink m_sink;
    std::vector<std::pair<int, std::unique_ptr<CPictureEx>>> m_controls;
};
