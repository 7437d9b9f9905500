// Drives the installed Tessel.exe the way a user or a peer program does: starts it (or a
// second copy that passes its command line on), finds its windows and dialogs, clicks and
// types, and reads the face database afterwards. Also stands in for the picker's window.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "AdoConnection.h"
#include "AdoRecordSet.h"
#include "FaceLibrary.h"

namespace edtest {

std::wstring Wide(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

class EditorProcess {
public:
    EditorProcess() = default;
    ~EditorProcess();  // ends the program if it still runs
    EditorProcess(const EditorProcess&) = delete;
    EditorProcess& operator=(const EditorProcess&) = delete;

    // Starts APPDIR\Tessel.exe with `args` (the command line's tail, as given).
    bool Start(const std::string& args = "");
    // The editor's main window, once it shows; null if it never does.
    HWND Window(DWORD ms = 30000) const;
    bool WaitForExit(DWORD ms, DWORD* exitCode = nullptr) const;
    // WM_CLOSE and wait for the end.
    bool Close(DWORD ms = 30000);
    DWORD Pid() const { return m_pid; }

private:
    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
};

// A top-level dialog of the editor's process with this exact title (its message boxes
// carry the program's name), waiting until it shows.
HWND WaitDialog(DWORD pid, const std::string& title, DWORD ms = 20000);
// Any visible top-level window of `pid` other than `except`, or null.
HWND OtherWindowOf(DWORD pid, HWND except);
std::string TextOf(HWND hwnd);
// The text of the first static control of a message box (its message).
std::string MessageOf(HWND box);
// Posts a button click (WM_COMMAND with BN_CLICKED) for control `id` of `dialog`.
void ClickButton(HWND dialog, int id);
bool WaitGone(HWND window, DWORD ms = 20000);
// Lets the window's thread answer and paint before a screenshot.
void Settle(HWND window);

// Sends "$" + text + NUL with WM_COPYDATA, as a second start does.
bool SendCommandLine(HWND editor, const std::string& text, bool withDollar = true);

// The list view's item count and the label's text.
int CategoryCount(HWND editor);
std::string PageLabel(HWND editor);
bool IsControlVisible(HWND editor, int id);

// The cell windows of the faces panel, in grid order.
std::vector<HWND> Cells(HWND editor);
// The panel's hover preview (its one window larger than a cell).
HWND PreviewOf(HWND editor);

// A window of class "#32770" titled "PeluQQ表情精灵" that counts UM_LIBRARY_CHANGED.
class FakePicker {
public:
    FakePicker();
    ~FakePicker();
    FakePicker(const FakePicker&) = delete;
    FakePicker& operator=(const FakePicker&) = delete;
    int Reloads() const { return m_reloads; }

private:
    static INT_PTR CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    HWND m_hwnd = nullptr;
    int m_reloads = 0;
};

// The installed face database, opened for a look (reopen after the editor committed).
class Library {
public:
    explicit Library(const std::string& appDir);
    bool Ok() const { return m_ok; }
    FaceLibrary& Get() { return m_library; }
    std::vector<FaceRow> Faces(int category);  // display order, without images
    std::vector<std::string> Names(int category);

private:
    CAdoConnection m_connection;
    CAdoRecordSet m_recordset;
    FaceLibrary m_library{m_connection, m_recordset, nullptr};
    bool m_ok = false;
};

// Replaces the installed face database with an empty one holding these categories, each
// with `faces[i]` faces named NAME-k (thumbnails included). Category numbers are 1, 2, ...
bool SeedLibrary(const std::vector<std::string>& names, const std::vector<int>& faces, uint8_t seed = 0);
// Right-clicks / left-clicks a cell of the faces panel (messages to the cell window).
void RightClickCell(HWND cell);
void LeftClickCell(HWND cell);
// The popup menu window of the editor's thread, once it shows; null if it never does.
HWND WaitMenu(DWORD ms = 10000);

// A small GIF of one colour; different `seed`s give different bytes.
std::vector<uint8_t> ColourGif(uint8_t seed);
bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace edtest
