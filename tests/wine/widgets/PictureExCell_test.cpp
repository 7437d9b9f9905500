// What a user sees of a cell and the preview: painting, hover and mark frames, the
// hand-over of a face to the preview, and the preview dodging the mouse.
#include <gtest/gtest.h>

#include "PictureTestKit.h"
#include "ThumbnailDecoder_win.h"
#include "SampleSet.h"
#include "TestKit.h"

using namespace pictest;

namespace {

const COLORREF kRed = RGB(220, 30, 30), kYellow = RGB(255, 214, 0);

void MouseMove(HWND hwnd, int x, int y) {
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
}

// Every pixel of `source` (w x h from its origin), read in one copy.
std::vector<uint32_t> Pixels(HDC source, int w, int h) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, dib);
    BitBlt(dc, 0, 0, w, h, source, 0, 0, SRCCOPY);
    GdiFlush();
    std::vector<uint32_t> out(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + w * h);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(dib);
    return out;
}

std::vector<uint32_t> WindowPixels(HWND hwnd, int w, int h) {
    HDC dc = GetDC(hwnd);
    std::vector<uint32_t> out = Pixels(dc, w, h);
    ReleaseDC(hwnd, dc);
    return out;
}

// The thumbnail as cells always drew it: white, then the loaded picture rendered over the
// whole cell.
std::vector<uint32_t> RenderedAsEver(const std::vector<uint8_t>& bytes, int w, int h) {
    winfx::ComPtr<IPicture> picture = widgets::LoadPicture(bytes.data(), bytes.size());
    if (!picture) return {};
    OLE_XSIZE_HIMETRIC hw = 0;
    OLE_YSIZE_HIMETRIC hh = 0;
    picture->get_Width(&hw);
    picture->get_Height(&hh);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT all{0, 0, w, h};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    picture->Render(dc, 0, 0, w, h, 0, hh, hw, -hh, nullptr);
    std::vector<uint32_t> out = Pixels(dc, w, h);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return out;
}

}  // namespace

TEST(PictureCell, PlayingControlPaintsItsFirstFrameWithAGreyBorder) {
    HostWindow host(200, 200);
    CPictureEx pic;
    ASSERT_TRUE(Place(pic, host, {10, 10, 100, 100}, Sample("delays_mixed.gif"), true));
    pic.BeginShow();
    Repaint(pic.GetHwnd());
    EXPECT_TRUE(testkit::WaitUntil([&] {
        Repaint(pic.GetHwnd());
        return Near(kRed, WindowPixel(pic.GetHwnd(), 45, 45));
    })) << Hex(WindowPixel(pic.GetHwnd(), 45, 45));
    EXPECT_EQ(CPictureEx::kPlayBorder, WindowPixel(pic.GetHwnd(), 0, 0));
    EXPECT_EQ(CPictureEx::kPlayBorder, WindowPixel(pic.GetHwnd(), 89, 45));
    pic.HaltShow();
}

TEST(PictureCell, CellPaintsItsThumbnailOrElseItsDrawnPicture) {
    HostWindow host(200, 200);
    CPictureEx thumb, drawn, empty;
    RECT r{0, 0, 45, 45};
    ASSERT_TRUE(thumb.Create(host.Get(), r, 1));
    ASSERT_TRUE(thumb.SetStillImage(Sample("still.jpg")));
    ASSERT_TRUE(Place(drawn, host, {50, 0, 95, 45}, Sample("delays_mixed.gif"), false));
    drawn.BeginShow();  // without animation: draws the current frame once
    EXPECT_FALSE(drawn.IsPlaying());
    r = {100, 0, 145, 45};
    ASSERT_TRUE(empty.Create(host.Get(), r, 3));
    Repaint(host.Get());
    EXPECT_TRUE(Near(kYellow, WindowPixel(thumb.GetHwnd(), 8, 22), 40))
        << Hex(WindowPixel(thumb.GetHwnd(), 8, 22));
    EXPECT_TRUE(Near(kRed, WindowPixel(drawn.GetHwnd(), 22, 22)))
        << Hex(WindowPixel(drawn.GetHwnd(), 22, 22));
    EXPECT_EQ(RGB(255, 255, 255), WindowPixel(empty.GetHwnd(), 22, 22));
    EXPECT_EQ(RGB(255, 255, 255), WindowPixel(empty.GetHwnd(), 0, 0));  // no frame
}

TEST(PictureCell, ThumbnailIsPaintedPixelForPixelAsTheLoaderRendersItStretched) {
    HostWindow host(200, 200);
    for (const char* name : {"still.jpg", "large.jpg", "still.bmp", "still_transparent.gif", "wide.gif"}) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> bytes = Sample(name);
        CPictureEx cell;
        RECT r{10, 10, 55, 55};
        ASSERT_TRUE(cell.Create(host.Get(), r, 1));
        ASSERT_TRUE(cell.SetStillImage(bytes));
        Repaint(cell.GetHwnd());
        const std::vector<uint32_t> expected = RenderedAsEver(bytes, 45, 45);
        ASSERT_EQ(45u * 45u, expected.size());
        EXPECT_TRUE(expected == WindowPixels(cell.GetHwnd(), 45, 45));
        // The same through the panel's decoder (its own JPEG path).
        widgets::ThumbnailDecoder decoder;
        auto still = decoder.Decode(bytes.data(), bytes.size(), 45, 45);
        ASSERT_TRUE(still);
        EXPECT_TRUE(decoder.UsesImaging());
        cell.SetStillBitmap(still);
        Repaint(cell.GetHwnd());
        EXPECT_TRUE(expected == WindowPixels(cell.GetHwnd(), 45, 45));
    }
}

TEST(PictureCell, DecoderGivesNothingForGarbageAndTheLoadersSizeWithoutOne) {
    widgets::ThumbnailDecoder decoder;
    const std::vector<uint8_t> jpeg = Sample("large.jpg");
    std::vector<uint8_t> cut(jpeg.begin(), jpeg.begin() + 200);  // a JPEG's start, no picture
    std::vector<uint8_t> header{0xFF, 0xD8, 0xFF};
    for (const std::vector<uint8_t>& garbage : {cut, header, std::vector<uint8_t>(64, 0xFF)})
        EXPECT_EQ(nullptr, decoder.Decode(garbage.data(), garbage.size(), 45, 45));
    EXPECT_EQ(nullptr, decoder.Decode(nullptr, 0, 45, 45));
    auto natural = decoder.Decode(jpeg.data(), jpeg.size(), 0, 0);
    ASSERT_TRUE(natural);
    EXPECT_EQ(120, natural->Width());
    EXPECT_EQ(120, natural->Height());
    auto capped = decoder.Decode(jpeg.data(), jpeg.size(), 10000, 45);
    ASSERT_TRUE(capped);
    EXPECT_EQ(widgets::CellBitmap::kMaxSide, capped->Width());
}

TEST(PictureCell, OneDecodedThumbnailServesSeveralCellsAndOutlivesThem) {
    HostWindow host(200, 200);
    const std::vector<uint8_t> bytes = Sample("still.jpg");
    auto still = widgets::CellBitmap::Decode(bytes.data(), bytes.size(), 45, 45);
    ASSERT_TRUE(still);
    const std::vector<uint32_t> expected = RenderedAsEver(bytes, 45, 45);
    {
        CPictureEx a, b;
        RECT r{0, 0, 45, 45};
        ASSERT_TRUE(a.Create(host.Get(), r, 1));
        r = {46, 0, 91, 45};
        ASSERT_TRUE(b.Create(host.Get(), r, 2));
        a.SetStillBitmap(still);
        b.SetStillBitmap(still);
        a.EnableMarking(true);
        a.SetMarked(true);
        Repaint(host.Get());
        EXPECT_TRUE(expected == WindowPixels(b.GetHwnd(), 45, 45));
        const std::vector<uint32_t> marked = WindowPixels(a.GetHwnd(), 45, 45);
        EXPECT_EQ(CPictureEx::kMarkBorder, WindowPixel(a.GetHwnd(), 0, 22));
        EXPECT_EQ(expected[22 * 45 + 22], marked[22 * 45 + 22]);  // the inside unchanged
        EXPECT_EQ(expected[1 * 45 + 1], marked[1 * 45 + 1]);
    }
    // The cells are gone; the bitmap is whole and selectable again.
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_NE(nullptr, SelectObject(dc, still->Get()));
    DeleteDC(dc);
}

TEST(PictureCell, GarbageThumbnailLeavesTheCellWhiteAndUnmarkable) {
    HostWindow host(200, 200);
    CPictureEx cell;
    RECT r{10, 10, 55, 55};
    ASSERT_TRUE(cell.Create(host.Get(), r, 1));
    const std::vector<uint8_t> jpeg = Sample("still.jpg");
    ASSERT_TRUE(cell.SetStillImage(jpeg));
    const std::vector<uint8_t> cut(jpeg.begin(), jpeg.begin() + 40);
    for (const std::vector<uint8_t>& garbage : {std::vector<uint8_t>(300, 0xAB), cut, std::vector<uint8_t>{0xFF}}) {
        EXPECT_FALSE(cell.SetStillImage(garbage));
        EXPECT_FALSE(cell.HasStillImage());
        Repaint(cell.GetHwnd());
        EXPECT_EQ(RGB(255, 255, 255), WindowPixel(cell.GetHwnd(), 22, 22));
    }
    EXPECT_EQ(nullptr, widgets::CellBitmap::Decode(nullptr, 0, 45, 45));
    cell.EnableMarking(true);
    SendMessageW(cell.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(cell.IsMarked());
}

TEST(PictureCell, HoverFrameFollowsTheMouseWhenEnabled) {
    HostWindow host(200, 200);
    CPictureEx cell;
    RECT r{10, 10, 55, 55};
    ASSERT_TRUE(cell.Create(host.Get(), r, 1));
    ASSERT_TRUE(cell.SetStillImage(Sample("still.jpg")));
    MouseMove(cell.GetHwnd(), 5, 5);
    EXPECT_TRUE(cell.IsHovered());
    Repaint(cell.GetHwnd());
    EXPECT_NE(CPictureEx::kHoverBorder, WindowPixel(cell.GetHwnd(), 0, 22));  // not enabled
    cell.EnableHoverBorder(true);
    Repaint(cell.GetHwnd());
    EXPECT_EQ(CPictureEx::kHoverBorder, WindowPixel(cell.GetHwnd(), 0, 22));
    EXPECT_EQ(CPictureEx::kHoverBorder, WindowPixel(cell.GetHwnd(), 44, 22));
    SendMessageW(cell.GetHwnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(cell.IsHovered());
    Repaint(cell.GetHwnd());
    EXPECT_NE(CPictureEx::kHoverBorder, WindowPixel(cell.GetHwnd(), 0, 22));
}

TEST(PictureCell, ClickTogglesTheMarkOnlyWhenTheCellHoldsAPicture) {
    HostWindow host(200, 200);
    CPictureEx cell, empty;
    RECT r{10, 10, 55, 55};
    ASSERT_TRUE(cell.Create(host.Get(), r, 1));
    r = {60, 10, 105, 55};
    ASSERT_TRUE(empty.Create(host.Get(), r, 2));
    ASSERT_TRUE(cell.SetStillImage(Sample("still.jpg")));
    cell.EnableMarking(true);
    empty.EnableMarking(true);
    SendMessageW(cell.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(empty.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(cell.IsMarked());
    EXPECT_FALSE(empty.IsMarked());
    Repaint(cell.GetHwnd());
    EXPECT_EQ(CPictureEx::kMarkBorder, WindowPixel(cell.GetHwnd(), 0, 22));
    // The hover frame wins over the mark.
    cell.EnableHoverBorder(true);
    MouseMove(cell.GetHwnd(), 5, 5);
    Repaint(cell.GetHwnd());
    EXPECT_EQ(CPictureEx::kHoverBorder, WindowPixel(cell.GetHwnd(), 0, 22));
    SendMessageW(cell.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_FALSE(cell.IsMarked());
}

TEST(PictureCell, HoverDecodesThePendingFaceAndHandsItToThePreview) {
    HostWindow host(300, 300);
    CPictureEx preview, a, b;
    RECT r{0, 0, 91, 91};
    ASSERT_TRUE(preview.Create(host.Get(), r, 0xFFFF));
    preview.SetAnimate(true);
    preview.SetAutoXYPos(true);
    ASSERT_TRUE(preview.PrepareCanvas(90, 90));
    r = {100, 100, 145, 145};
    ASSERT_TRUE(a.Create(host.Get(), r, 0xFFFF));
    r = {146, 100, 191, 145};
    ASSERT_TRUE(b.Create(host.Get(), r, 0xFFFF));
    a.SetFaceName("mixed.gif");
    a.SetPendingImage(Sample("delays_mixed.gif"));
    a.SetPreview(&preview);
    b.SetFaceName("wide.gif");
    b.SetPendingImage(Sample("wide.gif"));
    b.SetPreview(&preview);
    EXPECT_FALSE(a.IsLoaded());

    MouseMove(a.GetHwnd(), 3, 3);
    EXPECT_TRUE(a.IsLoaded());
    EXPECT_EQ("mixed.gif", preview.GetFaceName());
    EXPECT_EQ(5u, preview.GetFrameCount());
    EXPECT_TRUE(preview.IsPlaying());
    // 32 x 32 fits the 90 x 90 preview: its own size, centred.
    EXPECT_FLOAT_EQ(1.0f, preview.GetFit().scale);
    EXPECT_EQ(29, preview.GetFit().offsetX);
    EXPECT_TRUE(testkit::WaitUntil([&] {
        Repaint(preview.GetHwnd());
        return Near(kRed, WindowPixel(preview.GetHwnd(), 45, 45));
    }));
    EXPECT_EQ(RGB(255, 255, 255), WindowPixel(preview.GetHwnd(), 10, 45));

    SendMessageW(a.GetHwnd(), WM_MOUSELEAVE, 0, 0);
    MouseMove(b.GetHwnd(), 3, 3);
    EXPECT_EQ("wide.gif", preview.GetFaceName());
    EXPECT_EQ(2u, preview.GetFrameCount());
    preview.HaltShow();
}

TEST(PictureCell, LargeFaceIsShownInThePreviewAtTwiceTheCellScale) {
    HostWindow host(300, 300);
    CPictureEx preview, cell;
    RECT r{0, 0, 91, 91};
    ASSERT_TRUE(preview.Create(host.Get(), r, 0xFFFF));
    preview.SetAnimate(true);
    ASSERT_TRUE(preview.PrepareCanvas(90, 90));
    ASSERT_TRUE(Place(cell, host, {100, 100, 145, 145}, Sample("large.jpg"), false));
    cell.SetFaceName("large.jpg");
    cell.SetPreview(&preview);
    MouseMove(cell.GetHwnd(), 3, 3);
    EXPECT_EQ("large.jpg", preview.GetFaceName());
    EXPECT_FLOAT_EQ(cell.GetFit().scale * 2, preview.GetFit().scale);
    EXPECT_FALSE(preview.IsPlaying());  // a still picture needs no thread
    Repaint(preview.GetHwnd());
    EXPECT_TRUE(Near(kYellow, WindowPixel(preview.GetHwnd(), 20, 45), 40))
        << Hex(WindowPixel(preview.GetHwnd(), 20, 45));
}

TEST(PictureCell, PreviewJumpsToTheOtherTopCornerWhenTheMouseComes) {
    HostWindow host(300, 300);
    CPictureEx preview;
    RECT r{0, 0, 91, 91};
    ASSERT_TRUE(preview.Create(host.Get(), r, 0xFFFF));
    preview.SetAnimate(true);
    preview.SetAutoXYPos(true);
    auto x = [&] {
        RECT w{};
        GetWindowRect(preview.GetHwnd(), &w);
        MapWindowPoints(HWND_DESKTOP, host.Get(), reinterpret_cast<POINT*>(&w), 2);
        return std::make_pair(static_cast<int>(w.left), static_cast<int>(w.top));
    };
    MouseMove(preview.GetHwnd(), 10, 10);
    EXPECT_EQ(std::make_pair(300 - 91 - 1, 0), x());
    MouseMove(preview.GetHwnd(), 10, 10);
    EXPECT_EQ(std::make_pair(0, 0), x());
}
