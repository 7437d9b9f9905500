#include "SmokeKit_win.h"

#include <chrono>
#include <cstring>

#include "TestKit.h"

namespace smoke {
namespace {

using testkit::Wide;

HGLOBAL GlobalText(const std::string& bytes) {
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, bytes.size() + 1);
    if (!h) return nullptr;
    void* p = GlobalLock(h);
    if (!p) {
        GlobalFree(h);
        return nullptr;
    }
    memcpy(p, bytes.c_str(), bytes.size() + 1);
    GlobalUnlock(h);
    return h;
}

// Hands the block to the clipboard; frees it when the clipboard refused it.
bool SetText(UINT format, const std::string& bytes) {
    HGLOBAL h = GlobalText(bytes);
    if (!h) return false;
    if (SetClipboardData(format, h)) return true;
    GlobalFree(h);
    return false;
}

}  // namespace

const std::vector<unsigned char>& SmileGif() {
    static const std::vector<unsigned char> gif = {
        0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xFF, 0x00,
        0x00, 0xFF, 0xFF, 0xFF, 0x21, 0xF9, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00,
        0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
    return gif;
}

bool WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    HANDLE f = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(f);
    return ok;
}

std::string Fragment(const std::string& path) {
    return "<QQRichEditFormat><Info version=\"1001\"></Info><EditElement type=\"1\" filepath=\"" +
           path + "\" shortcut=\"\"></EditElement></QQRichEditFormat>";
}

ClipboardOwner::ClipboardOwner() {
    m_hwnd = CreateWindowExW(0, L"STATIC", L"smoke clipboard owner", 0, 0, 0, 0, 0, HWND_MESSAGE,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
}

ClipboardOwner::~ClipboardOwner() {
    if (m_hwnd) DestroyWindow(m_hwnd);
}

bool ClipboardOwner::Put(const std::string& fragment, const std::string& text) {
    if (!m_hwnd) return false;
    bool open = false;
    testkit::WaitUntil([&] { return open = OpenClipboard(m_hwnd) != FALSE; },
                       std::chrono::seconds(3));
    if (!open) return false;
    bool ok = EmptyClipboard() != FALSE;
    const UINT format = RegisterClipboardFormatW(L"QQ_RichEdit_Format");
    if (!fragment.empty()) ok = ok && format && SetText(format, fragment);
    if (!text.empty()) ok = ok && SetText(CF_TEXT, text);
    CloseClipboard();
    return ok;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool BringForward(HWND window, HWND focus) {
    SetForegroundWindow(window);
    return testkit::WaitUntil(
        [&] { return GetForegroundWindow() == window && (!focus || FocusOf(window) == focus); },
        std::chrono::seconds(5));
}

void TypeChord(BYTE modifier, BYTE key) {
    auto send = [](BYTE vk, DWORD flags) {
        keybd_event(vk, static_cast<BYTE>(MapVirtualKeyW(vk, 0)), flags, 0);
    };
    send(modifier, 0);
    send(key, 0);
    send(modifier, KEYEVENTF_KEYUP);
    send(key, KEYEVENTF_KEYUP);
}

}  // namespace smoke
