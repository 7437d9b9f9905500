// Guards for the two system locks the programs take: a global memory block's lock
// (clipboard data, OLE streams) and the clipboard itself.
#pragma once
#include <windows.h>

#include <cstddef>

namespace winfx {

// GlobalLock / GlobalUnlock. Size() is the block's size as the system reports it.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL mem) noexcept
        : m_mem(mem), m_data(mem ? GlobalLock(mem) : nullptr), m_size(m_data ? GlobalSize(mem) : 0) {}
    ~GlobalLockGuard() {
        if (m_data) GlobalUnlock(m_mem);
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;

    void* Data() const noexcept { return m_data; }
    std::size_t Size() const noexcept { return m_size; }
    explicit operator bool() const noexcept { return m_data != nullptr; }

private:
    HGLOBAL m_mem;
    void* m_data;
    std::size_t m_size;
};

// OpenClipboard / CloseClipboard. Opening fails while another window holds it.
class ClipboardLock {
public:
    explicit ClipboardLock(HWND owner) noexcept : m_open(OpenClipboard(owner) != FALSE) {}
    ~ClipboardLock() {
        if (m_open) CloseClipboard();
    }
    ClipboardLock(const ClipboardLock&) = delete;
    ClipboardLock& operator=(const ClipboardLock&) = delete;
    explicit operator bool() const noexcept { return m_open; }

private:
    bool m_open;
};

}  // namespace winfx
