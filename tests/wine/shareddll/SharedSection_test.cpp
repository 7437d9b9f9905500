// One copy of a DLL's shared section for every process that maps it: what the hook library
// relies on to hand the main program's windows to the hooked messenger and back.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "TestKit.h"

namespace {

using Install = BOOL(WINAPI*)(DWORD, HWND, HWND);
using Uninstall = BOOL(WINAPI*)(HWND);

std::wstring BinDir() {
    wchar_t path[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, n);
    return dir.substr(0, dir.find_last_of(L'\\') + 1);
}

std::wstring Hex(HWND h) {
    wchar_t buf[32];
    swprintf(buf, 32, L"%lx", static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(h)));
    return buf;
}

// Runs SharedProbeClient.exe with args in a process of its own; its exit code, or -1.
int Client(const std::wstring& args) {
    const std::wstring exe = BinDir() + L"SharedProbeClient.exe";
    std::wstring cmd = L"\"" + exe + L"\" " + args;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    CloseHandle(pi.hThread);
    DWORD code = static_cast<DWORD>(-1);
    const DWORD wait = static_cast<DWORD>(testkit::Scaled(std::chrono::seconds(15)).count());
    if (WaitForSingleObject(pi.hProcess, wait) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
    else TerminateProcess(pi.hProcess, 99);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

class SharedSection : public ::testing::Test {
protected:
    void SetUp() override {
        m_dll = LoadLibraryW((BinDir() + L"SharedProbe.dll").c_str());
        ASSERT_NE(m_dll, nullptr);
        m_install = reinterpret_cast<Install>(reinterpret_cast<void*>(GetProcAddress(m_dll, "InstallHook")));
        m_uninstall = reinterpret_cast<Uninstall>(reinterpret_cast<void*>(GetProcAddress(m_dll, "UninstallHook")));
        ASSERT_NE(m_install, nullptr);
        ASSERT_NE(m_uninstall, nullptr);
    }
    void TearDown() override {
        if (m_dll) FreeLibrary(m_dll);
    }

    // Fake handles: the probe only stores and compares them. Above 0xFFFF so a truncation
    // to 16 bits would show.
    const HWND kMain = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x5a0124));
    const HWND kTool = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x5a0188));
    const HWND kOther = reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x7b0040));
    HMODULE m_dll = nullptr;
    Install m_install = nullptr;
    Uninstall m_uninstall = nullptr;
};

TEST_F(SharedSection, OtherProcessSeesWhatThisOneWrote) {
    ASSERT_TRUE(m_install(GetCurrentThreadId(), kMain, kTool));
    EXPECT_EQ(Client(L"install " + Hex(kOther) + L" " + Hex(kOther)), 0) << "already installed, elsewhere";
    EXPECT_EQ(Client(L"uninstall " + Hex(kOther)), 0) << "not the installed window";
    EXPECT_EQ(Client(L"uninstall " + Hex(kMain)), 1);
    // ...and this process sees the other one's clearing.
    EXPECT_FALSE(m_uninstall(kMain));
    EXPECT_TRUE(m_install(GetCurrentThreadId(), kMain, kTool));
    EXPECT_TRUE(m_uninstall(kMain));
}

TEST_F(SharedSection, ThisProcessSeesWhatAnotherWrote) {
    ASSERT_EQ(Client(L"install " + Hex(kOther) + L" " + Hex(kTool)), 1);
    EXPECT_FALSE(m_install(GetCurrentThreadId(), kMain, kTool));
    EXPECT_FALSE(m_uninstall(kMain));
    EXPECT_TRUE(m_uninstall(kOther));
    EXPECT_TRUE(m_install(GetCurrentThreadId(), kMain, kTool));
    EXPECT_TRUE(m_uninstall(kMain));
}

TEST_F(SharedSection, ClientReportsAMissingLibraryOrBadArguments) {
    // The client's own failure codes must differ from the results the tests above expect.
    EXPECT_EQ(Client(L"frobnicate 1"), 2);
    EXPECT_EQ(Client(L"install 1"), 2);
}

}  // namespace
