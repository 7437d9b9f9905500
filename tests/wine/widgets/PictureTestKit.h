// Helpers for the picture-control tests: a visible host window, pixel reads from the
// control's surface and from the screen, and the sample pictures.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "PictureEx_win.h"

namespace pictest {

// A visible top-level window to hold controls; destroyed with the object.
class HostWindow {
public:
    HostWindow(int width, int height, const wchar_t* title = L"picture test");
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;
    HWND Get() const { return m_hwnd; }

private:
    HWND m_hwnd = nullptr;
};

// Creates the control as a child of host at rect and loads the bytes.
bool Place(CPictureEx& pic, const HostWindow& host, RECT rect, const std::vector<uint8_t>& bytes,
           bool animate);

// A pixel of the control's off-screen surface (as drawn by the player).
COLORREF SurfacePixel(const CPictureEx& pic, int x, int y);
// A pixel of the control's window as painted on the screen.
COLORREF WindowPixel(HWND hwnd, int x, int y);
// Repaints now and lets pending messages through.
void Repaint(HWND hwnd);
void Pump(int ms);

bool Near(COLORREF a, COLORREF b, int tolerance = 24);
std::string Hex(COLORREF c);

std::vector<uint8_t> Sample(const std::string& name);  // one of samples::MakeSampleFaces

}  // namespace pictest
