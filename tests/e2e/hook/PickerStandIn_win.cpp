#include "PickerStandIn_win.h"

#include "TestKit.h"

namespace hooktest {
namespace {

constexpr wchar_t kClass[] = L"HookTestPicker";

void RegisterOnce() {
    static bool done = false;
    if (done) return;
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_HIGHLIGHT);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    done = true;
}

}  // namespace

bool HookLibrary::Load(const std::string& path) {
    module = LoadLibraryW(testkit::Wide(path).c_str());
    if (!module) return false;
    install = reinterpret_cast<InstallHookFn>(
        reinterpret_cast<void*>(GetProcAddress(module, "InstallHook")));
    uninstall = reinterpret_cast<UninstallHookFn>(
        reinterpret_cast<void*>(GetProcAddress(module, "UninstallHook")));
    return install && uninstall;
}

PickerStandIn::PickerStandIn() {
    RegisterOnce();
    m_main = CreateWindowExW(0, kClass, L"PeluQQ表情精灵", WS_POPUP | WS_BORDER | WS_VISIBLE,
                             1000, 40, kMainWidth, kMainHeight, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(m_main, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(m_main, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
    m_tool = CreateWindowExW(WS_EX_TOOLWINDOW, kClass, L"PeluQQ表情工具栏", WS_POPUP | WS_BORDER,
                             0, 0, kToolWidth, kToolHeight, m_main, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
}

PickerStandIn::~PickerStandIn() {
    if (m_installed && m_lib) Uninstall(*m_lib);
    DestroyWindow(m_tool);
    DestroyWindow(m_main);
}

void PickerStandIn::SetTitle(const std::string& utf8) {
    SetWindowTextW(m_tool, testkit::Wide(utf8).c_str());
}

int PickerStandIn::Install(HookLibrary& lib, DWORD thread) {
    m_lib = &lib;
    const int r = lib.install(thread, m_main, m_tool);
    if (r) m_installed = true;
    return r;
}

int PickerStandIn::Uninstall(HookLibrary& lib) {
    const int r = lib.uninstall(m_main);
    if (r) m_installed = false;
    return r;
}

LRESULT CALLBACK PickerStandIn::Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<PickerStandIn*>(GetWindowLongPtrW(h, GWLP_USERDATA));
    if (m == kChatWindowActive && self) {
        self->m_reported.push_back(reinterpret_cast<HWND>(w));
        return 0;
    }
    return DefWindowProcW(h, m, w, l);
}

RECT RectOf(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

std::string RectText(const RECT& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

void PumpPending() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

}  // namespace hooktest
