// Drives the shell's folder browser ("选择路径") of another process the way a user clicks
// through its tree: only handle-valued messages cross the process boundary, and the name
// of the selected folder is read back from the dialog's folder-name field.
#pragma once
#include <windows.h>

#include <string>

namespace edtest {

// The folder browser of `pid` once it shows (a top-level dialog holding a tree), or null.
HWND WaitFolderBrowser(DWORD pid, DWORD ms = 20000);

// Expands the tree from the desktop down to `path` (a drive path such as
// "C:\\a\\b") and selects that folder. False when a step cannot be found.
bool SelectFolder(HWND browser, const std::string& path);

// The name the dialog shows for the selected folder.
std::string SelectedFolderName(HWND browser);

}  // namespace edtest
