// The application object: one per UI thread. Runs the message loop and gives the
// registered modeless dialogs their keyboard navigation (IsDialogMessage).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace winfx {

// The module this code is linked into: the .exe, or the DLL for Mienko/MienkoAgent.
HINSTANCE ThisModule() noexcept;
// Full path of a module's file (null: the process's .exe), UTF-8; empty on failure.
std::string ModuleFileName(HMODULE module = nullptr);

class App {
public:
    // Registers the common control classes the wrappers use.
    explicit App(HINSTANCE instance = ThisModule());
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    HINSTANCE Instance() const noexcept { return m_instance; }

    // Runs until WM_QUIT and returns its exit code (-1 if GetMessage fails).
    int Run();
    // Dispatches the messages already queued; false once WM_QUIT was taken.
    bool PumpWaiting();
    // IsDialogMessage for the registered dialog that msg belongs to; true if consumed.
    bool PreTranslate(MSG& msg);

    // Dialog::CreateModeless registers and unregisters; a dialog must not outlive the App.
    void AddModeless(HWND dialog);
    void RemoveModeless(HWND dialog) noexcept;
    size_t ModelessCount() const noexcept { return m_modeless.size(); }

private:
    HINSTANCE m_instance;
    std::vector<HWND> m_modeless;
};

}  // namespace winfx
