#include "PictureSurface_win.h"

namespace widgets {

bool Surface::Create(int width, int height) {
    Reset();
    if (width <= 0 || height <= 0)
        return false;
    HDC screen = GetDC(nullptr);
    if (!screen)
        return false;
    m_dc = CreateCompatibleDC(screen);
    m_bitmap = m_dc ? CreateCompatibleBitmap(screen, width, height) : nullptr;
    ReleaseDC(nullptr, screen);
    if (!m_bitmap) {
        Reset();
        return false;
    }
    m_old = SelectObject(m_dc, m_bitmap);
    m_width = width;
    m_height = height;
    return true;
}

void Surface::Reset() {
    if (m_dc && m_old)
        SelectObject(m_dc, m_old);
    if (m_bitmap)
        DeleteObject(m_bitmap);
    if (m_dc)
        DeleteDC(m_dc);
    m_dc = nullptr;
    m_bitmap = nullptr;
    m_old = nullptr;
    m_width = m_height = 0;
}

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
    const COLORREF old = SetDCBrushColor(dc, colour);
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(dc, old);
}

void FrameSolid(HDC dc, const RECT& r, COLORREF colour) {
    const COLORREF old = SetDCBrushColor(dc, colour);
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    SetDCBrushColor(dc, old);
}

}  // namespace widgets
