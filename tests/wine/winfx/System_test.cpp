// Registry helpers, module paths and the memory and clipboard guards.
#include <gtest/gtest.h>

#include <cstring>

#include "winfx/Winfx.h"

using namespace winfx;

namespace {
const char kTestKey[] = "Software\\WinfxTest\\Pelux\\AppUpdate";
}

TEST(Registry, ValuesRoundTripInUtf8) {
    {
        UniqueKey key = KeyCreate(HKEY_CURRENT_USER, kTestKey);
        ASSERT_TRUE(key);
        EXPECT_TRUE(KeySetString(key.Get(), "路径", "C:\\表情\\Pelumo.exe"));
        EXPECT_TRUE(KeySetString(key.Get(), "empty", ""));
        EXPECT_TRUE(KeySetDword(key.Get(), "NextFaceUpdateFlag", 3));
    }
    UniqueKey key = KeyOpen(HKEY_CURRENT_USER, kTestKey);
    ASSERT_TRUE(key);
    EXPECT_EQ(KeyGetString(key.Get(), "路径"), std::optional<std::string>("C:\\表情\\Pelumo.exe"));
    EXPECT_EQ(KeyGetString(key.Get(), "empty"), std::optional<std::string>(""));
    EXPECT_EQ(KeyGetDword(key.Get(), "NextFaceUpdateFlag"), std::optional<DWORD>(3));
    EXPECT_EQ(KeyGetString(key.Get(), "missing"), std::nullopt);
    EXPECT_EQ(KeyGetDword(key.Get(), "路径"), std::nullopt) << "a text is no number";
    EXPECT_EQ(KeyGetString(key.Get(), "NextFaceUpdateFlag"), std::nullopt) << "a number is no text";
    EXPECT_FALSE(KeySetString(key.Get(), "x", "y")) << "opened for reading only";
    EXPECT_TRUE(KeyDeleteTree(HKEY_CURRENT_USER, "Software\\WinfxTest"));
    EXPECT_FALSE(KeyOpen(HKEY_CURRENT_USER, kTestKey));
    EXPECT_FALSE(KeyDeleteTree(HKEY_CURRENT_USER, ""));
}

TEST(Registry, UnterminatedAndOddLengthTextsAreBounded) {
    UniqueKey key = KeyCreate(HKEY_CURRENT_USER, kTestKey);
    ASSERT_TRUE(key);
    const wchar_t raw[] = L"abcdef";
    // Four characters, no terminator; then five characters and one stray byte.
    ASSERT_EQ(RegSetValueExW(key.Get(), L"cut", 0, REG_SZ, reinterpret_cast<const BYTE*>(raw), 8), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key.Get(), L"odd", 0, REG_SZ, reinterpret_cast<const BYTE*>(raw), 11), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key.Get(), L"short", 0, REG_DWORD, reinterpret_cast<const BYTE*>(raw), 2), ERROR_SUCCESS);
    const BYTE bin[] = {0, 1, 2, 0xFF};
    ASSERT_EQ(RegSetValueExW(key.Get(), L"bin", 0, REG_BINARY, bin, 4), ERROR_SUCCESS);
    EXPECT_EQ(KeyGetString(key.Get(), "cut"), std::optional<std::string>("abcd"));
    EXPECT_EQ(KeyGetString(key.Get(), "odd"), std::optional<std::string>("abcde"));
    EXPECT_EQ(KeyGetDword(key.Get(), "short"), std::nullopt) << "two bytes are no DWORD";
    EXPECT_EQ(KeyGetBinary(key.Get(), "bin"), std::optional<std::vector<BYTE>>({0, 1, 2, 0xFF}));
    EXPECT_TRUE(KeyDeleteValue(key.Get(), "bin"));
    EXPECT_EQ(KeyGetBinary(key.Get(), "bin"), std::nullopt);
    key.Reset();
    EXPECT_TRUE(KeyDeleteTree(HKEY_CURRENT_USER, "Software\\WinfxTest"));
}

TEST(Module, FileNameOfTheProgramAndOfThisModule) {
    const std::string exe = ModuleFileName();
    ASSERT_GT(exe.size(), 4u);
    EXPECT_EQ(exe.substr(exe.size() - 19), "winfx_wine_test.exe");
    EXPECT_EQ(ModuleFileName(ThisModule()), exe) << "linked into the .exe here";
    EXPECT_NE(ModuleFileName(GetModuleHandleW(L"user32.dll")).find("user32"), std::string::npos);
}

TEST(Memory, GlobalLockGuardUnlocksAndClipboardLockCloses) {
    UniqueGlobal mem(GlobalAlloc(GMEM_MOVEABLE, 5));
    ASSERT_TRUE(mem);
    {
        GlobalLockGuard lock(mem.Get());
        ASSERT_TRUE(lock);
        EXPECT_GE(lock.Size(), 5u);
        memcpy(lock.Data(), "face", 5);
        EXPECT_EQ(GlobalFlags(mem.Get()) & GMEM_LOCKCOUNT, 1u);
    }
    EXPECT_EQ(GlobalFlags(mem.Get()) & GMEM_LOCKCOUNT, 0u);
    EXPECT_FALSE(GlobalLockGuard(nullptr));

    Window owner;
    WindowArgs a;
    a.className = "WinfxTestClipOwner";
    ASSERT_TRUE(owner.Create(a));
    {
        ClipboardLock clip(owner.Hwnd());
        ASSERT_TRUE(clip);
        EXPECT_EQ(GetOpenClipboardWindow(), owner.Hwnd());
    }
    EXPECT_EQ(GetOpenClipboardWindow(), nullptr);
}
