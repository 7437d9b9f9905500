// The window trees the main program and the hook look for, built from our own classes and
// the system's rich-edit and dialog classes.
#include <windows.h>
#include <richedit.h>

#include <cstring>
#include <vector>

#include "ChatWindow_win.h"

namespace fakeqq {
namespace {

constexpr wchar_t kTxClass[] = L"TXGuiFoundation";
constexpr wchar_t kAfxClass[] = L"AfxWnd42";
constexpr wchar_t kAtlInputClass[] = L"ATL:FakeQQInput";
constexpr wchar_t kAtlPanelClass[] = L"ATL:FakeQQPanel";
constexpr wchar_t kShellClass[] = L"Shell Embedding";
constexpr wchar_t kBarClass[] = L"Tencent_QQBar";
constexpr int kBarHeight = 26;

ChatWindow* Owner(HWND hwnd) {
    return reinterpret_cast<ChatWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void BindOwner(HWND hwnd, UINT msg, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    BindOwner(hwnd, msg, lp);
    ChatWindow* self = Owner(hwnd);
    try {
        LRESULT result = 0;
        if (self && self->OnFrameMessage(msg, wp, lp, &result)) return result;
    } catch (...) {
        // Nothing may unwind into user32; the message gets its default handling instead.
    }
    if (msg == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    return DefWindowProcW(hwnd, msg, wp, lp);
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lp);
        return FALSE;  // the input takes the focus once it exists
    }
    auto* self = reinterpret_cast<ChatWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    try {
        LRESULT result = 0;
        if (self && self->OnFrameMessage(msg, wp, lp, &result)) {
            SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, result);
            return TRUE;
        }
    } catch (...) {
    }
    return FALSE;
}

// Host windows (AfxWnd42, ATL:..., Shell Embedding) keep their one child filling them and
// hand the focus on to it.
LRESULT CALLBACK ContainerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SIZE:
            if (HWND child = GetWindow(hwnd, GW_CHILD))
                MoveWindow(child, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
            return 0;
        case WM_SETFOCUS:
            if (HWND child = GetWindow(hwnd, GW_CHILD)) SetFocus(child);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

// The toolbar strip: logs that it got the focus and passes it to the input, as a messenger's
// input host would.
LRESULT CALLBACK BarProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    BindOwner(hwnd, msg, lp);
    ChatWindow* self = Owner(hwnd);
    switch (msg) {
        case WM_SETFOCUS:
            if (self) {
                try {
                    self->OnFocus(hwnd);
                } catch (...) {
                }
                if (self->Input()) SetFocus(self->Input());
            }
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            RECT r{};
            GetClientRect(hwnd, &r);
            FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
            HGDIOBJ old = SelectObject(dc, self ? self->Font() : GetStockObject(DEFAULT_GUI_FONT));
            SetBkMode(dc, TRANSPARENT);
            r.left += 6;
            DrawTextW(dc, L"字体  表情  截图  Tencent_QQBar", -1, &r,
                      DT_SINGLELINE | DT_VCENTER | DT_LEFT);
            SelectObject(dc, old);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

bool RegisterOne(HINSTANCE instance, const wchar_t* name, WNDPROC proc, int background) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(background);
    wc.lpszClassName = name;
    return RegisterClassExW(&wc) != 0;
}

HWND Child(const wchar_t* cls, const wchar_t* text, DWORD style, HWND parent, ChatWindow& owner,
           DWORD exStyle = 0) {
    HWND h = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10,
                             parent, nullptr, GetModuleHandleW(nullptr), &owner);
    if (h) SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(owner.Font()), FALSE);
    return h;
}

HWND History(HWND parent, ChatWindow& owner) {
    return Child(L"Edit", L"", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL, parent,
                 owner, WS_EX_CLIENTEDGE);
}

HWND RichInput(const wchar_t* cls, HWND parent, ChatWindow& owner) {
    HWND input = Child(cls, L"", ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, parent,
                       owner);
    if (input) {
        SendMessageW(input, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
        SubclassInput(input, owner);
    }
    return input;
}

HWND CreateDialogFrame(ChatWindow& window, HINSTANCE instance) {
    // A bare in-memory template: the dialog class "#32770" is what matters, not the look.
    std::vector<WORD> tpl(16, 0);
    DLGTEMPLATE t{};
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
              WS_THICKFRAME | WS_CLIPCHILDREN;
    t.dwExtendedStyle = WS_EX_APPWINDOW;
    t.cx = 200;
    t.cy = 150;
    static_assert(sizeof t <= 10 * sizeof(WORD), "template header fits");
    memcpy(tpl.data(), &t, sizeof t);  // menu, class and title words stay 0
    return CreateDialogIndirectParamW(instance, reinterpret_cast<DLGTEMPLATE*>(tpl.data()),
                                      nullptr, DialogProc, reinterpret_cast<LPARAM>(&window));
}

bool BuildClassic(ChatWindow& w, HINSTANCE instance) {
    HWND frame = CreateDialogFrame(w, instance);
    if (!frame) return false;
    if (w.Spec().kind == WindowKind::ClassicPlain) {
        HWND label = Child(L"Static", L"系统消息：这不是聊天窗口。", SS_CENTER, frame, w);
        w.Attach(frame, nullptr, nullptr);
        if (!label) return false;
        w.AddRow(label, 0, 1);
        return true;
    }
    HWND history = History(frame, w);
    HWND bar = w.Spec().kind == WindowKind::ClassicBar ? Child(kBarClass, L"", 0, frame, w) : nullptr;
    HWND host = Child(kAfxClass, L"", WS_CLIPCHILDREN, frame, w, WS_EX_CLIENTEDGE);
    HWND input = host ? RichInput(L"RichEdit20A", host, w) : nullptr;
    w.Attach(frame, input, history);
    if (!history || !host || !input || (w.Spec().kind == WindowKind::ClassicBar && !bar))
        return false;
    w.AddRow(history, 0, 3);
    if (bar) w.AddRow(bar, kBarHeight, 0);
    w.AddRow(host, 0, 2);
    return true;
}

bool BuildTx(ChatWindow& w, HINSTANCE instance) {
    const WindowKind kind = w.Spec().kind;
    const Placement p = w.Spec().placement.value_or(DefaultPlacement(w.Id()));
    HWND frame = CreateWindowExW(WS_EX_APPWINDOW, kTxClass, L"",
                                 WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, p.x, p.y, p.width,
                                 p.height, nullptr, nullptr, instance, &w);
    if (!frame) return false;
    // The chat history of the real thing is an embedded browser: "Shell Embedding".
    HWND shell = kind == WindowKind::TxNoShell ? nullptr
                                               : Child(kShellClass, L"", WS_CLIPCHILDREN, frame, w);
    HWND history = History(shell ? shell : frame, w);
    HWND panel = kind == WindowKind::TxTwoAtl ? Child(kAtlPanelClass, L"", 0, frame, w) : nullptr;
    HWND host = Child(kAtlInputClass, L"", WS_CLIPCHILDREN, frame, w, WS_EX_CLIENTEDGE);
    HWND input = host ? RichInput(L"RichEdit20W", host, w) : nullptr;
    w.Attach(frame, input, history);
    if (!history || !host || !input || (kind != WindowKind::TxNoShell && !shell) ||
        (kind == WindowKind::TxTwoAtl && !panel))
        return false;
    w.AddRow(shell ? shell : history, 0, 3);
    if (panel) w.AddRow(panel, kBarHeight, 0);
    w.AddRow(host, 0, 2);
    return true;
}

}  // namespace

bool RegisterShapeClasses(HINSTANCE instance) {
    return RegisterOne(instance, kTxClass, FrameProc, COLOR_BTNFACE) &&
           RegisterOne(instance, kAfxClass, ContainerProc, COLOR_WINDOW) &&
           RegisterOne(instance, kAtlInputClass, ContainerProc, COLOR_WINDOW) &&
           RegisterOne(instance, kAtlPanelClass, ContainerProc, COLOR_BTNFACE) &&
           RegisterOne(instance, kShellClass, ContainerProc, COLOR_WINDOW) &&
           RegisterOne(instance, kBarClass, BarProc, COLOR_BTNFACE);
}

bool BuildShape(ChatWindow& window, HINSTANCE instance) {
    switch (window.Spec().kind) {
        case WindowKind::Classic:
        case WindowKind::ClassicBar:
        case WindowKind::ClassicPlain:
            return BuildClassic(window, instance);
        default:
            return BuildTx(window, instance);
    }
}

}  // namespace fakeqq
