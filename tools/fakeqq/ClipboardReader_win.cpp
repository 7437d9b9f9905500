#include "ClipboardReader_win.h"

#include "WinText_win.h"

namespace fakeqq {
namespace {

class ClipboardLock {
public:
    // The sender may still hold the clipboard for a moment after its keys arrive.
    explicit ClipboardLock(HWND owner) {
        for (int i = 0; i < 40 && !m_open; ++i) {
            m_open = OpenClipboard(owner) != FALSE;
            if (!m_open) Sleep(25);
        }
        if (!m_open) m_error = GetLastError();
    }
    ~ClipboardLock() {
        if (m_open) CloseClipboard();
    }
    ClipboardLock(const ClipboardLock&) = delete;
    ClipboardLock& operator=(const ClipboardLock&) = delete;
    bool Open() const { return m_open; }
    DWORD Error() const { return m_error; }

private:
    bool m_open = false;
    DWORD m_error = 0;
};

class GlobalView {
public:
    explicit GlobalView(HANDLE h)
        : m_h(h), m_data(h ? GlobalLock(h) : nullptr), m_size(m_data ? GlobalSize(h) : 0) {}
    ~GlobalView() {
        if (m_data) GlobalUnlock(m_h);
    }
    GlobalView(const GlobalView&) = delete;
    GlobalView& operator=(const GlobalView&) = delete;
    const void* Data() const { return m_data; }
    size_t Size() const { return m_size; }

private:
    HANDLE m_h;
    void* m_data;
    size_t m_size;
};

std::string FormatName(UINT format) {
    switch (format) {
        case CF_TEXT: return "CF_TEXT";
        case CF_OEMTEXT: return "CF_OEMTEXT";
        case CF_UNICODETEXT: return "CF_UNICODETEXT";
        case CF_LOCALE: return "CF_LOCALE";
        case CF_HDROP: return "CF_HDROP";
        case CF_BITMAP: return "CF_BITMAP";
        case CF_DIB: return "CF_DIB";
        default: break;
    }
    wchar_t name[128] = {};
    int n = GetClipboardFormatNameW(format, name, 128);
    if (n > 0) return Utf8(std::wstring_view(name, static_cast<size_t>(n)));
    return "#" + std::to_string(format);
}

// Text is cut at the first NUL inside the block and never read past its end.
std::optional<ClipboardText> ReadNarrow(UINT format, UINT codePage) {
    GlobalView view(GetClipboardData(format));
    if (!view.Data()) return std::nullopt;
    const char* p = static_cast<const char*>(view.Data());
    size_t n = 0;
    while (n < view.Size() && p[n] != '\0') ++n;
    return ClipboardText{Utf8(WideFromCodePage(codePage, std::string_view(p, n))), view.Size()};
}

std::optional<ClipboardText> ReadWide(UINT format) {
    GlobalView view(GetClipboardData(format));
    if (!view.Data()) return std::nullopt;
    const wchar_t* p = static_cast<const wchar_t*>(view.Data());
    const size_t limit = view.Size() / sizeof(wchar_t);
    size_t n = 0;
    while (n < limit && p[n] != L'\0') ++n;
    return ClipboardText{Utf8(std::wstring_view(p, n)), view.Size()};
}

}  // namespace

ClipboardSnapshot ReadClipboard(HWND owner) {
    ClipboardSnapshot snap;
    ClipboardLock lock(owner);
    snap.opened = lock.Open();
    snap.error = lock.Error();
    if (!snap.opened) return snap;
    for (UINT f = EnumClipboardFormats(0); f != 0; f = EnumClipboardFormats(f))
        snap.formats.push_back(FormatName(f) + "(" + std::to_string(f) + ")");
    const UINT fragmentFormat = RegisterClipboardFormatW(L"QQ_RichEdit_Format");
    if (fragmentFormat && IsClipboardFormatAvailable(fragmentFormat))
        snap.fragment = ReadNarrow(fragmentFormat, CP_ACP);
    if (IsClipboardFormatAvailable(CF_TEXT)) snap.text = ReadNarrow(CF_TEXT, CP_ACP);
    if (IsClipboardFormatAvailable(CF_OEMTEXT)) snap.oemText = ReadNarrow(CF_OEMTEXT, CP_OEMCP);
    if (IsClipboardFormatAvailable(CF_UNICODETEXT)) snap.unicodeText = ReadWide(CF_UNICODETEXT);
    return snap;
}

}  // namespace fakeqq
