#include "DockKit_win.h"

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "FakeQQProtocol.h"
#include "TestKit.h"

namespace docktest {
namespace {

const char* Bool(bool b) { return b ? "1" : "0"; }

struct Find {
    DWORD pid;
    std::wstring needle;
    bool exact;
    HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND w, LPARAM lp) {
    auto* f = reinterpret_cast<Find*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    wchar_t cls[64] = {}, title[300] = {};
    GetClassNameW(w, cls, 64);
    GetWindowTextW(w, title, 300);
    if (pid != f->pid || std::wstring(cls) != L"#32770") return TRUE;
    const std::wstring t(title);
    if (f->exact ? t == f->needle : t.find(f->needle) != std::wstring::npos) {
        f->found = w;
        return FALSE;
    }
    return TRUE;
}

HWND FindByTitle(DWORD pid, const std::string& title, bool exact) {
    Find f{pid, testkit::Wide(title), exact};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&f));
    return f.found;
}

}  // namespace

bool WriteConfig(const std::string& app, const DockConfig& c) {
    std::ostringstream out;
    out << "<?xml version=\"1.0\" ?>\n<ROOT version=\"1\">\n"
        << "  <Menu_QQHook bool=\"" << Bool(c.menuQQHook) << "\" />\n"
        << "  <hook_win_show_left bool=\"" << Bool(c.showLeft) << "\" />\n"
        << "  <StartShowTool bool=\"" << Bool(c.startShowTool) << "\" />\n"
        << "  <UnhookHideQQTool bool=\"" << Bool(c.hiddenByUser) << "\" />\n"
        << "</ROOT>\n";
    FILE* f = _wfopen(testkit::Wide(app + "\\config.xml").c_str(), L"wb");
    if (!f) return false;
    const std::string text = out.str();
    const bool ok = fwrite(text.data(), 1, text.size(), f) == text.size();
    return fclose(f) == 0 && ok;
}

HWND FindMainWindow(DWORD pid) { return FindByTitle(pid, "PeluQQ表情精灵", true); }
HWND FindToolbar(DWORD pid) { return FindByTitle(pid, "PeluQQ表情工具栏", false); }

std::string TitleOf(HWND window) {
    wchar_t t[300] = {};
    GetWindowTextW(window, t, 300);
    return testkit::Narrow(t);
}

RECT RectOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

std::string RectText(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

RECT ToolbarBeside(HWND chat, HWND toolbar, bool left) {
    const RECT c = RectOf(chat), t = RectOf(toolbar);
    const LONG w = t.right - t.left, h = t.bottom - t.top;
    const LONG x = left ? c.left - w : c.right;
    return RECT{x, c.bottom - h - 36, x + w, c.bottom - 36};
}

RECT MainBeside(HWND chat, HWND mainWindow, bool left) {
    const RECT c = RectOf(chat), m = RectOf(mainWindow);
    const LONG w = m.right - m.left;
    const LONG x = left ? c.left - w : c.right;
    return RECT{x, c.top, x + w, c.bottom};
}

bool Docked(HWND window, const RECT& expected) {
    return IsWindowVisible(window) && RectText(RectOf(window)) == RectText(expected);
}

bool WaitRect(HWND window, const std::function<RECT()>& expected, bool visible) {
    return testkit::WaitUntil(
        [&] {
            return (IsWindowVisible(window) != FALSE) == visible &&
                   RectText(RectOf(window)) == RectText(expected());
        },
        kWait);
}

namespace {

struct TipFind {
    DWORD pid;
    HWND found = nullptr;
};

BOOL CALLBACK VisitTip(HWND w, LPARAM lp) {
    auto* f = reinterpret_cast<TipFind*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    if (pid == f->pid && IsWindowVisible(w) && std::wstring(cls) == L"tooltips_class32") {
        f->found = w;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND HoverToolbarButton(HWND toolbar, DWORD pid, HWND* button) {
    std::vector<HWND> buttons;
    for (HWND c = GetWindow(toolbar, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (IsWindowVisible(c)) buttons.push_back(c);
    std::sort(buttons.begin(), buttons.end(),
              [](HWND a, HWND b) { return RectOf(a).top < RectOf(b).top; });
    if (buttons.size() < 2) return nullptr;
    *button = buttons[1];
    const RECT r = RectOf(*button);
    for (int step = 0; step < 3; ++step) {
        SetCursorPos((r.left + r.right) / 2 + step - 1, (r.top + r.bottom) / 2);
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_MOVE;
        SendInput(1, &in, sizeof in);
        testkit::WaitUntil([] { return false; }, std::chrono::milliseconds(100));
    }
    TipFind f{pid};
    testkit::WaitUntil([&] {
        f.found = nullptr;
        EnumWindows(VisitTip, reinterpret_cast<LPARAM>(&f));
        return f.found != nullptr;
    }, kWait);
    return f.found;
}

void ClickPin(HWND mainWindow) {
    // Docking can finish while the picker is still starting: a press posted before its dialog
    // loop runs and first shows the window may be lost. Click once it is shown and answers.
    testkit::WaitUntil([&] { return IsWindowVisible(mainWindow) != FALSE; });
    DWORD_PTR answered = 0;
    SendMessageTimeoutW(mainWindow, WM_NULL, 0, 0, SMTO_NORMAL, testkit::ScaledMs(10000), &answered);
    const HWND pin = ChildWindowFromPointEx(mainWindow, POINT{205, 12}, CWP_SKIPINVISIBLE);
    PostMessageW(pin, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    PostMessageW(pin, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

LRESULT Messenger(const std::string& command, const std::string& tag) {
    const HWND control = FindWindowW(testkit::Wide(fakeqq::kControlClass).c_str(),
                                     testkit::Wide(tag).c_str());
    if (!control) return 0;
    COPYDATASTRUCT cds{fakeqq::kCopyDataTag, static_cast<DWORD>(command.size()),
                       const_cast<char*>(command.data())};
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(control, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds),
                             SMTO_ABORTIFHUNG, 10000, &result))
        return 0;
    return static_cast<LRESULT>(result);
}

}  // namespace docktest
