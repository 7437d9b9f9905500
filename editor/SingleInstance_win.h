// One editor at a time: a second start passes its command line to the running editor
// as "$" + text in the system's 8-bit code page, brings it forward, and ends.
#pragma once
#include <windows.h>

#include <string>

namespace editor {

// The system's 8-bit form of a UTF-8 text and back (the forwarded command line crosses
// process boundaries in this form).
std::string AnsiFromUtf8(const std::string& utf8);
std::string Utf8FromAnsi(const std::string& ansi);

// Restores and raises `window`, then sends it "$" + commandLine (with its NUL) when there
// is any text. True when the text was delivered (or there was none).
bool ForwardCommandLine(HWND window, const std::string& commandLine);

// The running editor's window, or null.
HWND FindEditorWindow();
// Sends UM_LIBRARY_CHANGED to the picker's window when it runs; a hung picker does not
// hang the editor.
void NotifyPicker();

}  // namespace editor
