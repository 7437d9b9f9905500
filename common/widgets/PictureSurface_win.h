// The picture control's off-screen surface and the two GDI fills it uses, plus a scoped
// GlobalLock. Handles, COM pointers and OLE initialisation come from winfx.
#pragma once
#include <windows.h>

namespace widgets {

// GlobalLock for the life of a scope.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL h) : m_h(h), m_p(h ? GlobalLock(h) : nullptr) {}
    ~GlobalLockGuard() {
        if (m_p)
            GlobalUnlock(m_h);
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    const BYTE* Bytes() const { return static_cast<const BYTE*>(m_p); }
    BYTE* Bytes() { return static_cast<BYTE*>(m_p); }

private:
    HGLOBAL m_h;
    void* m_p;
};

// A memory DC with its own bitmap selected, the unit of off-screen drawing.
class Surface {
public:
    Surface() = default;
    ~Surface() { Reset(); }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    bool Create(int width, int height);  // compatible with the screen
    void Reset();
    HDC Dc() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    int m_width = 0;
    int m_height = 0;
};

// Fills with a colour through the DC brush: no GDI object to create or leak.
void FillSolid(HDC dc, const RECT& r, COLORREF colour);
// A one-pixel frame along the inside of r, nothing filled.
void FrameSolid(HDC dc, const RECT& r, COLORREF colour);

}  // namespace widgets
