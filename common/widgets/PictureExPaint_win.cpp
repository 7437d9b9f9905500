// Painting: a playing control copies its off-screen surface; a cell shows its thumbnail
// (or what was drawn on its surface) with the hover or mark frame.
#include "PictureEx_win.h"

namespace {

// Double-buffers a paint so that a cell's picture and frame appear together.
class BufferedPaint {
public:
    BufferedPaint(HDC target, const RECT& r) : m_target(target), m_rect(r) {
        m_ok = m_buffer.Create(r.right - r.left, r.bottom - r.top);
    }
    ~BufferedPaint() {
        if (m_ok)
            BitBlt(m_target, m_rect.left, m_rect.top, m_buffer.Width(), m_buffer.Height(),
                   m_buffer.Dc(), 0, 0, SRCCOPY);
    }
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;
    HDC Dc() const { return m_ok ? m_buffer.Dc() : m_target; }

private:
    HDC m_target;
    RECT m_rect;
    widgets::Surface m_buffer;
    bool m_ok = false;
};

}  // namespace

void CPictureEx::OnPaint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Hwnd(), &ps);
    if (dc) {
        const RECT client = ClientRect();
        if (m_bAnimate)
            PaintPlaying(dc, client);
        else
            PaintCell(dc, client);
    }
    EndPaint(Hwnd(), &ps);
}

void CPictureEx::PaintPlaying(HDC dc, const RECT& client) {
    {
        std::lock_guard<std::mutex> lock(m_surfaceLock);
        const bool useCopyRect = !IsRectEmpty(&m_copyRect);
        const int w = useCopyRect ? m_copyRect.right - m_copyRect.left : m_imageSize.cx;
        const int h = useCopyRect ? m_copyRect.bottom - m_copyRect.top : m_imageSize.cy;
        // Without a picture (a preview that shows no face yet) there is nothing to copy:
        // the background keeps old pixels from showing through.
        if (m_surface && w > 0 && h > 0) {
            const int sx = useCopyRect ? m_copyRect.left : 0;
            const int sy = useCopyRect ? m_copyRect.top : 0;
            BitBlt(dc, 0, 0, w, h, m_surface.Dc(), sx, sy, SRCCOPY);
        } else {
            widgets::FillSolid(dc, client, m_background);
        }
    }
    widgets::FrameSolid(dc, client, kPlayBorder);
}

void CPictureEx::PaintCell(HDC target, const RECT& client) {
    BufferedPaint buffer(target, client);
    HDC dc = buffer.Dc();
    bool drawn = false;
    if (m_still) {
        widgets::FillSolid(dc, client, m_background);
        OLE_XSIZE_HIMETRIC w = 0;
        OLE_YSIZE_HIMETRIC h = 0;
        m_still->get_Width(&w);
        m_still->get_Height(&h);
        drawn = SUCCEEDED(m_still->Render(dc, 0, 0, client.right, client.bottom, 0, h, w, -h,
                                          nullptr));
    } else if (m_ready) {
        drawn = CopySurface(dc, 0, 0);
    }
    if (!drawn)
        widgets::FillSolid(dc, client, m_background);
    if (m_hoverBorder && m_hovered)
        widgets::FrameSolid(dc, client, kHoverBorder);
    else if (m_marking && m_marked)
        widgets::FrameSolid(dc, client, kMarkBorder);
}
