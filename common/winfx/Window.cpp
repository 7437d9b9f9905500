#include "winfx/Window.h"

#include <exception>

#include "winfx/Gdi.h"
#include "winfx/Wide.h"

namespace winfx {
namespace {

bool EnsureClass(const WindowArgs& a, const std::wstring& name, WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(a.instance, name.c_str(), &wc)) {
        if (wc.lpfnWndProc == proc) return true;
        // Left behind by an earlier load of this DLL (classes outlive an unloaded DLL),
        // or a class of another procedure: replace it if no window uses it.
        if (wc.hInstance != a.instance || !UnregisterClassW(name.c_str(), a.instance)) return false;
    }
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.style = a.classStyle;
    wc.lpfnWndProc = proc;
    wc.hInstance = a.instance;
    wc.hIcon = a.icon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = a.background;
    wc.lpszClassName = name.c_str();
    return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

Window::~Window() {
    if (!m_hwnd) return;
    HWND h = m_hwnd;
    // The derived part of the object is already gone, so the window's last messages
    // go to the default procedure.
    Unbind();
    DestroyWindow(h);
}

bool Window::Create(const WindowArgs& a) {
    if (m_hwnd) return false;
    const std::wstring cls = ToWide(a.className);
    // A class of the same name with another procedure would never bind this object.
    if (!EnsureClass(a, cls, &Window::Proc)) return false;
    HWND h = CreateWindowExW(a.exStyle, cls.c_str(), ToWide(a.title).c_str(), a.style, a.x, a.y,
                             a.width, a.height, a.parent, reinterpret_cast<HMENU>(a.idOrMenu),
                             a.instance, this);
    if (h && h != m_hwnd) DestroyWindow(h);  // never leave a window nobody owns
    return h != nullptr && h == m_hwnd;
}

void Window::Destroy() noexcept {
    if (m_hwnd) DestroyWindow(m_hwnd);  // WM_NCDESTROY unbinds
}

Window* Window::FromHwnd(HWND hwnd) noexcept {
    if (!hwnd) return nullptr;
    Window* w = nullptr;
    // The class procedure, not the window's: subclassing (a tooltip's, for one) changes
    // only the latter.
    if (reinterpret_cast<WNDPROC>(GetClassLongPtrW(hwnd, GCLP_WNDPROC)) == &Window::Proc)
        w = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    else if (reinterpret_cast<DLGPROC>(GetWindowLongPtrW(hwnd, DWLP_DLGPROC)) == &Window::DialogProc)
        w = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    return w && w->m_hwnd == hwnd ? w : nullptr;
}

void Window::Bind(HWND hwnd, bool dialog) noexcept {
    m_hwnd = hwnd;
    m_dialog = dialog;
    SetWindowLongPtrW(hwnd, dialog ? DWLP_USER : GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void Window::Unbind() noexcept {
    if (!m_hwnd) return;
    SetWindowLongPtrW(m_hwnd, m_dialog ? DWLP_USER : GWLP_USERDATA, 0);
    if (m_modelessApp) m_modelessApp->RemoveModeless(m_hwnd);
    m_modelessApp = nullptr;
    m_hwnd = nullptr;
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        if (self && !self->m_hwnd) self->Bind(hwnd, false);
    }
    Window* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || self->m_hwnd != hwnd) return DefWindowProcW(hwnd, msg, wp, lp);
    Outcome outcome;
    const LRESULT r = self->SafeOnMessage(msg, wp, lp, outcome);
    if (msg == WM_NCDESTROY && self->m_hwnd == hwnd) {
        self->Unbind();
        self->SafeFinalMessage();  // may delete self: nothing touches it afterwards
    }
    return r;
}

void Window::SafeFinalMessage() noexcept {
    try {
        OnFinalMessage();
    } catch (const std::exception& e) {
        OnException(e.what());  // the object is still there: it threw before deleting itself
    } catch (...) {
        OnException("unknown exception");
    }
}

LRESULT Window::SafeOnMessage(UINT msg, WPARAM wp, LPARAM lp, Outcome& outcome) noexcept {
    const bool outer = m_defaulted;  // handlers may send messages to their own window
    m_defaulted = false;
    LRESULT r = 0;
    try {
        r = OnMessage(msg, wp, lp);
        outcome = m_defaulted ? Outcome::Defaulted : Outcome::Handled;
    } catch (const std::exception& e) {
        OnException(e.what());
        outcome = Outcome::Threw;
    } catch (...) {
        OnException("unknown exception");
        outcome = Outcome::Threw;
    }
    m_defaulted = outer;
    if (outcome == Outcome::Handled) return r;
    if (msg == WM_CREATE) return -1;  // a handler that threw in creation fails it
    if (m_dialog || !m_hwnd) return 0;  // the dialog manager does its default
    return DefWindowProcW(m_hwnd, msg, wp, lp);
}

LRESULT Window::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_CREATE:
        return OnCreate(*reinterpret_cast<CREATESTRUCTW*>(lp)) ? 0 : -1;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_CLOSE:
        if (OnClose()) return 0;
        break;
    case WM_COMMAND:
        if (OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp))) return 0;
        break;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<NMHDR*>(lp));
    case WM_PAINT: {
        PaintDc dc(m_hwnd);
        OnPaint(dc.Get(), dc.Info());
        return 0;
    }
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wp));
        return 0;
    case WM_SIZE:
        OnSize(static_cast<UINT>(wp), static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
        break;
    }
    return DefaultProc(msg, wp, lp);
}

LRESULT Window::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
    return DefWindowProcW(m_hwnd, msg, wp, lp);
}

bool Window::OnCommand(int, int, HWND) {
    return false;
}

void Window::OnException(const char* what) noexcept {
    OutputDebugStringA("winfx: a message handler threw: ");
    OutputDebugStringA(what ? what : "");  // diagnostics only; bytes as they come
}

}  // namespace winfx
