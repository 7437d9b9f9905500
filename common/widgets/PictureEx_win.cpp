// The control's window: subclassing, message dispatch, mouse behaviour of cells and the
// preview, and the hand-over of a face to the preview.
#include "PictureEx_win.h"

CPictureEx::CPictureEx() : m_stopEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

CPictureEx::~CPictureEx() {
    if (Hwnd()) {
        if (m_ownsWindow)
            DestroyWindow(Hwnd());  // WM_DESTROY halts the player, WM_NCDESTROY detaches
        HaltShow();
        Detach();
    }
    ReleaseImage();
}

bool CPictureEx::Create(HWND parent, const RECT& rect, UINT id, DWORD style) {
    if (Hwnd())
        return false;
    if (!parent)
        style = (style & ~(WS_CHILD | WS_VISIBLE)) | WS_POPUP;  // hidden, for off-screen use
    HWND hwnd = CreateWindowExW(0, L"STATIC", L"", style | SS_NOTIFY, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent,
                                parent ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (!hwnd)
        return false;
    if (!Attach(hwnd)) {
        DestroyWindow(hwnd);
        return false;
    }
    m_ownsWindow = true;
    return true;
}

bool CPictureEx::Attach(HWND staticControl) {
    if (Hwnd() || !IsWindow(staticControl) || !winfx::Subclass::Attach(staticControl))
        return false;
    m_ownsWindow = false;
    // Clicks reach the parent as STN_CLICKED only with SS_NOTIFY.
    const LONG_PTR style = GetWindowLongPtrW(staticControl, GWL_STYLE);
    SetWindowLongPtrW(staticControl, GWL_STYLE, style | SS_NOTIFY);
    return true;
}

LRESULT CPictureEx::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // painting covers everything; erasing would only flicker
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_MOUSEMOVE:
        OnMouseMove();
        break;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return 0;
    case WM_LBUTTONDOWN:
        OnClick();
        break;  // the static sends STN_CLICKED
    case WM_DESTROY:
        HaltShow();
        break;
    default:
        break;
    }
    return DefaultProc(msg, wp, lp);
}

// Leaving is reported by TrackMouseEvent: a capture-based scheme misses a quick exit and
// holds on to clicks meant for other windows.
void CPictureEx::OnMouseMove() {
    if (m_bAnimate) {
        if (m_AutoXYPos)
            Dodge();
        return;
    }
    if (m_hovered)
        return;
    m_hovered = true;
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Hwnd(), 0};
    TrackMouseEvent(&track);
    if (!m_pending.empty()) {
        const std::vector<uint8_t> bytes = std::move(m_pending);
        m_pending.clear();
        LoadImageBytes(bytes.data(), bytes.size());
    }
    if (m_preview && m_preview != this && m_loaded && m_preview->GetFaceName() != m_faceName)
        HandOverTo(*m_preview);
    Invalidate();
}

void CPictureEx::OnMouseLeave() {
    m_hovered = false;
    Invalidate();
}

void CPictureEx::OnClick() {
    if (!m_still)
        return;
    m_marked = !m_marked;
    Invalidate();
}

// The preview jumps to the other top corner of its parent, so the mouse never covers it.
void CPictureEx::Dodge() {
    HWND parent = GetParent(Hwnd());
    if (!parent)
        return;
    RECT area{}, self{};
    GetClientRect(parent, &area);
    GetWindowRect(Hwnd(), &self);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&self), 2);
    const int width = self.right - self.left;
    const int x = self.left == 0 ? area.right - width - 1 : 0;
    SetWindowPos(Hwnd(), nullptr, x, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CPictureEx::HandOverTo(CPictureEx& preview) {
    if (&preview == this)
        return;
    preview.HaltShow();
    preview.m_faceName = m_faceName;
    preview.m_imageSize = m_imageSize;
    preview.m_frames = m_frames;  // the pictures are shared, each side holds a reference
    preview.m_picture = m_picture;
    preview.m_isGif = m_isGif;
    preview.m_loaded = m_loaded;
    preview.m_current = 0;
    if (!preview.m_ready)
        preview.PrepareCanvas(m_imageSize.cx, m_imageSize.cy);
    int w = 0, h = 0;
    {
        std::lock_guard<std::mutex> lock(preview.m_surfaceLock);
        w = preview.m_surface.Width();
        h = preview.m_surface.Height();
        preview.m_saved.Reset();
    }
    preview.m_fit = FitForPreview(m_fit, w, h, m_imageSize.cx, m_imageSize.cy);
    preview.m_copyRect = {0, 0, w, h};
    preview.FillAll(RGB(255, 255, 255));
    preview.BeginShow();
    // An owner may keep an empty preview hidden; a face handed over shows it.
    if (preview.Hwnd() && !IsWindowVisible(preview.Hwnd()))
        ShowWindow(preview.Hwnd(), SW_SHOWNA);
    preview.Invalidate();
}

void CPictureEx::EnableHoverBorder(bool on) {
    m_hoverBorder = on;
    Invalidate();
}

void CPictureEx::EnableMarking(bool on) {
    m_marking = on;
    Invalidate();
}

void CPictureEx::SetMarked(bool marked) {
    m_marked = marked;
    Invalidate();
}

RECT CPictureEx::ClientRect() const {
    RECT r{0, 0, 0, 0};
    if (Hwnd())
        GetClientRect(Hwnd(), &r);
    return r;
}

void CPictureEx::Invalidate() const {
    if (Hwnd())
        InvalidateRect(Hwnd(), nullptr, FALSE);
}
