// The skinned windows as a user meets them: shaped, sized as designed, draggable by
// the caption band, with caption buttons that act by their names.
#include <gtest/gtest.h>

#include "GalleryDriver.h"
#include "GalleryProtocol.h"
#include "GallerySections.h"
#include "TestKit.h"

namespace {

using galtest::Gallery;

std::string ShotName(const gallery::SectionInfo& s) {
    std::string name = "gallery-" + s.file.substr(0, s.file.find('.')) + "-" + s.section;
    return name;
}

// A region test in window coordinates (the region is relative to the window).
bool InRegion(HWND hwnd, int x, int y) {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(hwnd, rgn);
    const bool inside = kind != ERROR && PtInRegion(rgn, x, y);
    DeleteObject(rgn);
    return inside;
}

TEST(GalleryWindows, EverySectionOpensAtItsDesignedSizeWithTheCornersCut) {
    Gallery g({"all"});
    ASSERT_TRUE(g.Started());
    for (const gallery::SectionInfo& s : gallery::KnownSections()) {
        SCOPED_TRACE(s.Key());
        HWND w = g.Window(s.Key());
        ASSERT_NE(w, nullptr);
        RECT client{};
        GetClientRect(w, &client);
        if (s.file != "gallery.xml") {
            SIZE designed = galtest::DesignedSize(s.file, s.section);
            EXPECT_EQ(client.right, designed.cx);
            EXPECT_EQ(client.bottom, designed.cy);
        }
        const int W = client.right, H = client.bottom;
        EXPECT_FALSE(InRegion(w, 0, 0));
        EXPECT_FALSE(InRegion(w, W - 1, 0));
        EXPECT_FALSE(InRegion(w, 0, H - 1));
        EXPECT_FALSE(InRegion(w, W - 1, H - 1));
        EXPECT_TRUE(InRegion(w, W / 2, 0));        // the straight edges stay
        EXPECT_TRUE(InRegion(w, 0, H / 2));
        EXPECT_TRUE(InRegion(w, W / 2, H / 2));
        EXPECT_TRUE(InRegion(w, 6, 6));            // just inside the rounded corner
    }
    // Nine windows paint at once: give them time before the picture.
    testkit::WaitUntil([] { return false; }, std::chrono::milliseconds(2500));
    EXPECT_TRUE(testkit::Screenshot("gallery-all"));
}

// One window at a time, for a clean picture of each.
TEST(GalleryWindows, EachSectionAloneForItsScreenshot) {
    for (const gallery::SectionInfo& s : gallery::KnownSections()) {
        SCOPED_TRACE(s.Key());
        Gallery g({s.Key()});
        HWND w = g.Window(s.Key());
        ASSERT_NE(w, nullptr);
        testkit::WaitUntil([] { return false; }, std::chrono::milliseconds(600));
        EXPECT_TRUE(testkit::Screenshot(ShotName(s)));
    }
}

TEST(GalleryWindows, CaptionBandAnswersAsCaptionAndDragsTheWindow) {
    Gallery g({"skin.xml:main_window"});
    HWND w = g.Window("skin.xml:main_window");
    ASSERT_NE(w, nullptr);
    RECT r{};
    GetWindowRect(w, &r);
    auto hit = [&](int x, int y) {
        return SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(r.left + x, r.top + y));
    };
    EXPECT_EQ(hit(100, 12), HTCAPTION);
    EXPECT_EQ(hit(16, 2), HTCAPTION);
    EXPECT_NE(hit(15, 12), HTCAPTION);        // left of the band: the icon
    EXPECT_NE(hit(100, 1), HTCAPTION);        // above it
    EXPECT_NE(hit(100, 40), HTCAPTION);       // the window body
    EXPECT_NE(hit(r.right - r.left - 5, 30), HTCAPTION);

    galtest::DragFrom(POINT{r.left + 100, r.top + 12}, POINT{r.left + 160, r.top + 52});
    RECT moved{};
    EXPECT_TRUE(testkit::WaitUntil([&] {
        GetWindowRect(w, &moved);
        return moved.left == r.left + 60 && moved.top == r.top + 40;
    })) << "window at " << moved.left << "," << moved.top << ", was " << r.left << "," << r.top;

    // Dragging the body does not move it.
    GetWindowRect(w, &r);
    galtest::DragFrom(POINT{r.left + 120, r.top + 200}, POINT{r.left + 180, r.top + 260});
    GetWindowRect(w, &moved);
    EXPECT_EQ(moved.left, r.left);
    EXPECT_EQ(moved.top, r.top);
}

TEST(GalleryWindows, CaptionButtonsActByTheirExactNames) {
    Gallery g({"skinED.xml:volte_window", "skinED.xml:toolbar_window"});
    HWND w = g.Window("skinED.xml:volte_window");
    HWND toolbar = g.Window("skinED.xml:toolbar_window");
    ASSERT_NE(w, nullptr);
    ASSERT_NE(toolbar, nullptr);

    // Toolbar buttons have other names: the skinned dialog itself does nothing with them.
    HWND mainface = g.Control(toolbar, "mainface");
    ASSERT_NE(mainface, nullptr);
    galtest::ClickAt(galtest::CentreOf(mainface));
    EXPECT_TRUE(IsWindowVisible(toolbar));
    EXPECT_FALSE(IsIconic(toolbar));
    if (HWND editface = g.Control(toolbar, "editface")) {   // a look at the hover picture
        SetCursorPos(galtest::CentreOf(editface).x, galtest::CentreOf(editface).y);
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_MOVE;
        SendInput(1, &in, sizeof(in));
        testkit::WaitUntil([] { return false; }, std::chrono::milliseconds(1500));
        EXPECT_TRUE(testkit::Screenshot("gallery-toolbar-hover"));
    }

    HWND minimize = g.Control(w, "minimize");
    ASSERT_NE(minimize, nullptr);
    galtest::ClickAt(galtest::CentreOf(minimize));
    EXPECT_TRUE(testkit::WaitUntil([&] { return IsIconic(w) != FALSE; }));
    ShowWindow(w, SW_RESTORE);
    ASSERT_TRUE(testkit::WaitUntil([&] { return !IsIconic(w); }));

    HWND close = g.Control(w, "close");
    ASSERT_NE(close, nullptr);
    galtest::ClickAt(galtest::CentreOf(close));
    EXPECT_TRUE(testkit::WaitUntil([&] { return !IsWindow(w); }));
    EXPECT_TRUE(IsWindow(toolbar));

    // Closing the last window ends the gallery.
    PostMessageW(toolbar, WM_CLOSE, 0, 0);
    DWORD code = 99;
    EXPECT_TRUE(g.WaitForExit(10000, &code));
    EXPECT_EQ(code, 0u);
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return c;
}

// The close button's picture turns red while the mouse is over it, and back after.
TEST(GalleryWindows, CaptionButtonShowsItsHoverPictureUnderTheMouse) {
    Gallery g({"skinED.xml:onlinedown_window"});
    HWND w = g.Window("skinED.xml:onlinedown_window");
    ASSERT_NE(w, nullptr);
    HWND close = g.Control(w, "close");
    ASSERT_NE(close, nullptr);
    RECT r{};
    GetWindowRect(close, &r);
    const int px = r.left + 3, py = r.top + 3;   // inside the hover tile, clear of the glyph
    // A slow machine may not have painted the new window yet.
    EXPECT_TRUE(testkit::WaitUntil([&] { return GetBValue(ScreenPixel(px, py)) > 200; }))
        << "the caption band is light blue";
    const COLORREF before = ScreenPixel(px, py);

    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof(in));
    EXPECT_TRUE(testkit::WaitUntil([&] {
        COLORREF c = ScreenPixel(px, py);
        return GetRValue(c) > 180 && GetGValue(c) < 110 && GetBValue(c) < 110;
    })) << std::hex << ScreenPixel(px, py);
    EXPECT_TRUE(testkit::Screenshot("gallery-close-hover"));

    galtest::ClickAt(POINT{r.left - 200, r.top + 60});   // away, inside the window
    EXPECT_TRUE(testkit::WaitUntil([&] { return ScreenPixel(px, py) == before; }))
        << std::hex << ScreenPixel(px, py);
}

TEST(GalleryWindows, UnknownWindowNameIsRefused) {
    Gallery g({"no_such_window"});
    DWORD code = 0;
    ASSERT_TRUE(g.WaitForExit(10000, &code));
    EXPECT_EQ(code, 2u);
}

}  // namespace
