#include "StaticPageButton_win.h"

#include <shellapi.h>

#include "SkinDialog_win.h"
#include "winfx/Gdi.h"
#include "winfx/Hwnd.h"
#include "winfx/Wide.h"

namespace {

UINT TextFormat(LONG_PTR style) {
    UINT format = DT_WORDBREAK;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER: format = DT_CENTER | DT_WORDBREAK; break;
    case SS_RIGHT: format = DT_RIGHT | DT_WORDBREAK; break;
    case SS_LEFTNOWORDWRAP: format = DT_LEFT | DT_SINGLELINE; break;
    case SS_SIMPLE: format = DT_LEFT | DT_SINGLELINE; break;
    default: break;
    }
    if (style & SS_CENTERIMAGE)
        format = (format & ~static_cast<UINT>(DT_WORDBREAK)) | DT_SINGLELINE | DT_VCENTER;
    if (style & SS_NOPREFIX)
        format |= DT_NOPREFIX;
    return format;
}

}  // namespace

bool CStaticPageButton::Attach(HWND staticControl) {
    if (!winfx::Subclass::Attach(staticControl))
        return false;
    const LONG_PTR style = GetWindowLongPtrW(staticControl, GWL_STYLE);
    SetWindowLongPtrW(staticControl, GWL_STYLE, style | SS_NOTIFY);
    return true;
}

void CStaticPageButton::SetSelected(bool selected) {
    if (m_selected == selected)
        return;
    m_selected = selected;
    RepaintInParent();
}

void CStaticPageButton::RepaintInParent() const {
    HWND self = Hwnd();
    HWND parent = self ? GetParent(self) : nullptr;
    if (!parent) {
        if (self)
            InvalidateRect(self, nullptr, TRUE);
        return;
    }
    RECT r{};
    GetWindowRect(self, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    RedrawWindow(parent, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CStaticPageButton::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Hwnd(), &ps);
    if (dc) {
        RECT client{};
        GetClientRect(Hwnd(), &client);
        // Transparent: what the skinned dialog shows under the text, else the button face.
        if (!PaintSkinBackgroundUnder(Hwnd(), dc))
            FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        winfx::SelectGuard font(dc, GetStockObject(DEFAULT_GUI_FONT));
        SetTextColor(dc, m_hover ? kHoverText : kNormalText);
        SetBkMode(dc, m_selected ? OPAQUE : TRANSPARENT);
        SetBkColor(dc, RGB(255, 255, 255));
        RECT text = client;
        if (m_pressed)
            OffsetRect(&text, 1, 1);
        const std::wstring caption = winfx::ToWide(winfx::HwndGetText(Hwnd()));
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
                  TextFormat(GetWindowLongPtrW(Hwnd(), GWL_STYLE)));
    }
    EndPaint(Hwnd(), &ps);
}

LRESULT CStaticPageButton::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR:
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    case WM_MOUSEMOVE:
        if (!m_hover) {
            m_hover = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Hwnd(), 0};
            TrackMouseEvent(&track);
            InvalidateRect(Hwnd(), nullptr, FALSE);
        }
        break;
    case WM_MOUSELEAVE:
        m_hover = false;
        m_pressed = false;
        InvalidateRect(Hwnd(), nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN: {
        m_pressed = true;
        m_visited = true;
        InvalidateRect(Hwnd(), nullptr, FALSE);
        if (!m_link.empty())
            ShellExecuteW(nullptr, L"open", winfx::ToWide(m_link).c_str(), nullptr, nullptr,
                          SW_SHOWNORMAL);
        const LRESULT r = DefaultProc(msg, wp, lp);  // the static's STN_CLICKED
        if (Hwnd())
            RepaintInParent();
        return r;
    }
    case WM_LBUTTONUP:
        m_pressed = false;
        InvalidateRect(Hwnd(), nullptr, FALSE);
        break;
    case WM_SETTEXT: {
        const LRESULT r = DefaultProc(msg, wp, lp);
        RepaintInParent();
        return r;
    }
    default:
        break;
    }
    return DefaultProc(msg, wp, lp);
}
