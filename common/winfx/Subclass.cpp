#include "winfx/Subclass.h"

#include <commctrl.h>

#include <exception>

namespace winfx {
namespace {
constexpr UINT_PTR kSubclassId = 0x57465831;  // one winfx subclass per window
}

Subclass::~Subclass() {
    Detach();
}

bool Subclass::Attach(HWND hwnd) noexcept {
    if (m_hwnd || !hwnd) return false;
    if (!SetWindowSubclass(hwnd, &Subclass::Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) return false;
    m_hwnd = hwnd;
    return true;
}

void Subclass::Detach() noexcept {
    if (!m_hwnd) return;
    RemoveWindowSubclass(m_hwnd, &Subclass::Proc, kSubclassId);
    m_hwnd = nullptr;
}

LRESULT Subclass::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) noexcept {
    return DefSubclassProc(m_hwnd, msg, wp, lp);
}

void Subclass::OnException(const char* what) noexcept {
    OutputDebugStringA("winfx: a subclass handler threw: ");
    OutputDebugStringA(what ? what : "");
}

LRESULT CALLBACK Subclass::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    auto* self = reinterpret_cast<Subclass*>(ref);
    if (!self || self->m_hwnd != hwnd) return DefSubclassProc(hwnd, msg, wp, lp);
    LRESULT r;
    try {
        r = self->OnMessage(msg, wp, lp);
    } catch (const std::exception& e) {
        self->OnException(e.what());
        r = DefSubclassProc(hwnd, msg, wp, lp);
    } catch (...) {
        self->OnException("unknown exception");
        r = DefSubclassProc(hwnd, msg, wp, lp);
    }
    if (msg == WM_NCDESTROY && self->m_hwnd == hwnd) self->Detach();
    return r;
}

}  // namespace winfx
