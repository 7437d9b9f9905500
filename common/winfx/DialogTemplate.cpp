#include "winfx/DialogTemplate.h"

#include <cstring>

#include "winfx/Wide.h"

namespace winfx {
namespace {

class Writer {
public:
    template <class T>
    void Put(T v) {
        const auto* p = reinterpret_cast<const BYTE*>(&v);
        m_bytes.insert(m_bytes.end(), p, p + sizeof(T));
    }
    void PutString(const std::wstring& s) {  // zero-terminated UTF-16
        for (wchar_t c : s) Put<WORD>(static_cast<WORD>(c));
        Put<WORD>(0);
    }
    void AlignDword() {
        while (m_bytes.size() % 4) m_bytes.push_back(0);
    }
    std::vector<BYTE> Take() { return std::move(m_bytes); }

private:
    std::vector<BYTE> m_bytes;
};

short Clamp16(int v) {
    return static_cast<short>(v < -32768 ? -32768 : v > 32767 ? 32767 : v);
}

}  // namespace

DialogTemplate::DialogTemplate(std::string_view title, DWORD style, int x, int y, int cx, int cy,
                               std::string_view font, WORD pointSize)
    : m_title(ToWide(title)),
      m_font(ToWide(font)),
      m_style(style | DS_SETFONT),
      m_x(Clamp16(x)),
      m_y(Clamp16(y)),
      m_cx(Clamp16(cx)),
      m_cy(Clamp16(cy)),
      m_pointSize(pointSize) {}

DialogTemplate& DialogTemplate::Add(std::string_view className, std::string_view text, int id,
                                    DWORD style, int x, int y, int cx, int cy, DWORD exStyle) {
    m_items.push_back({ToWide(className), ToWide(text), id, style | WS_CHILD | WS_VISIBLE, exStyle,
                       Clamp16(x), Clamp16(y), Clamp16(cx), Clamp16(cy)});
    return *this;
}

DialogTemplate& DialogTemplate::SetExStyle(DWORD exStyle) noexcept {
    m_exStyle = exStyle;
    return *this;
}

std::vector<BYTE> DialogTemplate::Bytes() const {
    Writer w;
    w.Put<WORD>(1);       // dlgVer
    w.Put<WORD>(0xFFFF);  // signature: extended template
    w.Put<DWORD>(0);      // helpID
    w.Put<DWORD>(m_exStyle);
    w.Put<DWORD>(m_style);
    w.Put<WORD>(static_cast<WORD>(m_items.size()));
    w.Put<short>(m_x);
    w.Put<short>(m_y);
    w.Put<short>(m_cx);
    w.Put<short>(m_cy);
    w.Put<WORD>(0);  // no menu
    w.Put<WORD>(0);  // the standard dialog class, "#32770"
    w.PutString(m_title);
    w.Put<WORD>(m_pointSize);
    w.Put<WORD>(FW_NORMAL);
    w.Put<BYTE>(FALSE);  // italic
    w.Put<BYTE>(DEFAULT_CHARSET);
    w.PutString(m_font);
    for (const Item& it : m_items) {
        w.AlignDword();
        w.Put<DWORD>(0);  // helpID
        w.Put<DWORD>(it.exStyle);
        w.Put<DWORD>(it.style);
        w.Put<short>(it.x);
        w.Put<short>(it.y);
        w.Put<short>(it.cx);
        w.Put<short>(it.cy);
        w.Put<DWORD>(static_cast<DWORD>(it.id));
        w.PutString(it.className);
        w.PutString(it.text);
        w.Put<WORD>(0);  // no creation data
    }
    return w.Take();
}

std::vector<BYTE> LoadDialogTemplate(HINSTANCE instance, int id) {
    HRSRC res = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    if (!res) return {};
    const DWORD size = SizeofResource(instance, res);
    HGLOBAL mem = LoadResource(instance, res);
    const void* p = mem ? LockResource(mem) : nullptr;
    if (!p || size == 0) return {};
    std::vector<BYTE> bytes(size);
    std::memcpy(bytes.data(), p, size);
    return bytes;
}

}  // namespace winfx
