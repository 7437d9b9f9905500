#include "SkinDialog_win.h"

#include "SkinImage_win.h"
#include "XmlReader.h"
#include "winfx/Gdi.h"
#include "winfx/Hwnd.h"

namespace {

winfx::UniqueIcon LoadSmallIcon(HINSTANCE instance, int id) {
    if (id <= 0) return {};
    return winfx::UniqueIcon(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
}

// Client rectangle as a region in window coordinates (which SetWindowRgn takes).
winfx::UniqueRgn ClientRegion(HWND hwnd, RECT& client) {
    GetClientRect(hwnd, &client);
    winfx::UniqueRgn rgn(CreateRectRgnIndirect(&client));
    return rgn;
}

POINT ClientOriginInWindow(HWND hwnd) {
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    RECT wr;
    GetWindowRect(hwnd, &wr);
    return POINT{origin.x - wr.left, origin.y - wr.top};
}

}  // namespace

CSkinDialog::CSkinDialog(int templateId, HINSTANCE instance, int iconId)
    : Dialog(templateId, instance), m_icon(LoadSmallIcon(instance, iconId)) {}

CSkinDialog::CSkinDialog(std::vector<BYTE> templateBytes, HINSTANCE instance, int iconId)
    : Dialog(std::move(templateBytes), instance), m_icon(LoadSmallIcon(instance, iconId)) {}

CSkinDialog::~CSkinDialog() {
    Destroy();
    CSkinDialog::FreeSkin();
}

void CSkinDialog::FreeSkin() {
    InvalidateFrame();
    m_shaped = false;
    m_bmpBackground.Reset();
    for (auto& piece : m_pieces) piece.Reset();
    m_bmpButton.Reset();
    m_buttons.clear();
    m_checks.clear();
    m_labels.clear();
}

CSkinButton* CSkinDialog::FindSkinButton(int index) const {
    for (const auto& button : m_buttons)
        if (button->Index() == index) return button.get();
    return nullptr;
}

void CSkinDialog::OnSkinButtonMouseMove(const std::string&, POINT) {}

void CSkinDialog::OnSkinButtonClick(int index) {
    CSkinButton* button = FindSkinButton(index);
    if (!button) return;
    const std::string& name = button->Name();
    if (name == "minimize") ShowWindow(Hwnd(), SW_MINIMIZE);
    else if (name == "maxmize") ShowWindow(Hwnd(), SW_MAXIMIZE);
    else if (name == "close") End(0);
}

BOOL CSkinDialog::OnSkinButtonImage(HBITMAP) { return TRUE; }

bool CSkinDialog::OnInitDialog() {
    const bool result = Dialog::OnInitDialog();
    LoadSkin();
    return result;
}

BOOL CSkinDialog::LoadSkin() {
    std::unique_ptr<CXMLElement> root = LoadXmlFile(m_strSkinFile);
    if (!root) return FALSE;
    const BOOL applied = ApplySkin(*root);
    root.reset();
    return applied ? SetSkinRegion() : FALSE;
}

BOOL CSkinDialog::SetSkinRegion() {
    if (!Hwnd()) return FALSE;
    RECT client;
    winfx::UniqueRgn region = ClientRegion(Hwnd(), client);
    if (!region) return FALSE;
    const int W = client.right, H = client.bottom;
    struct Corner {
        skin::Piece piece;
        bool right, bottom;
    };
    const Corner corners[] = {{skin::kTopLeft, false, false},
                              {skin::kTopRight, true, false},
                              {skin::kBottomLeft, false, true},
                              {skin::kBottomRight, true, true}};
    for (const Corner& c : corners) {
        HBITMAP bmp = Piece(c.piece);
        if (!bmp) return FALSE;
        winfx::UniqueRgn cut = CreateRegionFromBitmap(bmp, 1);
        if (!cut) return FALSE;
        const SIZE s = BitmapSize(bmp);
        OffsetRgn(cut.Get(), c.right ? W - s.cx : 0, c.bottom ? H - s.cy : 0);
        CombineRgn(region.Get(), region.Get(), cut.Get(), RGN_XOR);
    }
    const POINT o = ClientOriginInWindow(Hwnd());
    OffsetRgn(region.Get(), o.x, o.y);
    if (!SetWindowRgn(Hwnd(), region.Get(), TRUE)) {
        winfx::HwndMessageBox(Hwnd(), "SetWindowRgn failed!", "", MB_OK);
        return TRUE;
    }
    region.Release();  // the window owns it now
    m_shaped = true;
    return TRUE;
}

BOOL CSkinDialog::SetRectRegion() {
    if (!Hwnd()) return FALSE;
    RECT client;
    winfx::UniqueRgn region = ClientRegion(Hwnd(), client);
    if (!region) return FALSE;
    const POINT o = ClientOriginInWindow(Hwnd());
    OffsetRgn(region.Get(), o.x, o.y);
    if (SetWindowRgn(Hwnd(), region.Get(), TRUE)) region.Release();
    m_shaped = false;
    return TRUE;
}

HBITMAP CSkinDialog::FrameImage() {
    RECT rc;
    GetClientRect(Hwnd(), &rc);
    const int W = rc.right, H = rc.bottom;
    if (W <= 0 || H <= 0) return nullptr;
    if (!m_frameStale && m_frameImage && m_frameSize.cx == W && m_frameSize.cy == H)
        return m_frameImage.Get();
    // Made for the window's own DC: a memory DC asking first may hold a monochrome bitmap.
    winfx::WindowDc reference(Hwnd());
    winfx::UniqueMemDc mem(CreateCompatibleDC(reference.Get()));
    winfx::UniqueBitmap image(CreateCompatibleBitmap(reference.Get(), W, H));
    if (!mem || !image) return nullptr;
    {
        winfx::SelectGuard select(mem.Get(), image.Get());
        // Under missing images the window shows the plain dialog colour.
        FillRect(mem.Get(), &rc, GetSysColorBrush(COLOR_BTNFACE));
        PaintSkinFrame(mem.Get(), *this);
    }
    m_frameImage = std::move(image);
    m_frameSize = SIZE{W, H};
    m_frameStale = false;
    return m_frameImage.Get();
}

void CSkinDialog::OnPaint(HDC dc, const PAINTSTRUCT& ps) {
    HBITMAP frame = FrameImage();
    winfx::UniqueMemDc mem(CreateCompatibleDC(dc));
    if (!frame || !mem) return;
    winfx::SelectGuard select(mem.Get(), frame);
    // Controls draw over this painting; only the part just painted under them is redrawn,
    // as text drawn twice over itself would thicken.
    auto invalidate = [this, &ps](HWND h) {
        if (!h || !IsWindowVisible(h)) return;
        RECT r, part;
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, Hwnd(), reinterpret_cast<POINT*>(&r), 2);
        if (!IntersectRect(&part, &r, &ps.rcPaint)) return;
        OffsetRect(&part, -r.left, -r.top);
        InvalidateRect(h, &part, FALSE);
    };
    for (const auto& b : m_buttons) invalidate(b->Hwnd());
    for (const auto& c : m_checks) invalidate(c->Hwnd());
    for (const auto& l : m_labels) invalidate(l->Hwnd());
    for (HWND h : m_otherWindows)
        if (IsWindow(h)) InvalidateRect(h, nullptr, FALSE);
    TransparentBlt(dc, 0, 0, m_frameSize.cx, m_frameSize.cy, mem.Get(), 0, 0, m_frameSize.cx,
                   m_frameSize.cy, RGB(255, 0, 255));
}

LRESULT CSkinDialog::OnHitTest(WPARAM wp, LPARAM lp) {
    const LRESULT def = DefWindowProcW(Hwnd(), WM_NCHITTEST, wp, lp);
    POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
    ScreenToClient(Hwnd(), &pt);
    RECT rc;
    GetClientRect(Hwnd(), &rc);
    const SIZE topLeft = BitmapSize(Piece(skin::kTopLeft));
    const SIZE topMid = BitmapSize(Piece(skin::kTopMid));
    if (skin::CaptionBand(rc.right, topLeft.cx, topMid.cy).Contains(pt.x, pt.y)) return HTCAPTION;
    return def;
}

LRESULT CSkinDialog::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_ERASEBKGND:
        return TRUE;
    case WM_SETTEXT: {
        const LRESULT r = Dialog::OnMessage(msg, wp, lp);
        InvalidateFrame();  // the caption is part of the frame image
        InvalidateRect(Hwnd(), nullptr, FALSE);
        return r;
    }
    case WM_NCHITTEST:
        return OnHitTest(wp, lp);
    case WM_SIZE:
        // A region cut for the old size would clip a grown window and leave square corners.
        if (m_shaped && wp != SIZE_MINIMIZED && LOWORD(lp) > 0 && HIWORD(lp) > 0) SetSkinRegion();
        break;
    case WM_DRAWITEM:
        if (ReflectDrawItem(lp)) return TRUE;
        break;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        // Skinned controls draw over the dialog's own painting: nothing may fill under them.
        if (SkinControl::FromHwnd(reinterpret_cast<HWND>(lp))) {
            SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        }
        break;
    }
    return Dialog::OnMessage(msg, wp, lp);
}
