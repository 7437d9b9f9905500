#include "SkinControl_win.h"

#include <commctrl.h>

#include <cwchar>

#include "winfx/Wide.h"

namespace {
constexpr UINT_PTR kSubclassId = 0x534B4E31;  // one id for every skinned control
// Finds the object of a control. (GetWindowSubclass is not exported by name everywhere.)
constexpr wchar_t kObjectProp[] = L"FacelibSkinControl";
}

SkinControl::~SkinControl() {
    if (!m_hwnd) return;
    HWND h = m_hwnd;
    Detach();
    DestroyWindow(h);
}

bool SkinControl::Create(const wchar_t* className, HWND parent, const RECT& r,
                         const std::string& text, DWORD style, int id) {
    if (m_hwnd) return false;
    HWND h = CreateWindowExW(0, className, winfx::ToWide(text).c_str(), style, r.left, r.top,
                             r.right - r.left, r.bottom - r.top, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                             nullptr);
    if (!h) return false;
    if (!Attach(h)) {
        DestroyWindow(h);
        return false;
    }
    return true;
}

bool SkinControl::Attach(HWND control) {
    if (m_hwnd || !control || FromHwnd(control)) return false;
    if (!SetPropW(control, kObjectProp, this)) return false;
    if (!SetWindowSubclass(control, &SkinControl::Proc, kSubclassId,
                           reinterpret_cast<DWORD_PTR>(this))) {
        RemovePropW(control, kObjectProp);
        return false;
    }
    m_hwnd = control;
    OnAttached();
    return true;
}

SkinControl* SkinControl::FromHwnd(HWND hwnd) noexcept {
    if (!hwnd) return nullptr;
    auto* control = static_cast<SkinControl*>(GetPropW(hwnd, kObjectProp));
    return control && control->m_hwnd == hwnd ? control : nullptr;
}

void SkinControl::Detach() noexcept {
    if (!m_hwnd) return;
    RemoveWindowSubclass(m_hwnd, &SkinControl::Proc, kSubclassId);
    RemovePropW(m_hwnd, kObjectProp);
    m_hwnd = nullptr;
}

LRESULT SkinControl::Default(UINT msg, WPARAM wp, LPARAM lp) {
    return m_hwnd ? DefSubclassProc(m_hwnd, msg, wp, lp) : 0;
}

void SkinControl::Repaint() const {
    if (m_hwnd && IsWindowVisible(m_hwnd)) {
        InvalidateRect(m_hwnd, nullptr, FALSE);
        UpdateWindow(m_hwnd);
    }
}

bool SkinControl::CursorOver() const {
    POINT pt;
    if (!m_hwnd || !GetCursorPos(&pt)) return false;
    return WindowFromPoint(pt) == m_hwnd;
}

LRESULT CALLBACK SkinControl::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                   DWORD_PTR data) {
    auto* self = reinterpret_cast<SkinControl*>(data);
    if (msg == WM_NCDESTROY) {
        // The window goes first: the object stays, without a window.
        if (self->m_hwnd == hwnd) self->Detach();
        else RemoveWindowSubclass(hwnd, &SkinControl::Proc, kSubclassId);
        RemovePropW(hwnd, kObjectProp);
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
    if (self->m_hwnd != hwnd) return DefSubclassProc(hwnd, msg, wp, lp);
    try {
        return self->OnMessage(msg, wp, lp);
    } catch (...) {
        // Nothing may unwind through user32.
        OutputDebugStringW(L"skinsys: a control handler threw");
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
}

bool ReflectDrawItem(LPARAM lp) {
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    if (!dis) return false;
    SkinControl* control = SkinControl::FromHwnd(dis->hwndItem);
    if (!control) return false;
    try {
        control->DrawItem(*dis);
    } catch (...) {
        OutputDebugStringW(L"skinsys: drawing a control threw");
    }
    return true;
}

void SkinTooltip::Set(HWND tool, const std::string& hint) {
    m_tip.Reset();
    if (!tool || hint.empty()) return;
    m_tip.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                GetParent(tool), nullptr, nullptr, nullptr));
    if (!m_tip) return;
    std::wstring text = winfx::ToWide(hint);
    TOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    ti.hwnd = GetParent(tool);
    ti.uId = reinterpret_cast<UINT_PTR>(tool);
    ti.lpszText = text.data();
    SendMessageW(m_tip.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
}

void RebuildFont(winfx::UniqueFont& font, bool bold, int height, const std::string& face) {
    LOGFONTW lf{};
    HGDIOBJ current = font ? static_cast<HGDIOBJ>(font.Get()) : GetStockObject(DEFAULT_GUI_FONT);
    GetObjectW(current, sizeof lf, &lf);
    if (!face.empty()) {
        std::wstring w = winfx::ToWide(face);
        wcsncpy(lf.lfFaceName, w.c_str(), LF_FACESIZE - 1);
        lf.lfFaceName[LF_FACESIZE - 1] = L'\0';
    }
    lf.lfHeight = height;
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    HFONT made = CreateFontIndirectW(&lf);
    if (made) font.Reset(made);
}
