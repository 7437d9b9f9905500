// RAII owners release exactly once; guards restore what they replaced; COM init balances.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "winfx/Winfx.h"

using namespace winfx;

namespace {

// Wine answers 0 (not counted); Windows counts the process's GDI objects.
DWORD GdiCount() {
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
}

LRESULT CALLBACK PassOn(int code, WPARAM wp, LPARAM lp) {
    return CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace

TEST(Owners, GdiObjectsAreDeletedWhenOwnersGo) {
    const DWORD before = GdiCount();
    std::vector<HGDIOBJ> raw;
    {
        std::vector<UniqueBrush> brushes;
        std::vector<UniqueRgn> rgns;
        UniquePen pen(CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
        UniqueFont font(CreateFontW(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
        UniqueBitmap bmp(CreateBitmap(4, 4, 1, 32, nullptr));
        for (int i = 0; i < 20; ++i) {
            brushes.emplace_back(CreateSolidBrush(RGB(i, 0, 0)));
            rgns.emplace_back(CreateRectRgn(0, 0, i + 1, i + 1));
        }
        for (auto& b : brushes) raw.push_back(b.Get());
        for (auto& r : rgns) raw.push_back(r.Get());
        raw.push_back(pen.Get());
        raw.push_back(font.Get());
        raw.push_back(bmp.Get());
        for (HGDIOBJ h : raw) ASSERT_NE(GetObjectType(h), 0u);
        if (before) {
            EXPECT_GE(GdiCount(), before + 43);
        }
    }
    for (HGDIOBJ h : raw) EXPECT_EQ(GetObjectType(h), 0u) << "not deleted: " << h;
    if (before) {
        EXPECT_EQ(GdiCount(), before);
    }
}

TEST(Owners, MoveTransfersOwnershipAndReleaseGivesItAway) {
    UniqueBrush a(CreateSolidBrush(RGB(9, 9, 9)));
    HBRUSH h = a.Get();
    UniqueBrush b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_EQ(b.Get(), h);
    UniqueBrush c;
    c = std::move(b);
    EXPECT_EQ(GetObjectType(h), static_cast<DWORD>(OBJ_BRUSH));
    HBRUSH raw = c.Release();
    EXPECT_FALSE(c);
    EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_BRUSH)) << "Release must not delete";
    c.Reset(raw);
    c.Reset(CreateSolidBrush(RGB(1, 1, 1)));
    EXPECT_EQ(GetObjectType(raw), 0u) << "Reset deletes the old object";
}

TEST(Owners, KernelHandlesAndFilesClose) {
    HANDLE ev;
    {
        UniqueHandle e(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        ASSERT_TRUE(e);
        ev = e.Get();
        DWORD flags;
        EXPECT_TRUE(GetHandleInformation(ev, &flags));
    }
    DWORD flags;
    EXPECT_FALSE(GetHandleInformation(ev, &flags));
    UniqueFile missing(CreateFileW(L"C:\\no\\such\\file.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(missing) << "INVALID_HANDLE_VALUE is the empty file owner";
}

TEST(Owners, RegistryKeyCloses) {
    HKEY raw = nullptr;
    {
        UniqueKey key;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\WinfxTest", 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, key.Put(), nullptr),
                  ERROR_SUCCESS);
        raw = key.Get();
        EXPECT_EQ(RegSetValueExW(raw, L"v", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&raw), 4),
                  ERROR_SUCCESS);
    }
    DWORD type;
    EXPECT_NE(RegQueryValueExW(raw, L"v", nullptr, &type, nullptr, nullptr), ERROR_SUCCESS);
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\WinfxTest");
}

TEST(Owners, SelectGuardRestoresThePreviousObjectOnTheSameDc) {
    WindowDc screen(nullptr);
    ASSERT_TRUE(screen);
    UniqueMemDc mem(CreateCompatibleDC(screen.Get()));
    UniqueBitmap bmp(CreateCompatibleBitmap(screen.Get(), 8, 8));
    UniqueBrush brush(CreateSolidBrush(RGB(0, 255, 0)));
    HGDIOBJ oldBmp = GetCurrentObject(mem.Get(), OBJ_BITMAP);
    HGDIOBJ oldBrush = GetCurrentObject(mem.Get(), OBJ_BRUSH);
    {
        SelectGuard g1(mem.Get(), bmp.Get());
        SelectGuard g2(mem.Get(), brush.Get());
        EXPECT_EQ(GetCurrentObject(mem.Get(), OBJ_BITMAP), bmp.Get());
        EXPECT_EQ(GetCurrentObject(mem.Get(), OBJ_BRUSH), brush.Get());
        PatBlt(mem.Get(), 0, 0, 8, 8, PATCOPY);
        EXPECT_EQ(GetPixel(mem.Get(), 3, 3), RGB(0, 255, 0));
    }
    EXPECT_EQ(GetCurrentObject(mem.Get(), OBJ_BITMAP), oldBmp);
    EXPECT_EQ(GetCurrentObject(mem.Get(), OBJ_BRUSH), oldBrush);
}

TEST(Owners, WindowDcIsReleasedToItsWindow) {
    WindowArgs a;
    a.className = "WinfxTestDc";
    Window w;
    ASSERT_TRUE(w.Create(a));
    HDC dc;
    {
        WindowDc wdc(w.Hwnd());
        dc = wdc.Get();
        ASSERT_NE(dc, nullptr);
        EXPECT_EQ(WindowFromDC(dc), w.Hwnd());
    }
    EXPECT_EQ(ReleaseDC(w.Hwnd(), dc), 0) << "already released";
}

TEST(Owners, IconMenuAndHookOwnersRelease) {
    HICON icon = CreateIcon(nullptr, 16, 16, 1, 1, std::vector<BYTE>(32, 0xFF).data(),
                            std::vector<BYTE>(32, 0).data());
    HMENU menu = CreatePopupMenu();
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, PassOn, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(icon && menu && hook);
    {
        UniqueIcon i(icon);
        UniqueMenu m(menu);
        UniqueHook h(hook);
    }
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_FALSE(UnhookWindowsHookEx(hook)) << "already unhooked";
    ICONINFO info;
    EXPECT_FALSE(GetIconInfo(icon, &info)) << "already destroyed";
}

TEST(Com, InitUninitialisesOnlyAfterSuccess) {
    std::thread([] {
        {
            ComInit sta;
            EXPECT_TRUE(sta.Ok());
            ComInit nested;  // S_FALSE: counts, and is balanced
            EXPECT_EQ(nested.Result(), S_FALSE);
            ComInit mta(COINIT_MULTITHREADED);  // another model: must not be balanced
            EXPECT_EQ(mta.Result(), RPC_E_CHANGED_MODE);
        }
        // All balanced: a fresh init succeeds with S_OK again.
        HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        EXPECT_EQ(hr, S_OK);
        if (SUCCEEDED(hr)) CoUninitialize();
    }).join();
}

TEST(Com, ComPtrCountsReferences) {
    ComInit com;
    ComPtr<IStream> s;
    ASSERT_EQ(CreateStreamOnHGlobal(nullptr, TRUE, s.Put()), S_OK);
    auto refs = [&] {
        s->AddRef();
        return s->Release();
    };
    const ULONG one = refs();
    {
        ComPtr<IStream> copy = s;
        EXPECT_EQ(refs(), one + 1);
        ComPtr<ISequentialStream> seq;
        EXPECT_EQ(copy.As(seq), S_OK);
        EXPECT_TRUE(seq);
        EXPECT_EQ(refs(), one + 2);
        ComPtr<IStream> moved = std::move(copy);
        EXPECT_FALSE(copy);
        EXPECT_EQ(refs(), one + 2);
    }
    EXPECT_EQ(refs(), one);
    ComPtr<IStream> empty;
    ComPtr<IUnknown> unk;
    EXPECT_EQ(empty.As(unk), E_POINTER);
}

TEST(Com, BstrConvertsUtf8BothWays) {
    Bstr b("表情 face");
    EXPECT_EQ(b.Length(), 7u);
    EXPECT_EQ(b.ToUtf8(), "表情 face");
    Bstr none;
    EXPECT_EQ(none.ToUtf8(), "");
    Bstr moved(std::move(b));
    EXPECT_EQ(b.Get(), nullptr);
    EXPECT_EQ(moved.ToUtf8(), "表情 face");
    *moved.Put() = SysAllocString(L"x");
    EXPECT_EQ(moved.ToUtf8(), "x");
}

TEST(Wide, ConvertsAtTheEdge) {
    EXPECT_EQ(ToWide("表情"), L"表情");
    EXPECT_EQ(ToUtf8(L"表情"), "表情");
    EXPECT_EQ(ToUtf8(static_cast<const wchar_t*>(nullptr)), "");
    EXPECT_EQ(ToWide("a\xFF"), L"a\xFFFD");
}
