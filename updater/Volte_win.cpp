// Volte.exe: program and face-pack updater. One instance per window title: a later start
// brings the first window forward and, unless it asks for a program update, hands its
// command line over.
#include <winsock2.h>
#include <windows.h>
#include <objbase.h>

#include <string>

#include "CommandLine.h"
#include "UpdateDlg_win.h"
#include "winfx/App.h"
#include "winfx/Unique.h"
#include "winfx/Wide.h"

namespace {

void Forward(HWND window, const std::string& commandLine) {
    const std::wstring wide = winfx::ToWide("$" + commandLine);
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(n), '\0');  // n counts the terminator
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi.data(), n, nullptr, nullptr);
    COPYDATASTRUCT data{0, static_cast<DWORD>(ansi.size()), ansi.data()};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 60000, &ignored);
}

void BringForward(HWND window) {
    SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    ShowWindow(window, SW_SHOW);
    BringWindowToTop(window);
    if (IsIconic(window)) SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    SetForegroundWindow(window);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR cmdLine, int) {
    const std::string commandLine = update::StripEnclosingQuotes(winfx::ToUtf8(cmdLine));
    const std::string title = update::TitleFor(commandLine);
    const std::wstring wideTitle = winfx::ToWide(title);

    winfx::UniqueHandle mutex(CreateMutexW(nullptr, FALSE, wideTitle.c_str()));
    if (mutex && WaitForSingleObject(mutex.Get(), 0) == WAIT_TIMEOUT) {
        if (HWND first = FindWindowW(L"#32770", wideTitle.c_str())) {
            BringForward(first);
            if (commandLine.find("-upgrade") == std::string::npos && !commandLine.empty()) Forward(first, commandLine);
        }
        return 0;
    }

    winfx::App app;
    const HRESULT com = CoInitialize(nullptr);
    int running = 0;
    {
        CUpdateDlg dialog(commandLine, title);
        dialog.DoModal(nullptr);
        running = dialog.RunningWorkers();
        if (running > 0) ExitProcess(0);  // downloads still running are not waited for
    }
    if (SUCCEEDED(com)) CoUninitialize();
    if (mutex) ReleaseMutex(mutex.Get());
    return 0;
}
