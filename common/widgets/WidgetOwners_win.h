// Small owners the picture control needs: kernel handles, global memory, COM pointers,
// OLE initialisation and an off-screen surface. Move-only, released exactly once.
#pragma once
#include <windows.h>
#include <ole2.h>

#include <utility>

namespace widgets {

class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE h) : m_h(h) {}
    UniqueHandle(UniqueHandle&& o) noexcept : m_h(o.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o)
            Reset(o.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }
    HANDLE Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    HANDLE Release() { return std::exchange(m_h, nullptr); }
    void Reset(HANDLE h = nullptr) {
        if (m_h)
            CloseHandle(m_h);
        m_h = h;
    }

private:
    HANDLE m_h = nullptr;
};

class GlobalMemory {
public:
    GlobalMemory() = default;
    explicit GlobalMemory(HGLOBAL h) : m_h(h) {}
    GlobalMemory(GlobalMemory&& o) noexcept : m_h(o.Release()) {}
    GlobalMemory& operator=(GlobalMemory&& o) noexcept {
        if (this != &o)
            Reset(o.Release());
        return *this;
    }
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;
    ~GlobalMemory() { Reset(); }
    HGLOBAL Get() const { return m_h; }
    explicit operator bool() const { return m_h != nullptr; }
    HGLOBAL Release() { return std::exchange(m_h, nullptr); }
    void Reset(HGLOBAL h = nullptr) {
        if (m_h)
            GlobalFree(m_h);
        m_h = h;
    }

private:
    HGLOBAL m_h = nullptr;
};

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

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr& o) : m_p(o.m_p) {
        if (m_p)
            m_p->AddRef();
    }
    ComPtr(ComPtr&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(m_p, o.m_p);
        return *this;
    }
    ~ComPtr() { Reset(); }
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    T** Put() {
        Reset();
        return &m_p;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    void Reset() {
        if (m_p)
            std::exchange(m_p, nullptr)->Release();
    }

private:
    T* m_p = nullptr;
};

// OleInitialize for an object's life; uninitialises only what it initialised (a thread
// already in the multithreaded apartment answers RPC_E_CHANGED_MODE and is left alone).
class OleSession {
public:
    OleSession() : m_ok(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (m_ok)
            OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    bool m_ok;
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
