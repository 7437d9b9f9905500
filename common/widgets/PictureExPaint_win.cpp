// Painting: a playing control copies its off-screen surface; a cell shows its thumbnail
// (or what was drawn on its surface) with the hover or mark frame.
#include "PictureEx_win.h"

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

// A page of cells repaints at once, so a paint is one blit of the thumbnail decoded when
// it came, and the frame. With a frame only the inside is copied: no pixel is painted
// twice, so nothing flickers without a buffer.
void CPictureEx::PaintCell(HDC dc, const RECT& client) {
    const bool hoverFrame = m_hoverBorder && m_hovered;
    const bool markFrame = !hoverFrame && m_marking && m_marked;
    const bool framed = hoverFrame || markFrame;
    bool drawn = false;
    if (m_still) {
        if (!m_blitDc)
            m_blitDc.Reset(CreateCompatibleDC(dc));
        const bool sameSize = m_still->Width() == client.right && m_still->Height() == client.bottom;
        RECT part = client;
        if (framed && sameSize)
            InflateRect(&part, -1, -1);
        const RECT whole{0, 0, m_still->Width(), m_still->Height()};
        drawn = m_still->Blit(dc, part, m_blitDc.Get(), sameSize ? part : whole);
    } else if (m_ready) {
        drawn = CopySurface(dc, 0, 0);
    }
    if (!drawn)
        widgets::FillSolid(dc, client, m_background);
    if (framed)
        widgets::FrameSolid(dc, client, hoverFrame ? kHoverBorder : kMarkBorder);
}
