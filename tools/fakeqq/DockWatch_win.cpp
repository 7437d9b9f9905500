// Which windows of other programs sit against a chat window: how a test sees docking.
#include <vector>

#include "ChatWindow_win.h"
#include "DockGeometry.h"
#include "Log_win.h"
#include "LogText.h"
#include "WinText_win.h"

namespace fakeqq {
namespace {

constexpr int kTolerance = 2;

struct Scan {
    DWORD ownPid;
    Box chat;
    std::vector<std::pair<HWND, Side>> found;
};

Box BoxOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return Box{r.left, r.top, r.right, r.bottom};
}

BOOL CALLBACK Visit(HWND hwnd, LPARAM lp) {
    auto* scan = reinterpret_cast<Scan*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid == scan->ownPid || !IsWindowVisible(hwnd) || IsIconic(hwnd)) return TRUE;
    const Side side = DockedSide(scan->chat, BoxOf(hwnd), kTolerance);
    if (side != Side::None) scan->found.emplace_back(hwnd, side);
    return TRUE;
}

}  // namespace

void LogDockedWindows(ChatWindow& window) {
    const std::string id = "DOCKED id=" + std::to_string(window.Id());
    if (IsIconic(window.Frame()) || !IsWindowVisible(window.Frame())) {
        window.GetLog().Write(id + " none");
        return;
    }
    Scan scan{GetCurrentProcessId(), BoxOf(window.Frame()), {}};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&scan));
    if (scan.found.empty()) {
        window.GetLog().Write(id + " none");
        return;
    }
    const Box& c = scan.chat;
    for (const auto& [hwnd, side] : scan.found) {
        DWORD pid = 0;
        GetWindowThreadProcessId(hwnd, &pid);
        const Box b = BoxOf(hwnd);
        window.GetLog().Write(id + " side=" + SideName(side) + " hwnd=" + HandleText(hwnd) +
                              " pid=" + std::to_string(pid) +
                              " rect=" + BoxText(b.left, b.top, b.right, b.bottom) +
                              " chat=" + BoxText(c.left, c.top, c.right, c.bottom) +
                              " class=" + ClassNameOf(hwnd) +
                              " title=" + EscapeLogText(TextOf(hwnd)));
    }
}

}  // namespace fakeqq
