// Move-only owners for Win32 handles: one owner per handle, released exactly once.
#pragma once
#include <windows.h>
#include <commctrl.h>

namespace winfx {

// Traits supply Type, Invalid() and Close(Type).
template <class Traits>
class Unique {
public:
    using Type = typename Traits::Type;

    Unique() noexcept = default;
    explicit Unique(Type h) noexcept : m_h(h) {}
    Unique(Unique&& other) noexcept : m_h(other.Release()) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    ~Unique() { Reset(); }

    Type Get() const noexcept { return m_h; }
    explicit operator bool() const noexcept { return m_h != Traits::Invalid(); }

    Type Release() noexcept {
        Type h = m_h;
        m_h = Traits::Invalid();
        return h;
    }
    void Reset(Type h = Traits::Invalid()) noexcept {
        Type old = m_h;
        m_h = h;
        if (old != Traits::Invalid() && old != h) Traits::Close(old);
    }
    // For APIs that return a handle through an out-parameter; releases the current one.
    Type* Put() noexcept {
        Reset();
        return &m_h;
    }

private:
    Type m_h = Traits::Invalid();
};

//--- traits

struct FileTraits {  // CreateFile and friends fail with INVALID_HANDLE_VALUE, not null
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) noexcept { CloseHandle(h); }
};

struct FindTraits {
    using Type = HANDLE;
    static Type Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type h) noexcept { FindClose(h); }
};

template <class T>  // every GDI object is freed the same way
struct GdiTraits {
    using Type = T;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { DeleteObject(h); }
};

struct KeyTraits {
    using Type = HKEY;
    static Type Invalid() noexcept { return nullptr; }
    static void Close(Type h) noexcept { RegCloseKey(h); }
};

// Handles whose failure value is null. (A dllimport function's address is no template
// constant, hence one small struct per release function.)
#define WINFX_NULL_TRAITS(Name, T, fn)                          \
    struct Name {                                               \
        using Type = T;                                         \
        static Type Invalid() noexcept { return nullptr; }      \
        static void Close(Type h) noexcept { fn(h); }           \
    };
WINFX_NULL_TRAITS(HandleTraits, HANDLE, CloseHandle)
WINFX_NULL_TRAITS(MemDcTraits, HDC, DeleteDC)
WINFX_NULL_TRAITS(IconTraits, HICON, DestroyIcon)
WINFX_NULL_TRAITS(MenuTraits, HMENU, DestroyMenu)
WINFX_NULL_TRAITS(HookTraits, HHOOK, UnhookWindowsHookEx)
WINFX_NULL_TRAITS(WinEventHookTraits, HWINEVENTHOOK, UnhookWinEvent)
WINFX_NULL_TRAITS(ModuleTraits, HMODULE, FreeLibrary)
WINFX_NULL_TRAITS(GlobalTraits, HGLOBAL, GlobalFree)
WINFX_NULL_TRAITS(HwndTraits, HWND, DestroyWindow)
WINFX_NULL_TRAITS(ImageListTraits, HIMAGELIST, ImageList_Destroy)
#undef WINFX_NULL_TRAITS

//--- owners

using UniqueHandle = Unique<HandleTraits>;  // events, mutexes, threads, processes
using UniqueFile = Unique<FileTraits>;
using UniqueFind = Unique<FindTraits>;
using UniqueMemDc = Unique<MemDcTraits>;  // CreateCompatibleDC; GetDC/BeginPaint are in Gdi.h
using UniqueBitmap = Unique<GdiTraits<HBITMAP>>;
using UniqueFont = Unique<GdiTraits<HFONT>>;
using UniqueBrush = Unique<GdiTraits<HBRUSH>>;
using UniquePen = Unique<GdiTraits<HPEN>>;
using UniqueRgn = Unique<GdiTraits<HRGN>>;  // not after SetWindowRgn: the window owns it then
using UniqueIcon = Unique<IconTraits>;
using UniqueMenu = Unique<MenuTraits>;
using UniqueHook = Unique<HookTraits>;
using UniqueWinEventHook = Unique<WinEventHookTraits>;
using UniqueKey = Unique<KeyTraits>;  // never hand it a predefined key such as HKEY_CURRENT_USER
using UniqueModule = Unique<ModuleTraits>;
using UniqueGlobal = Unique<GlobalTraits>;  // Release() once the clipboard has taken it
using UniqueHwnd = Unique<HwndTraits>;  // plain windows that have no Window object
using UniqueImageList = Unique<ImageListTraits>;

}  // namespace winfx
