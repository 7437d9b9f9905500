#include "PictureTestKit.h"

#include <cstdio>
#include <cstdlib>

#include "SampleSet.h"
#include "TestKit.h"

namespace pictest {

HostWindow::HostWindow(int width, int height, const wchar_t* title) {
    static const wchar_t* kClass = L"PictureTestHost";
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);  // fails harmlessly when already registered
    RECT r{0, 0, width, height};
    AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
    m_hwnd = CreateWindowExW(0, kClass, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                             20, 20, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    UpdateWindow(m_hwnd);
    Pump(50);
}

HostWindow::~HostWindow() {
    if (m_hwnd)
        DestroyWindow(m_hwnd);
}

bool Place(CPictureEx& pic, const HostWindow& host, RECT rect, const std::vector<uint8_t>& bytes,
           bool animate) {
    if (!pic.Create(host.Get(), rect, 0xFFFF))
        return false;
    pic.SetAnimate(animate);
    return pic.LoadImageBytes(bytes.data(), bytes.size());
}

COLORREF SurfacePixel(const CPictureEx& pic, int x, int y) {
    RECT client{};
    GetClientRect(pic.GetHwnd(), &client);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, client.right + 1, client.bottom + 1);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bmp);
    COLORREF c = CLR_INVALID;
    if (pic.CopySurface(dc, 0, 0))
        c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    return c;
}

COLORREF WindowPixel(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

void Repaint(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(30);
}

void Pump(int ms) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(5);
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
    if (a == CLR_INVALID || b == CLR_INVALID)
        return false;
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string Hex(COLORREF c) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "rgb(%d,%d,%d)", GetRValue(c), GetGValue(c), GetBValue(c));
    return buf;
}

std::vector<uint8_t> Sample(const std::string& name) {
    for (auto& f : samples::MakeSampleFaces())
        if (f.name == name)
            return f.bytes;
    return {};
}

}  // namespace pictest
