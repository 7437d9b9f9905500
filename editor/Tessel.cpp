// Tessel.exe: the face library editor. One instance at a time (the mutex "ZevezEZ"); a
// second start hands its command line to the running editor and ends.
#include <windows.h>
#include <commctrl.h>

#include "CommandLineTail.h"
#include "SingleInstance_win.h"
#include "EditorIds.h"
#include "ZevezEZDlg_win.h"
#include "winfx/App.h"
#include "winfx/Com.h"
#include "winfx/Unique.h"
#include "winfx/Wide.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const std::string commandLine(
        recstub::ArgumentsOf(winfx::ToUtf8(GetCommandLineW())));
    winfx::UniqueHandle mutex(CreateMutexW(nullptr, FALSE, editor::kMutexName));
    DWORD taken = mutex ? WaitForSingleObject(mutex.Get(), 0) : WAIT_FAILED;
    if (mutex && taken != WAIT_OBJECT_0 && taken != WAIT_ABANDONED) {
        editor::ForwardCommandLine(editor::FindEditorWindow(), commandLine);
        return 0;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    winfx::OleInit ole;  // COM, and OLE for the drop target
    winfx::App app(instance);

    std::string program = winfx::ModuleFileName();
    program = program.substr(0, program.find_last_of('\\') + 1);
    {
        editor::CZevezEZDlg dialog(program, commandLine);
        dialog.DoModal(nullptr);
    }
    if (taken == WAIT_OBJECT_0 || taken == WAIT_ABANDONED) ReleaseMutex(mutex.Get());
    return 0;
}
