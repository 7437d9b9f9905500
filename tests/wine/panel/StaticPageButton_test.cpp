// The page buttons as a user meets them: link colours that follow the mouse, the hand
// cursor, the current page drawn on an opaque background, and the click reaching the dialog.
#include <gtest/gtest.h>

#include "StaticPageButton_win.h"
#include "PictureTestKit.h"
#include "TestKit.h"

using namespace pictest;

namespace {

struct Clicks {
    int count = 0;
    int lastId = 0;
};

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && HIWORD(wp) == STN_CLICKED) {
        auto* clicks = reinterpret_cast<Clicks*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (clicks) {
            ++clicks->count;
            clicks->lastId = LOWORD(wp);
        }
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// A dialog-like window that counts the click notifications of its statics.
class Host {
public:
    Host() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = HostProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"PageButtonHost";
        RegisterClassW(&wc);
        m_hwnd = CreateWindowExW(0, L"PageButtonHost", L"page buttons",
                                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30, 30, 300, 120, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&clicks));
    }
    ~Host() { DestroyWindow(m_hwnd); }
    HWND Get() const { return m_hwnd; }
    HWND AddStatic(const wchar_t* text, int id, int x) {
        return CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | SS_CENTER, x, 20, 40,
                               20, m_hwnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleW(nullptr), nullptr);
    }
    Clicks clicks;

private:
    HWND m_hwnd = nullptr;
};

int CountColour(HWND hwnd, COLORREF colour) {
    RECT r{};
    GetClientRect(hwnd, &r);
    HDC dc = GetDC(hwnd);
    int n = 0;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x)
            n += GetPixel(dc, x, y) == colour;
    ReleaseDC(hwnd, dc);
    return n;
}

// Text may be smoothed into the background, so its pixels are told by hue: the normal link
// colour (35, 90, 140) is a dark blue, the hover colour (200, 10, 0) a red.
bool IsLinkBlue(COLORREF c) { return GetBValue(c) > GetRValue(c) + 40 && GetRValue(c) < 160; }
bool IsHoverRed(COLORREF c) { return GetRValue(c) > GetGValue(c) + 80 && GetRValue(c) > GetBValue(c) + 80; }

int Count(HWND hwnd, bool (*test)(COLORREF)) {
    RECT r{};
    GetClientRect(hwnd, &r);
    HDC dc = GetDC(hwnd);
    int n = 0;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x)
            n += test(GetPixel(dc, x, y));
    ReleaseDC(hwnd, dc);
    return n;
}

// Waits until the window shows such pixels (the first paint of a new window can be late
// under emulation).
bool Shows(HWND hwnd, bool (*test)(COLORREF)) {
    return testkit::WaitUntil([&] {
        Repaint(hwnd);
        return Count(hwnd, test) > 0;
    });
}

bool IsWhite(COLORREF c) { return c == RGB(255, 255, 255); }

}  // namespace

TEST(StaticPageButton, TextIsBlueGreyAndTurnsRedUnderTheMouse) {
    Host host;
    HWND s = host.AddStatic(L"8", 1025, 10);
    CStaticPageButton button;
    ASSERT_TRUE(button.Attach(s));
    EXPECT_TRUE(Shows(s, IsLinkBlue));
    EXPECT_EQ(0, Count(s, IsHoverRed));
    EXPECT_GT(CountColour(s, GetSysColor(COLOR_BTNFACE)), 0);  // transparent look

    SendMessageW(s, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(button.IsHovered());
    EXPECT_TRUE(Shows(s, IsHoverRed));
    EXPECT_EQ(0, Count(s, IsLinkBlue));

    SendMessageW(s, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(button.IsHovered());
    EXPECT_TRUE(Shows(s, IsLinkBlue));
    EXPECT_EQ(0, Count(s, IsHoverRed));
}

TEST(StaticPageButton, ShowsTheHandCursor) {
    Host host;
    HWND s = host.AddStatic(L"2", 1019, 10);
    CStaticPageButton button;
    ASSERT_TRUE(button.Attach(s));
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_TRUE(SendMessageW(s, WM_SETCURSOR, reinterpret_cast<WPARAM>(s), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
    EXPECT_EQ(LoadCursorW(nullptr, IDC_HAND), GetCursor());
}

TEST(StaticPageButton, ClickReachesTheDialogAndPressShiftsTheTextUntilRelease) {
    Host host;
    HWND s = host.AddStatic(L"\x4e0b\x9875", 1017, 10);  // "下页"
    CStaticPageButton button;
    ASSERT_TRUE(button.Attach(s));  // adds SS_NOTIFY
    EXPECT_TRUE(GetWindowLongPtrW(s, GWL_STYLE) & SS_NOTIFY);
    SendMessageW(s, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    EXPECT_EQ(1, host.clicks.count);
    EXPECT_EQ(1017, host.clicks.lastId);
    EXPECT_TRUE(button.IsPressed());
    EXPECT_TRUE(button.IsVisited());
    SendMessageW(s, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_FALSE(button.IsPressed());
    // Leaving while pressed cancels the press too.
    SendMessageW(s, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(s, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(button.IsPressed());
    EXPECT_EQ(2, host.clicks.count);
}

TEST(StaticPageButton, CurrentPageHasAnOpaqueTextBackground) {
    Host host;
    HWND a = host.AddStatic(L"1", 1018, 10);
    HWND b = host.AddStatic(L"2", 1019, 60);
    CStaticPageButton first, second;
    ASSERT_TRUE(first.Attach(a));
    ASSERT_TRUE(second.Attach(b));
    first.SetSelected(true);
    EXPECT_TRUE(Shows(a, IsWhite));
    EXPECT_EQ(0, CountColour(b, RGB(255, 255, 255)));
    first.SetSelected(false);
    second.SetSelected(true);
    EXPECT_TRUE(Shows(b, IsWhite));
    EXPECT_EQ(0, CountColour(a, RGB(255, 255, 255)));
    testkit::Screenshot("panel_wine_test_page_buttons");
}
