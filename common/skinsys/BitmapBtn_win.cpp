#include "BitmapBtn_win.h"

#include <windowsx.h>

#include "SkinDialog_win.h"
#include "SkinImage_win.h"
#include "winfx/Gdi.h"
#include "winfx/Hwnd.h"
#include "winfx/Wide.h"

using skin::BtnImage;

bool CBitmapBtn::CreateButton(HWND parent, const RECT& rect, const std::string& text, int id) {
    return Create(L"Button", parent, rect, text, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, id);
}

void CBitmapBtn::OnAttached() {
    // A button taken from a template may not be owner-drawn yet.
    LONG_PTR style = GetWindowLongPtrW(Hwnd(), GWL_STYLE);
    if ((style & BS_TYPEMASK) != BS_OWNERDRAW)
        SetWindowLongPtrW(Hwnd(), GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
    if (!m_hint.empty()) m_tooltip.Set(Hwnd(), m_hint);
}

void CBitmapBtn::SetLatched(bool latched) {
    m_bLatched = latched;
    Repaint();
}

void CBitmapBtn::SetChecked(bool checked) {
    m_bChecked = checked;
    Repaint();
}

void CBitmapBtn::DrawItem(const DRAWITEMSTRUCT& dis) {
    if (!m_bDrawEnabled) return;
    m_bPressed = (dis.itemState & ODS_SELECTED) != 0;
    m_bFocused = (dis.itemState & ODS_FOCUS) != 0;
    m_bDisabled = (dis.itemState & ODS_DISABLED) != 0;
    skin::BtnState state{m_bChecked, m_bLatched, m_bHover, m_bPressed, m_bDisabled};
    const RECT& rc = dis.rcItem;
    HDC dc = dis.hDC;
    // Drawn over what the dialog shows here, never over the button's own last drawing.
    PaintSkinBackgroundUnder(Hwnd(), dc);

    // Every state image is drawn at the normal image's scale.
    HBITMAP chosen = Image(skin::ChooseBtnImage(state));
    SIZE normal = BitmapSize(Image(BtnImage::kNormal));
    if (chosen && normal.cx > 0 && normal.cy > 0) {
        winfx::UniqueMemDc mem(CreateCompatibleDC(dc));
        if (mem) {
            winfx::SelectGuard select(mem.Get(), chosen);
            SIZE size = BitmapSize(chosen);
            TransparentBlt(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, mem.Get(), 0,
                           0, size.cx < normal.cx ? size.cx : normal.cx,
                           size.cy < normal.cy ? size.cy : normal.cy, RGB(255, 0, 255));
        }
    }

    std::string text = m_strCaption.empty() ? winfx::HwndGetText(Hwnd()) : m_strCaption;
    if (text.empty()) return;
    winfx::UniqueFont font(CreateFontW(0, 0, 0, 0, m_nFontWeight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DRAFT_QUALITY,
                                       FF_SWISS | DEFAULT_PITCH,
                                       winfx::ToWide(m_strFontFace).c_str()));
    winfx::SelectGuard selectFont(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT tr = rc;
    InflateRect(&tr, -2, -2);
    if (skin::BtnTextShifted(state)) OffsetRect(&tr, 1, 1);
    std::wstring w = winfx::ToWide(text);
    DrawTextW(dc, w.c_str(), static_cast<int>(w.size()), &tr, DT_CENTER | DT_VCENTER);
}

LRESULT CBitmapBtn::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_MOUSEMOVE:
        OnMouseMove(wp, lp);
        break;
    case WM_LBUTTONUP:
        return OnLeftButtonUp(wp, lp);
    case WM_CAPTURECHANGED:
        if (m_bHover) {
            // Hover stays set until the next mouse move decides.
            if (GetCapture() == Hwnd()) ReleaseCapture();
            Repaint();
        }
        break;
    case WM_KILLFOCUS:
        m_bHover = false;
        Repaint();
        break;
    case WM_ERASEBKGND:
        return FALSE;
    }
    return Default(msg, wp, lp);
}

void CBitmapBtn::OnMouseMove(WPARAM wp, LPARAM lp) {
    POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    OnMouseMoveNotify(pt);
    if (!Hwnd()) return;
    const bool leftDown = (wp & MK_LBUTTON) != 0;
    if (leftDown && !m_bHover) return;
    if (GetCapture() != Hwnd()) {
        m_bHover = true;
        SetCapture(Hwnd());
        Repaint();
        return;
    }
    POINT screen = pt;
    ClientToScreen(Hwnd(), &screen);
    if (WindowFromPoint(screen) != Hwnd()) {
        m_bHover = false;
        Repaint();
        if (!leftDown) ReleaseCapture();
    }
}

LRESULT CBitmapBtn::OnLeftButtonUp(WPARAM wp, LPARAM lp) {
    POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    RECT rc;
    GetClientRect(Hwnd(), &rc);
    const bool inside = PtInRect(&rc, pt) != FALSE;
    if (inside) {
        m_bHover = false;
        Repaint();
    }
    LRESULT r = Default(WM_LBUTTONUP, wp, lp);
    // Last: the action may close the dialog and free this button.
    if (inside) OnLeftButtonUpInside();
    return r;
}

void SetButtonImage(CBitmapBtn& button, HBITMAP strip) {
    SIZE size = BitmapSize(strip);
    winfx::WindowDc dc(button.Hwnd());
    for (int i = 0; i < 4; ++i) {
        skin::Rect piece = skin::StripPiece(size.cx, size.cy, i);
        button.m_images[static_cast<size_t>(i)].Reset();
        if (piece.Width() > 0 && piece.Height() > 0)
            CopyBitmapRect(dc.Get(), button.m_images[static_cast<size_t>(i)], strip, piece.left,
                           piece.top, piece.right, piece.bottom);
    }
    if (HWND h = button.Hwnd()) {
        LONG_PTR style = GetWindowLongPtrW(h, GWL_STYLE);
        SetWindowLongPtrW(h, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_BORDER | WS_TABSTOP));
        LONG_PTR ex = GetWindowLongPtrW(h, GWL_EXSTYLE);
        SetWindowLongPtrW(h, GWL_EXSTYLE,
                          ex & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE |
                                                      WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME));
        SetWindowPos(h, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
}

void SetButtonText(const std::string& text, CBitmapBtn& button) {
    button.m_strCaption = text;
    if (button.Hwnd()) InvalidateRect(button.Hwnd(), nullptr, FALSE);
}
