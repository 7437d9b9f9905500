// Starts the installed SkinGallery.exe and finds its windows and controls the way a
// person sees them: by the names the gallery puts on them, with real mouse input.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace galtest {

class Gallery {
public:
    // Starts SkinGallery.exe from the program folder with these arguments.
    explicit Gallery(const std::vector<std::string>& args);
    ~Gallery();   // ends the program if it still runs
    Gallery(const Gallery&) = delete;
    Gallery& operator=(const Gallery&) = delete;

    bool Started() const { return m_process != nullptr; }
    // The window of "FILE:SECTION", waiting until it is shown; null if it never is.
    HWND Window(const std::string& key) const;
    // The skinned control with this skin name inside window; null when none.
    HWND Control(HWND window, const std::string& name) const;
    bool WaitForExit(DWORD ms, DWORD* exitCode = nullptr) const;

private:
    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
};

// Real mouse input at screen points (the cursor moves there first).
void ClickAt(POINT screen);
void DragFrom(POINT from, POINT to);
POINT CentreOf(HWND hwnd);   // screen coordinates
bool IsChecked(HWND control);

// The client size a section was drawn for, read from the installed skin file.
SIZE DesignedSize(const std::string& file, const std::string& section);

}  // namespace galtest
