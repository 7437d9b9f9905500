// Window: the base of every window object. It owns its HWND: the object is bound to the
// window at WM_NCCREATE (WM_INITDIALOG for dialogs) and unbound at WM_NCDESTROY, so no
// message reaches an object after its window is gone or while it is being destroyed.
#pragma once
#include <windows.h>

#include <string>

#include "winfx/App.h"

namespace winfx {

class App;

struct WindowArgs {
    std::string className = "WinfxWindow";  // registered on first use with Window's procedure
    std::string title;
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
    HWND parent = nullptr;  // parent, owner of a top-level window, or HWND_MESSAGE
    UINT_PTR idOrMenu = 0;  // control id of a child window, HMENU of a top-level one
    HINSTANCE instance = ThisModule();
    // Used only when this call registers the class.
    UINT classStyle = CS_DBLCLKS;
    HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    HICON icon = nullptr;
};

class Window {
public:
    Window() noexcept = default;
    // Destroys a window that still exists; derived handlers are no longer called then.
    // A derived class that wants OnDestroy then must call Destroy() in its own destructor.
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Hwnd() const noexcept { return m_hwnd; }
    bool Create(const WindowArgs& args);
    void Destroy() noexcept;

    // The object bound to a window created through Window or Dialog, else null.
    static Window* FromHwnd(HWND hwnd) noexcept;

protected:
    // All messages come here; the base decodes the ones below into typed handlers and
    // passes the rest to DefaultProc. Override to handle others, then call the base.
    virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    // DefWindowProc for windows; "not handled" for dialogs (the dialog manager decides).
    virtual LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);

    virtual bool OnCreate(const CREATESTRUCTW&) { return true; }  // false fails creation
    virtual void OnDestroy() {}
    virtual bool OnClose() { return false; }  // true: handled, no default close
    virtual bool OnCommand(int id, int code, HWND control);  // false: not handled
    virtual LRESULT OnNotify(NMHDR&) { return 0; }
    virtual void OnPaint(HDC, const PAINTSTRUCT&) {}
    virtual void OnTimer(UINT_PTR) {}
    virtual void OnSize(UINT, int, int) {}  // type (SIZE_*), client width, height
    // After the window is gone and the object unbound: the place for `delete this`.
    virtual void OnFinalMessage() {}
    // A handler threw. The exception stops here: it never unwinds through user32.
    virtual void OnException(const char* what) noexcept;

private:
    friend class Dialog;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);  // Dialog.cpp
    enum class Outcome { Handled, Defaulted, Threw };
    // Calls OnMessage and catches everything; says whether DefaultProc answered.
    LRESULT SafeOnMessage(UINT msg, WPARAM wp, LPARAM lp, Outcome& outcome) noexcept;
    void SafeFinalMessage() noexcept;
    void Bind(HWND hwnd, bool dialog) noexcept;
    void Unbind() noexcept;

    HWND m_hwnd = nullptr;
    bool m_dialog = false;
    bool m_defaulted = false;   // set by Dialog::DefaultProc during one message
    App* m_modelessApp = nullptr;  // set while a modeless dialog is registered
};

}  // namespace winfx
