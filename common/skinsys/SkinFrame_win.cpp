// PaintSkinFrame: background, border pieces, icon and caption of a skinned dialog.
#include "SkinDialog_win.h"
#include "SkinImage_win.h"
#include "winfx/Gdi.h"
#include "winfx/Hwnd.h"
#include "winfx/Wide.h"

void PaintSkinFrame(HDC dc, CSkinDialog& dialog) {
    HWND hwnd = dialog.Hwnd();
    winfx::WindowDc own(dc ? nullptr : hwnd);
    if (!dc) dc = own.Get();
    if (!dc || !hwnd) return;
    RECT rc;
    GetClientRect(hwnd, &rc);
    const int W = rc.right, H = rc.bottom;

    DrawBitmapTransparent(dc, dialog.Background(), true, 0, 0, W, H);
    if (dialog.FrameFlags() == 0) return;

    skin::PieceSizes sizes{};
    for (int p = 0; p < skin::kPieceCount; ++p) {
        const SIZE s = BitmapSize(dialog.Piece(static_cast<skin::Piece>(p)));
        sizes[static_cast<size_t>(p)] = skin::Size{s.cx, s.cy};
    }
    for (const skin::FrameDraw& d : skin::LayoutFrame(W, H, sizes))
        DrawBitmapTransparent(dc, dialog.Piece(d.piece), d.stretch, d.dest.left, d.dest.top,
                              d.dest.right, d.dest.bottom);

    if ((dialog.FrameFlags() & CSkinDialog::kFrameIcon) && dialog.Icon())
        DrawIconEx(dc, 3, 3, dialog.Icon(), 16, 16, 0, nullptr, DI_NORMAL);

    const std::wstring title = winfx::ToWide(winfx::HwndGetText(hwnd));
    if (title.empty()) return;
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    winfx::SelectGuard select(dc, font);
    SetBkMode(dc, TRANSPARENT);
    RECT text = rc;
    OffsetRect(&text, 23, 6);
    const auto style = static_cast<std::uint32_t>(GetWindowLongPtrW(hwnd, GWL_STYLE));
    DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &text, skin::StaticTextFlags(style));
}

bool PaintSkinBackgroundUnder(HWND control, HDC dc) {
    HWND parent = GetParent(control);
    auto* dialog = dynamic_cast<CSkinDialog*>(winfx::Window::FromHwnd(parent));
    if (!dialog || !dc) return false;
    HBITMAP frame = dialog->FrameImage();
    winfx::UniqueMemDc mem(CreateCompatibleDC(dc));
    if (!frame || !mem) return false;
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    winfx::SelectGuard select(mem.Get(), frame);
    BitBlt(dc, 0, 0, r.right - r.left, r.bottom - r.top, mem.Get(), r.left, r.top, SRCCOPY);
    return true;
}
