#include "ChatWindow_win.h"

#include <utility>

#include "Log_win.h"
#include "LogText.h"
#include "WinText_win.h"

namespace fakeqq {
namespace {

constexpr UINT_PTR kDockTimer = 0xD0C;
// Long enough for a peer that docks beside us in reply to our move to have finished.
constexpr UINT kDockDelayMs = 150;
constexpr int kMargin = 4;

std::string RectText(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return BoxText(r.left, r.top, r.right, r.bottom);
}

}  // namespace

ChatWindow::ChatWindow(int id, WindowSpec spec, Log& log)
    : m_id(id), m_spec(std::move(spec)), m_log(log) {
    m_font = CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, L"SimSun");
}

ChatWindow::~ChatWindow() {
    if (m_frame) DestroyWindow(m_frame);
    if (m_font) DeleteObject(m_font);
}

bool ChatWindow::Create(HINSTANCE instance) {
    if (!BuildShape(*this, instance) || !BuildExtraTree()) return false;
    const Placement p = m_spec.placement.value_or(DefaultPlacement(m_id));
    SetWindowPos(m_frame, nullptr, p.x, p.y, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowTextW(m_frame, Wide(m_spec.title).c_str());
    Layout();
    m_log.Write("WINDOW id=" + std::to_string(m_id) + " kind=" + WindowKindName(m_spec.kind) +
                " hwnd=" + HandleText(m_frame) + " input=" + HandleText(m_input) +
                " class=" + ClassNameOf(m_frame) + " title=" + EscapeLogText(TextOf(m_frame)));
    m_live = true;
    ShowWindow(m_frame, SW_SHOWNORMAL);
    UpdateWindow(m_frame);
    return true;
}

void ChatWindow::Attach(HWND frame, HWND input, HWND history) {
    m_frame = frame;
    m_input = input;
    m_history = history;
}

void ChatWindow::AddRow(HWND row, int fixedHeight, int weight) {
    m_rows.push_back({row, fixedHeight, weight});
}

void ChatWindow::Layout() {
    if (!m_frame || IsIconic(m_frame)) return;
    RECT client{};
    GetClientRect(m_frame, &client);
    const int width = client.right - 2 * kMargin;
    int free = client.bottom - kMargin;
    int weights = 0;
    for (const Row& r : m_rows) {
        free -= (r.fixedHeight > 0 ? r.fixedHeight : 0) + kMargin;
        if (r.fixedHeight <= 0) weights += r.weight;
    }
    if (free < 0) free = 0;
    int y = kMargin;
    for (const Row& r : m_rows) {
        const int h = r.fixedHeight > 0 ? r.fixedHeight : (weights ? free * r.weight / weights : 0);
        MoveWindow(r.hwnd, kMargin, y, width > 0 ? width : 0, h, TRUE);
        y += h + kMargin;
    }
}

bool ChatWindow::BuildExtraTree() {
    const ExtraTree& extra = m_spec.extra;
    if (extra.deep <= 0 && extra.wide <= 0) return true;
    // Hidden and silent: no WM_PARENTNOTIFY up a long chain for every window made.
    auto make = [](HWND parent) {
        return CreateWindowExW(WS_EX_NOPARENTNOTIFY, L"Static", L"", WS_CHILD, 0, 0, 1, 1, parent,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    };
    HWND parent = m_frame;
    for (int i = 0; i < extra.deep; ++i)
        if (!(parent = make(parent))) return false;
    for (int i = 0; i < extra.wide; ++i)
        if (!make(m_frame)) return false;
    // The window's own children go behind the filler, keeping their order.
    for (const Row& r : m_rows)
        SetWindowPos(r.hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_log.Write("TREE id=" + std::to_string(m_id) + " deep=" + std::to_string(extra.deep) +
                " wide=" + std::to_string(extra.wide));
    return true;
}

void ChatWindow::ArmSelfDestruct() { m_selfDestruct = true; }

bool ChatWindow::OnPosChanging(const WINDOWPOS& pos) {
    // A raise: the z-order changes, nothing else.
    const UINT raise = SWP_NOMOVE | SWP_NOSIZE;
    if (!m_selfDestruct || (pos.flags & raise) != raise || (pos.flags & SWP_NOZORDER)) return false;
    m_selfDestruct = false;
    m_log.Write("SELFDESTRUCT id=" + std::to_string(m_id));
    DestroyWindow(m_frame);
    return true;
}

void ChatWindow::ScheduleDockCheck() { SetTimer(m_frame, kDockTimer, kDockDelayMs, nullptr); }

bool ChatWindow::OnFrameMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    if (!m_frame || !m_live) return false;  // still being built: nothing to log yet
    const std::string id = " id=" + std::to_string(m_id);
    switch (msg) {
        case WM_ACTIVATE:
            if (LOWORD(wp) == WA_INACTIVE) {
                m_log.Write("DEACTIVATED" + id);
                return false;
            }
            m_log.Write("ACTIVATED" + id);
            // A messenger keeps its input focused while its window is active; the sender
            // relies on that for windows it does not focus itself.
            if (m_input) SetFocus(m_input);
            ScheduleDockCheck();
            *result = 0;
            return m_input != nullptr;
        case WM_WINDOWPOSCHANGING:
            if (!OnPosChanging(*reinterpret_cast<const WINDOWPOS*>(lp))) return false;
            *result = 0;
            return true;
        case WM_WINDOWPOSCHANGED: {
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lp);
            const bool changed = !(pos->flags & SWP_NOMOVE) || !(pos->flags & SWP_NOSIZE);
            if (changed && !IsIconic(m_frame)) {
                m_log.Write("MOVED" + id + " rect=" + RectText(m_frame));
                ScheduleDockCheck();
            }
            return false;  // the default turns it into WM_MOVE and WM_SIZE
        }
        case WM_SIZE:
            if (wp == SIZE_MINIMIZED) {
                if (!m_minimized) m_log.Write("MINIMIZED" + id);
                m_minimized = true;
            } else {
                if (m_minimized) m_log.Write("RESTORED" + id);
                m_minimized = false;
                Layout();
            }
            *result = 0;
            return true;
        case WM_TIMER:
            if (wp != kDockTimer) return false;
            KillTimer(m_frame, kDockTimer);
            LogDocked();
            *result = 0;
            return true;
        case WM_CLOSE:
            DestroyWindow(m_frame);
            *result = 0;
            return true;
        case WM_DESTROY:
            m_log.Write("CLOSED" + id);
            return false;
        case WM_NCDESTROY:
            m_frame = m_input = m_history = nullptr;
            m_rows.clear();
            return false;
        default:
            return false;
    }
}

void ChatWindow::OnFocus(HWND control) {
    m_log.Write("FOCUS id=" + std::to_string(m_id) + " class=" + ClassNameOf(control));
}

void ChatWindow::LogDocked() {
    if (m_frame) LogDockedWindows(*this);
}

}  // namespace fakeqq
