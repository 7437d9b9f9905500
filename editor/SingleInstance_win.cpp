#include "SingleInstance_win.h"

#include "EditorIds.h"
#include "winfx/Wide.h"

namespace editor {

namespace {

constexpr UINT kPickerTimeoutMs = 10000;

}  // namespace

std::string AnsiFromUtf8(const std::string& utf8) {
    std::wstring wide = winfx::ToWide(utf8);
    if (wide.empty()) return {};
    int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

std::string Utf8FromAnsi(const std::string& ansi) {
    if (ansi.empty()) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), wide.data(), n);
    return winfx::ToUtf8(wide);
}

HWND FindEditorWindow() { return FindWindowW(kDialogClass, kEditorTitle); }

bool ForwardCommandLine(HWND window, const std::string& commandLine) {
    if (!window) return false;
    if (IsWindowVisible(window)) {
        SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
        ShowWindow(window, SW_SHOW);
        BringWindowToTop(window);
        if (IsIconic(window)) SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
        SetForegroundWindow(window);
    }
    std::string text = "$" + AnsiFromUtf8(commandLine);
    if (text.size() <= 1) return true;
    COPYDATASTRUCT data{};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>(text.size() + 1);  // with the terminating NUL
    data.lpData = text.data();
    return SendMessageW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)) != 0;
}

void NotifyPicker() {
    HWND picker = FindWindowW(kDialogClass, kPickerTitle);
    if (!picker) return;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(picker, UM_LIBRARY_CHANGED, 0, 0, SMTO_ABORTIFHUNG, kPickerTimeoutMs,
                        &result);
}

}  // namespace editor
