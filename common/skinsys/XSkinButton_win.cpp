#include "XSkinButton_win.h"

#include <windowsx.h>

#include "SkinDialog_win.h"
#include "SkinImage_win.h"
#include "winfx/Gdi.h"
#include "winfx/Hwnd.h"
#include "winfx/Wide.h"

using skin::XImage;
using skin::XKind;

namespace {

RECT ToRect(const skin::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
skin::Rect FromRect(const RECT& r) { return skin::Rect{r.left, r.top, r.right, r.bottom}; }

}  // namespace

CXSkinButton::CXSkinButton() : m_crText(GetSysColor(COLOR_BTNTEXT)) {
    m_font.Reset(CreateFontW(14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif"));
}

bool CXSkinButton::CreateButton(HWND parent, const RECT& rect, const std::string& text, DWORD style,
                                int id) {
    return Create(L"Button", parent, rect, text, WS_CHILD | WS_VISIBLE | style, id);
}

void CXSkinButton::OnAttached() {
    LONG_PTR style = GetWindowLongPtrW(Hwnd(), GWL_STYLE);
    m_kind = skin::XKindFromStyle(static_cast<std::uint32_t>(style));
    if (m_kind != XKind::kPush && SendMessageW(Hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED)
        m_bChecked = true;
    // Drawn by us from now on; the kind is remembered above.
    SetWindowLongPtrW(Hwnd(), GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
}

void CXSkinButton::SetCheck(bool checked) {
    switch (m_kind) {
    case XKind::kCheckBox:
        m_bChecked = checked;
        break;
    case XKind::kRadio:
        m_bChecked = checked;
        if (checked) ClearOthersInGroup();
        break;
    case XKind::kPush:
        m_bChecked = false;
        break;
    }
    Repaint();
}

void CXSkinButton::ClearOthersInGroup() {
    HWND parent = GetParent(Hwnd());
    if (!parent) return;
    // Bounded walk: a hidden or disabled starting control is skipped by the navigation and
    // would never come round again, so the walk also stops at the first control it met.
    HWND first = nullptr;
    HWND h = Hwnd();
    for (int guard = 0; guard < 4096; ++guard) {
        h = GetNextDlgGroupItem(parent, h, FALSE);
        if (!h || h == Hwnd() || h == first) break;
        if (!first) first = h;
        // Only our own radio buttons know the message; other controls may give it meaning.
        auto* other = dynamic_cast<CXSkinButton*>(SkinControl::FromHwnd(h));
        if (other && other->m_kind == XKind::kRadio) PostMessageW(h, kMsgRadioCleared, 0, 0);
    }
}

void CXSkinButton::EndPress() {
    const bool wasCaptured = m_bCaptured;
    m_bCaptured = false;
    m_bPressShown = false;
    if (wasCaptured && GetCapture() == Hwnd()) ReleaseCapture();
}

void CXSkinButton::OnButtonUp() {
    if (m_kind == XKind::kCheckBox)
        SendMessageW(Hwnd(), BM_SETCHECK, m_bChecked ? BST_UNCHECKED : BST_CHECKED, 0);
    else if (m_kind == XKind::kRadio)
        SendMessageW(Hwnd(), BM_SETCHECK, BST_CHECKED, 0);
}

LRESULT CXSkinButton::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case BM_SETCHECK:
        SetCheck(wp != BST_UNCHECKED);
        return 0;
    case BM_GETCHECK:
        return m_bChecked ? BST_CHECKED : BST_UNCHECKED;
    case kMsgRadioCleared:
        if (m_kind == XKind::kRadio && m_bChecked) {
            m_bChecked = false;
            Repaint();
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (m_bTracking) {
            TRACKMOUSEEVENT tme{sizeof tme, TME_CANCEL | TME_LEAVE, Hwnd(), 0};
            TrackMouseEvent(&tme);
            m_bTracking = false;
        }
        m_bHover = false;
        LRESULT r = Default(WM_LBUTTONDOWN, wp, lp);
        m_bCaptured = true;
        m_bPressShown = true;
        Repaint();
        return r;
    }
    case WM_MOUSEMOVE:
        if (m_bCaptured) {
            RECT rc;
            GetClientRect(Hwnd(), &rc);
            POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
            const bool over = PtInRect(&rc, pt) != FALSE;
            if (over != m_bPressShown) {
                m_bPressShown = over;
                Repaint();
            }
        } else if (!m_bHover) {
            TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, Hwnd(), 0};
            m_bTracking = TrackMouseEvent(&tme) != FALSE;
            m_bHover = true;
            Repaint();
        }
        break;
    case WM_MOUSELEAVE:
        m_bTracking = false;
        m_bHover = false;
        Repaint();
        break;
    case WM_LBUTTONUP: {
        RECT rc;
        GetClientRect(Hwnd(), &rc);
        POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        if (m_kind != XKind::kPush && PtInRect(&rc, pt)) OnButtonUp();
        EndPress();
        LRESULT r = Default(msg, wp, lp);
        Repaint();
        return r;
    }
    case WM_KEYUP:
        if (wp == VK_SPACE) {
            // The keyboard click: acts on the control whatever the mouse does.
            OnButtonUp();
            EndPress();
            LRESULT r = Default(msg, wp, lp);
            Repaint();
            return r;
        }
        break;
    case WM_KILLFOCUS:
        EndPress();
        break;
    case WM_GETDLGCODE:
        // The owner-draw style would make the dialog manager take these for push buttons:
        // arrow keys move through a radio group only when it knows them as radio buttons.
        if (m_kind == XKind::kRadio) return DLGC_BUTTON | DLGC_RADIOBUTTON;
        if (m_kind == XKind::kCheckBox) return DLGC_BUTTON;
        break;
    case WM_ERASEBKGND:
        return TRUE;
    }
    return Default(msg, wp, lp);
}

void CXSkinButton::DrawImage(HDC dc, HBITMAP image, const RECT& box) const {
    // Image mode 1: the whole image scaled onto its box.
    DrawBitmapTransparent(dc, image, true, box.left, box.top, box.right, box.bottom);
}

void CXSkinButton::DrawLabel(HDC dc, const std::wstring& text, RECT rect, UINT flags,
                             COLORREF colour) const {
    SetTextColor(dc, colour);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
}

void CXSkinButton::DrawItem(const DRAWITEMSTRUCT& dis) {
    HDC dc = dis.hDC;
    const RECT item = dis.rcItem;
    // Drawn over what the dialog shows here, never over the control's own last drawing.
    PaintSkinBackgroundUnder(Hwnd(), dc);
    SIZE normal = BitmapSize(Image(XImage::kNormal));
    // Without images (a skin naming a missing file) a check box or radio button still looks
    // like one: the system's glyph in a 13 x 13 box.
    const bool glyph = m_kind != XKind::kPush && !Image(XImage::kNormal);
    if (glyph) normal = SIZE{13, 13};
    const skin::XLayout layout =
        skin::LayoutXButton(FromRect(item), m_kind, m_nFocusMargin, normal.cx, normal.cy);
    const RECT box = m_kind == XKind::kPush ? item : ToRect(layout.image);
    RECT textRect = ToRect(layout.text);
    const UINT flags = DT_SINGLELINE | DT_VCENTER | (layout.centreText ? DT_CENTER : DT_LEFT);

    skin::XState s;
    s.disabled = (dis.itemState & ODS_DISABLED) != 0;
    s.pressed = m_bCaptured ? m_bPressShown : (dis.itemState & ODS_SELECTED) != 0;
    s.checked = m_bChecked;
    s.hover = m_bHover;
    s.focused = (dis.itemState & ODS_FOCUS) != 0;
    s.hasHoverImage = Image(XImage::kHover) != nullptr;
    s.hasFocusImage = Image(XImage::kFocus) != nullptr;
    const XImage chosen = skin::ChooseXImage(s);

    if (glyph) {
        RECT g = box;
        UINT state = (m_kind == XKind::kRadio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) |
                     (m_bChecked ? DFCS_CHECKED : 0) | (s.disabled ? DFCS_INACTIVE : 0) |
                     (s.pressed ? DFCS_PUSHED : 0);
        DrawFrameControl(dc, &g, DFC_BUTTON, state);
    } else if ((chosen == XImage::kDisabled || chosen == XImage::kPressed) && !Image(chosen)) {
        FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
    } else {
        DrawImage(dc, Image(chosen), box);
    }

    RECT edge = item;
    if (m_bEdge && !glyph) {
        UINT kind = chosen == XImage::kPressed ? EDGE_SUNKEN : EDGE_RAISED;
        DrawEdge(dc, &edge, kind, BF_RECT);
    }

    std::wstring text = winfx::ToWide(winfx::HwndGetText(Hwnd()));
    winfx::SelectGuard font(dc, m_font.Get());
    SetBkMode(dc, TRANSPARENT);
    if (chosen == XImage::kDisabled) {
        RECT r = textRect;
        if (m_bChecked) OffsetRect(&r, 1, 1);
        DrawLabel(dc, text, r, flags, GetSysColor(COLOR_3DHILIGHT));
        OffsetRect(&r, -1, -1);
        DrawLabel(dc, text, r, flags, GetSysColor(COLOR_GRAYTEXT));
        return;
    }
    if (chosen == XImage::kPressed && m_kind == XKind::kPush) OffsetRect(&textRect, 1, 1);
    DrawLabel(dc, text, textRect, flags, m_crText);
    if (chosen != XImage::kPressed && s.focused && m_nFocusMargin > 0) {
        RECT f = item;
        InflateRect(&f, -m_nFocusMargin, -m_nFocusMargin);
        DrawFocusRect(dc, &f);
    }
}

void SetCheckImage(HBITMAP strip, CXSkinButton& c) {
    for (auto& image : c.m_images) image.Reset();
    const SIZE size = BitmapSize(strip);
    winfx::WindowDc dc(c.Hwnd());
    // Strip order as for image buttons: normal, hover, pressed, disabled.
    const XImage slots[4] = {XImage::kNormal, XImage::kHover, XImage::kPressed, XImage::kDisabled};
    for (int i = 0; i < 4; ++i) {
        skin::Rect piece = skin::StripPiece(size.cx, size.cy, i);
        if (piece.Width() > 0 && piece.Height() > 0)
            CopyBitmapRect(dc.Get(), c.m_images[static_cast<size_t>(slots[i])], strip, piece.left,
                           piece.top, piece.right, piece.bottom);
    }
    c.m_nImageMode = 1;
    c.m_bEdge = false;
    c.m_nFocusMargin = 0;
    if (!c.Hwnd() || !c.Image(XImage::kNormal)) return;

    // The shape: the image's own pixels where it is drawn, plus the text beside it.
    RECT client;
    GetClientRect(c.Hwnd(), &client);
    const SIZE normal = BitmapSize(c.Image(XImage::kNormal));
    const skin::XLayout layout = skin::LayoutXButton(FromRect(client), c.m_kind, 0, normal.cx, normal.cy);
    winfx::UniqueRgn shape = CreateRegionFromBitmap(c.Image(XImage::kNormal), 0);
    if (!shape) return;
    if (c.m_kind == XKind::kPush) {
        // The image is scaled onto the whole control; its shape is kept unscaled.
    } else {
        OffsetRgn(shape.Get(), layout.image.left, layout.image.top);
        winfx::UniqueRgn text(CreateRectRgn(layout.image.right, client.top, client.right, client.bottom));
        if (text) CombineRgn(shape.Get(), shape.Get(), text.Get(), RGN_OR);
    }
    if (SetWindowRgn(c.Hwnd(), shape.Get(), TRUE)) shape.Release();  // the window owns it now
}

void SetCheckFont(bool bold, CXSkinButton& c, int height, const std::string& face) {
    RebuildFont(c.m_font, bold, height, face);
    if (c.Hwnd()) InvalidateRect(c.Hwnd(), nullptr, FALSE);
}

void SetCheckId(CXSkinButton& c, const std::string& id) { c.m_strId = id; }
