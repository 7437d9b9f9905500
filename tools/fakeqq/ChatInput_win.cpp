// The input box: what the messenger does with the keys and the clipboard it is given.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>

#include "ChatWindow_win.h"
#include "ClipboardReader_win.h"
#include "Log_win.h"
#include "LogText.h"
#include "RichEditFragment.h"
#include "WinText_win.h"

namespace fakeqq {
namespace {

constexpr UINT_PTR kInputSubclassId = 0x5151;

bool CtrlDown() { return GetKeyState(VK_CONTROL) < 0; }

std::string KeyLine(int id, bool down, WPARAM vk, LPARAM lp, HWND input) {
    char buf[96];
    snprintf(buf, sizeof buf, " vk=0x%02X scan=0x%02X ctrl=%d class=",
             static_cast<unsigned>(vk & 0xFF), static_cast<unsigned>((lp >> 16) & 0xFF),
             CtrlDown() ? 1 : 0);
    return "KEY id=" + std::to_string(id) + (down ? " down" : " up") + buf + ClassNameOf(input);
}

// The ANSI rich edit ("RichEdit20A") takes text in the ANSI code page.
void ReplaceSelection(HWND input, const std::string& utf8) {
    std::wstring wide = Wide(utf8);
    if (IsWindowUnicode(input)) {
        SendMessageW(input, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
        return;
    }
    int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string ansi(n > 0 ? static_cast<size_t>(n) : 1, '\0');
    if (n > 0) WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, ansi.data(), n, nullptr, nullptr);
    SendMessageA(input, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(ansi.c_str()));
}

void LogText(Log& log, int id, const char* format, const ClipboardText& t) {
    log.Write("CLIP id=" + std::to_string(id) + " format=" + format +
              " bytes=" + std::to_string(t.bytes) + " text=" + EscapeLogText(t.text));
}

LRESULT CALLBACK InputProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
    auto* owner = reinterpret_cast<ChatWindow*>(ref);
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, InputProc, kInputSubclassId);
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
    try {
        LRESULT result = 0;
        if (owner->OnInputMessage(hwnd, msg, wp, lp, &result)) return result;
    } catch (...) {
        // Never unwind into user32; the control handles the message itself then.
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace

void SubclassInput(HWND input, ChatWindow& window) {
    SetWindowSubclass(input, InputProc, kInputSubclassId, reinterpret_cast<DWORD_PTR>(&window));
}

bool ChatWindow::OnInputMessage(HWND input, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    switch (msg) {
        case WM_KEYDOWN:
        case WM_KEYUP:
            m_log.Write(KeyLine(m_id, msg == WM_KEYDOWN, wp, lp, input));
            if (msg == WM_KEYDOWN && CtrlDown() && wp == 'V') {
                m_log.Write("HOTKEY id=" + std::to_string(m_id) + " Ctrl+V");
                Paste();
                *result = 0;
                return true;
            }
            if (msg == WM_KEYDOWN && CtrlDown() && wp == VK_RETURN) {
                m_log.Write("HOTKEY id=" + std::to_string(m_id) + " Ctrl+Enter");
                Send();
                *result = 0;
                return true;
            }
            return false;
        case WM_CHAR:
            // The characters the two shortcuts translate to (SYN, LF) must not reach the text.
            if (CtrlDown() && (wp == 0x16 || wp == 0x0A || wp == 0x0D)) {
                *result = 0;
                return true;
            }
            return false;
        case WM_PASTE:
            Paste();
            *result = 0;
            return true;
        case WM_SETFOCUS:
            OnFocus(input);
            return false;
        default:
            return false;
    }
}

void ChatWindow::Paste() {
    if (!m_input) return;
    const std::string id = std::to_string(m_id);
    ClipboardSnapshot snap = ReadClipboard(m_frame);
    if (!snap.opened) {
        m_log.Write("CLIP id=" + id + " error=OpenClipboard " + std::to_string(snap.error));
        return;
    }
    std::string formats;
    for (const std::string& f : snap.formats) formats += (formats.empty() ? "" : ",") + f;
    m_log.Write("CLIP id=" + id + " formats=" + formats);

    std::string pasted;
    if (snap.fragment) {
        LogText(m_log, m_id, "QQ_RichEdit_Format", *snap.fragment);
        for (const std::string& path : FragmentFilePaths(snap.fragment->text)) {
            WIN32_FILE_ATTRIBUTE_DATA data{};
            const bool exists =
                GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data) != FALSE &&
                !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
            const unsigned long long size =
                exists ? (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow : 0;
            m_log.Write("FACE id=" + id + " exists=" + (exists ? "1" : "0") +
                        " bytes=" + std::to_string(size) + " path=" + EscapeLogText(path));
            pasted += "[face:" + path + "]";
        }
    }
    if (snap.text) LogText(m_log, m_id, "CF_TEXT", *snap.text);
    if (snap.oemText) LogText(m_log, m_id, "CF_OEMTEXT", *snap.oemText);
    if (snap.unicodeText) LogText(m_log, m_id, "CF_UNICODETEXT", *snap.unicodeText);
    // Like the messenger: its own fragment wins; plain text only when there is none.
    if (!snap.fragment) {
        if (snap.unicodeText)
            pasted = snap.unicodeText->text;
        else if (snap.text)
            pasted = snap.text->text;
    }
    ReplaceSelection(m_input, pasted);
    m_log.Write("PASTED id=" + id + " text=" + EscapeLogText(pasted));
}

void ChatWindow::Send() {
    if (!m_input) return;
    const std::string text = TextOf(m_input);
    m_log.Write("SENT id=" + std::to_string(m_id) + " text=" + EscapeLogText(text));
    if (m_history && !text.empty()) {
        const int end = GetWindowTextLengthW(m_history);
        SendMessageW(m_history, EM_SETSEL, end, end);
        std::wstring line = L"我: " + Wide(text) + L"\r\n";
        SendMessageW(m_history, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
    }
    SetWindowTextW(m_input, L"");
}

void ChatWindow::SetInputText(const std::string& text) {
    if (!m_input) return;
    SetWindowTextW(m_input, Wide(text).c_str());
    const int end = GetWindowTextLengthW(m_input);
    SendMessageW(m_input, EM_SETSEL, end, end);
}

}  // namespace fakeqq
