#include "GalleryDriver.h"

#include "GalleryProtocol.h"
#include "GallerySections.h"
#include "TestKit.h"
#include "XmlReader.h"

namespace galtest {

namespace {

using testkit::Wide;

using testkit::Narrow;

std::string AtomText(HWND hwnd, const wchar_t* prop) {
    const ATOM atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropW(hwnd, prop)));
    if (!atom) return {};
    wchar_t text[256] = {};
    const UINT n = GlobalGetAtomNameW(atom, text, 256);
    return Narrow(std::wstring(text, n));
}

struct Search {
    DWORD pid;
    const wchar_t* prop;
    std::string name;
    HWND found = nullptr;
};

BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != s->pid || !IsWindowVisible(hwnd) || AtomText(hwnd, s->prop) != s->name) return TRUE;
    s->found = hwnd;
    return FALSE;
}

BOOL CALLBACK MatchChild(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    if (AtomText(hwnd, s->prop) != s->name) return TRUE;
    s->found = hwnd;
    return FALSE;
}

void SendMouse(DWORD flags, POINT at) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    in.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    SendInput(1, &in, sizeof(in));
    testkit::WaitUntil([] { return false; }, std::chrono::milliseconds(40));
}

}  // namespace

Gallery::Gallery(const std::vector<std::string>& args) {
    std::wstring exe = Wide(testkit::AppDir() + "\\SkinGallery.exe");
    std::wstring cmd = L"\"" + exe + L"\"";
    for (const std::string& a : args) cmd += L" \"" + Wide(a) + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       Wide(testkit::AppDir()).c_str(), &si, &pi)) {
        CloseHandle(pi.hThread);
        m_process = pi.hProcess;
        m_pid = pi.dwProcessId;
        WaitForInputIdle(m_process, testkit::ScaledMs(10000));
    }
}

Gallery::~Gallery() {
    if (!m_process) return;
    if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, testkit::ScaledMs(10000));
    }
    CloseHandle(m_process);
}

HWND Gallery::Window(const std::string& key) const {
    Search s{m_pid, gallery::kPropSection, key};
    // A gallery of every section builds nine skinned windows before it shows them.
    testkit::WaitUntil([&] {
        EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&s));
        return s.found != nullptr;
    }, std::chrono::seconds(30));
    return s.found;
}

HWND Gallery::Control(HWND window, const std::string& name) const {
    Search s{m_pid, gallery::kPropSkinName, name};
    EnumChildWindows(window, MatchChild, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

bool Gallery::WaitForExit(DWORD ms, DWORD* exitCode) const {
    if (!m_process) return false;
    const bool ended = testkit::WaitUntil([&] { return WaitForSingleObject(m_process, 0) == WAIT_OBJECT_0; },
                                          std::chrono::milliseconds(ms));
    if (ended && exitCode) GetExitCodeProcess(m_process, exitCode);
    return ended;
}

void ClickAt(POINT screen) {
    SendMouse(0, screen);
    SendMouse(MOUSEEVENTF_LEFTDOWN, screen);
    SendMouse(MOUSEEVENTF_LEFTUP, screen);
}

void DragFrom(POINT from, POINT to) {
    SendMouse(0, from);
    SendMouse(MOUSEEVENTF_LEFTDOWN, from);
    for (int step = 1; step <= 5; ++step)
        SendMouse(0, POINT{from.x + (to.x - from.x) * step / 5, from.y + (to.y - from.y) * step / 5});
    SendMouse(MOUSEEVENTF_LEFTUP, to);
}

POINT CentreOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

bool IsChecked(HWND control) { return SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED; }

SIZE DesignedSize(const std::string& file, const std::string& section) {
    SIZE size{0, 0};
    auto root = LoadXmlFile(testkit::AppDir() + "\\skin\\default\\" + file);
    if (!root) return size;
    for (const auto& child : root->m_children) {
        int w = 0, h = 0;
        if (child->GetName() == section && gallery::ParseSize(child->GetAttributeValue("size"), w, h))
            size = SIZE{w, h};
    }
    return size;
}

}  // namespace galtest
