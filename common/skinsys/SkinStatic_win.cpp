#include "SkinStatic_win.h"

#include "SkinGeometry.h"
#include "SkinDialog_win.h"
#include "SkinImage_win.h"
#include "winfx/Gdi.h"
#include "winfx/Hwnd.h"
#include "winfx/Wide.h"

CSkinStatic::CSkinStatic() {
    winfx::WindowDc screen(nullptr);
    const int height = -MulDiv(10, screen ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96, 72);
    m_font.Reset(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, L"\u5B8B\u4F53"));
}

bool CSkinStatic::CreateLabel(HWND parent, const RECT& rect, const std::string& text, DWORD style) {
    return Create(L"Static", parent, rect, text, WS_CHILD | WS_VISIBLE | style);
}

void CSkinStatic::SetTextColour(COLORREF colour) {
    m_crText = colour;
    Repaint();
}

void CSkinStatic::SetBackground(HBITMAP image) {
    m_bmpBackground.Reset(image);
    Repaint();
}

void CSkinStatic::Draw(HDC dc, const RECT& rc) {
    PaintSkinBackgroundUnder(Hwnd(), dc);
    if (m_bBackground && m_bmpBackground)
        DrawBitmapTransparent(dc, m_bmpBackground.Get(), true, rc.left, rc.top, rc.right, rc.bottom);
    if (m_strText.empty()) m_strText = winfx::HwndGetText(Hwnd());
    if (m_strText.empty()) return;
    winfx::SelectGuard font(dc, m_font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, m_crText);
    RECT r = rc;
    std::wstring w = winfx::ToWide(m_strText);
    const auto style = static_cast<std::uint32_t>(GetWindowLongPtrW(Hwnd(), GWL_STYLE));
    DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &r, skin::StaticTextFlags(style));
}

void CSkinStatic::DrawItem(const DRAWITEMSTRUCT& dis) {
    if (!m_bPaintEnabled) {
        m_bPaintEnabled = true;
        return;
    }
    Draw(dis.hDC, dis.rcItem);
}

LRESULT CSkinStatic::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        winfx::PaintDc dc(Hwnd());
        if (!m_bPaintEnabled) {
            m_bPaintEnabled = true;
            return 0;
        }
        RECT rc;
        GetClientRect(Hwnd(), &rc);
        Draw(dc.Get(), rc);
        return 0;
    }
    case WM_SETTEXT: {
        // Store the text without the static's own immediate painting, then show it: the
        // parent repaints the area under the label, which repaints itself on top.
        LRESULT r = DefWindowProcW(Hwnd(), msg, wp, lp);
        m_strText.clear();
        if (HWND parent = GetParent(Hwnd())) {
            RECT rc;
            GetWindowRect(Hwnd(), &rc);
            MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
            InvalidateRect(parent, &rc, FALSE);
        }
        InvalidateRect(Hwnd(), nullptr, FALSE);
        return r;
    }
    case WM_ERASEBKGND:
        Default(msg, wp, lp);
        return TRUE;
    }
    return Default(msg, wp, lp);
}

void SetLabelFont(bool bold, CSkinStatic& label, int height, const std::string& face) {
    RebuildFont(label.m_font, bold, height, face);
    if (label.Hwnd()) InvalidateRect(label.Hwnd(), nullptr, FALSE);
}
