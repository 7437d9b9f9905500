#include "winfx/App.h"

#include <commctrl.h>

#include <algorithm>

#include "winfx/Wide.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;  // provided by the linker for every module

namespace winfx {

HINSTANCE ThisModule() noexcept {
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

std::string ModuleFileName(HMODULE module) {
    // Paths can be longer than MAX_PATH; a full buffer means the name was cut.
    for (DWORD size = MAX_PATH; size <= 32768 * 2; size *= 2) {
        std::wstring buf(size, L'\0');
        const DWORD n = GetModuleFileNameW(module, buf.data(), size);
        if (n == 0) return {};
        if (n < size) return ToUtf8(std::wstring_view(buf.data(), n));
    }
    return {};
}

App::App(HINSTANCE instance) : m_instance(instance) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES |
                                              ICC_USEREX_CLASSES | ICC_PROGRESS_CLASS |
                                              ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
}

int App::Run() {
    MSG msg;
    for (;;) {
        const BOOL r = GetMessageW(&msg, nullptr, 0, 0);
        if (r == 0) return static_cast<int>(msg.wParam);
        if (r == -1) return -1;
        if (!PreTranslate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

bool App::PumpWaiting() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the outer loop
            return false;
        }
        if (!PreTranslate(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return true;
}

bool App::PreTranslate(MSG& msg) {
    if (!msg.hwnd) return false;
    // Newest first, so a dialog nested in another registered one gets its own keys.
    for (auto it = m_modeless.rbegin(); it != m_modeless.rend(); ++it) {
        HWND dlg = *it;
        // IsDialogMessage may destroy dialogs and change the list: return right after it.
        if (dlg == msg.hwnd || IsChild(dlg, msg.hwnd)) return IsDialogMessageW(dlg, &msg) != FALSE;
    }
    return false;
}

void App::AddModeless(HWND dialog) {
    if (dialog && std::find(m_modeless.begin(), m_modeless.end(), dialog) == m_modeless.end())
        m_modeless.push_back(dialog);
}

void App::RemoveModeless(HWND dialog) noexcept {
    m_modeless.erase(std::remove(m_modeless.begin(), m_modeless.end(), dialog), m_modeless.end());
}

}  // namespace winfx
