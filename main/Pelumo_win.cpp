// Pelumo.exe: the face picker. One instance per session: a second start hands its
// command line to the first and ends.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "CommandLine.h"
#include "MienkoMainDlg_win.h"
#include "Siblings_win.h"
#include "winfx/App.h"
#include "winfx/Com.h"
#include "winfx/Unique.h"
#include "winfx/Wide.h"

namespace {

// The command line after the program name, as one opaque text.
std::wstring Parameters() {
    const wchar_t* p = GetCommandLineW();
    if (*p == L'"') {
        ++p;
        while (*p && *p != L'"') ++p;
        if (*p) ++p;
    } else {
        while (*p && *p != L' ' && *p != L'\t') ++p;
    }
    while (*p == L' ' || *p == L'\t') ++p;
    return p;
}

void ForwardToFirstInstance(const std::wstring& params) {
    HWND first = FindWindowW(L"#32770", winfx::ToWide(CMienkoMainDlg::kTitle).c_str());
    if (!first) return;
    // A first instance that hangs or is being ended must not hang this one too.
    const auto restore = [first] {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(first, WM_SYSCOMMAND, SC_RESTORE, 0, SMTO_NORMAL, 30000, &ignored);
    };
    restore();
    ShowWindow(first, SW_SHOW);
    BringWindowToTop(first);
    if (IsIconic(first)) restore();
    SetForegroundWindow(first);
    const std::string text = Utf8ToAnsi(winfx::ToUtf8(params));
    if (!cmdline::ShouldForward(text)) return;
    std::vector<char> bytes = cmdline::EncodeForward(text);
    COPYDATASTRUCT cds{};
    cds.dwData = 0;
    cds.cbData = static_cast<DWORD>(bytes.size());
    cds.lpData = bytes.data();
    DWORD_PTR result = 0;
    SendMessageTimeoutW(first, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds), SMTO_NORMAL, 30000, &result);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    winfx::UniqueHandle mutex(CreateMutexW(nullptr, FALSE, L"MienkoMain"));
    const DWORD wait = mutex ? WaitForSingleObject(mutex.Get(), 0) : WAIT_FAILED;
    if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) {
        ForwardToFirstInstance(Parameters());
        return 0;
    }
    INITCOMMONCONTROLSEX icc{sizeof icc, 0xFF};
    InitCommonControlsEx(&icc);
    winfx::App app(instance);
    winfx::ComInit com;
    winfx::OleInit ole;
    CMienkoMainDlg dialog(winfx::ToUtf8(Parameters()));
    dialog.DoModal(nullptr);
    return 0;
}
