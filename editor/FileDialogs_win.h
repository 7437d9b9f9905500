// The shell's file and folder pickers, in UTF-8. Filters are written the classic way,
// "text|pattern|...||".
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace editor {

// The chosen files in dialog order; empty on Cancel.
std::vector<std::string> AskOpenFiles(HWND owner, const std::string& filter, bool multiple,
                                      const std::string& defaultExtension = "");
// The chosen folder; empty on Cancel.
std::string AskFolder(HWND owner, const std::string& title);

}  // namespace editor
