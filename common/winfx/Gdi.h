// Device-context owners and the select guard. A window DC and a paint DC need their
// HWND to be released, so they are small classes rather than Unique<> traits.
#pragma once
#include <windows.h>

namespace winfx {

// GetDC / ReleaseDC (GetDC(nullptr) is the screen DC).
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) noexcept : m_hwnd(hwnd), m_hdc(GetDC(hwnd)) {}
    ~WindowDc() {
        if (m_hdc) ReleaseDC(m_hwnd, m_hdc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const noexcept { return m_hdc; }
    explicit operator bool() const noexcept { return m_hdc != nullptr; }

private:
    HWND m_hwnd;
    HDC m_hdc;
};

// BeginPaint / EndPaint for WM_PAINT.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) noexcept : m_hwnd(hwnd), m_hdc(BeginPaint(hwnd, &m_ps)) {}
    ~PaintDc() { EndPaint(m_hwnd, &m_ps); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC Get() const noexcept { return m_hdc; }
    const PAINTSTRUCT& Info() const noexcept { return m_ps; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps{};
    HDC m_hdc;
};

// Selects an object into a DC and puts the previous one back, so the owner of the
// object can delete it afterwards (a selected object cannot be deleted).
class SelectGuard {
public:
    SelectGuard(HDC hdc, HGDIOBJ obj) noexcept : m_hdc(hdc), m_prev(obj ? SelectObject(hdc, obj) : nullptr) {}
    ~SelectGuard() {
        if (m_prev && m_prev != HGDI_ERROR) SelectObject(m_hdc, m_prev);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC m_hdc;
    HGDIOBJ m_prev;
};

}  // namespace winfx
