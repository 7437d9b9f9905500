// Subclass: binds an object to an existing window that another procedure owns (a
// control from a dialog template) through SetWindowSubclass, so skinned or custom
// controls can take over some of its messages. Removed at WM_NCDESTROY or on
// destruction; exceptions are stopped at the trampoline, as for Window.
#pragma once
#include <windows.h>

namespace winfx {

class Subclass {
public:
    Subclass() noexcept = default;
    virtual ~Subclass();
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;

    bool Attach(HWND hwnd) noexcept;
    void Detach() noexcept;
    HWND Hwnd() const noexcept { return m_hwnd; }

protected:
    // Handle a message, or pass it on with DefaultProc.
    virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return DefaultProc(msg, wp, lp); }
    LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp) noexcept;  // the window's own procedure
    virtual void OnException(const char* what) noexcept;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);
    HWND m_hwnd = nullptr;
};

}  // namespace winfx
