#include "ControlWindow_win.h"

#include "FakeQQProtocol.h"
#include "Log_win.h"
#include "LogText.h"
#include "WinText_win.h"

namespace fakeqq {
namespace {

constexpr UINT_PTR kLifetimeTimer = 1;
constexpr DWORD kMaxCommandBytes = 64 * 1024;

}  // namespace

ControlWindow::ControlWindow(CommandTarget& target, Log& log) : m_target(target), m_log(log) {}

ControlWindow::~ControlWindow() {
    if (m_hwnd) DestroyWindow(m_hwnd);
}

bool ControlWindow::Create(HINSTANCE instance, const std::string& tag, int lifetimeSeconds) {
    const std::wstring cls = Wide(kControlClass);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = cls.c_str();
    if (!RegisterClassExW(&wc)) return false;
    // A hidden top-level window rather than a message-only one: FindWindow finds it.
    m_hwnd = CreateWindowExW(WS_EX_TOOLWINDOW, cls.c_str(), Wide(tag).c_str(), WS_POPUP, 0, 0, 0,
                             0, nullptr, nullptr, instance, this);
    if (!m_hwnd) return false;
    if (lifetimeSeconds > 0)
        SetTimer(m_hwnd, kLifetimeTimer, static_cast<UINT>(lifetimeSeconds) * 1000u, nullptr);
    return true;
}

LRESULT CALLBACK ControlWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<ControlWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    try {
        if (self && msg == WM_COPYDATA && lp)
            return self->OnCopyData(*reinterpret_cast<const COPYDATASTRUCT*>(lp));
        if (self && msg == WM_TIMER && wp == kLifetimeTimer) {
            KillTimer(hwnd, kLifetimeTimer);
            self->m_target.OnLifetimeOver();
            return 0;
        }
    } catch (...) {
        return 0;  // a failed command answers 0
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (self) self->m_hwnd = nullptr;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

LRESULT ControlWindow::OnCopyData(const COPYDATASTRUCT& data) {
    if (data.dwData != kCopyDataTag || !data.lpData || data.cbData > kMaxCommandBytes) {
        m_log.Write("CMD result=0 text=(rejected: wrong tag, no data or too long)");
        return 0;
    }
    const std::string text(static_cast<const char*>(data.lpData), data.cbData);
    auto command = ParseCommand(text);
    const LRESULT result = command ? m_target.Execute(*command) : 0;
    std::string shown = text;
    while (!shown.empty() && shown.back() == '\0') shown.pop_back();
    m_log.Write("CMD result=" + std::to_string(static_cast<long long>(result)) +
                " text=" + EscapeLogText(shown));
    return result;
}

}  // namespace fakeqq
