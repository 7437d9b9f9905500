// WineReady.exe: waits until this Wine session can make top-level windows, then exits 0.
// A session's first program starts the desktop process and gives it ten seconds; on a slow
// (emulated, busy) machine that is not enough and the program's windows all fail. The harness
// runs this first, so the test starts on a session whose desktop is up.
//   WineReady [seconds]      (default 120; exit 1 when the desktop never came)
#include <windows.h>

#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    const ULONGLONG limitMs = 1000ull * static_cast<ULONGLONG>(argc > 1 ? _wtoi(argv[1]) : 120);
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 nullptr, nullptr);
        if (w) {
            DestroyWindow(w);
            return 0;
        }
        if (GetTickCount64() - start >= limitMs) return 1;
        Sleep(250);
    }
}
