#include "winfx/Controls.h"

#include <vector>

#include "winfx/Hwnd.h"
#include "winfx/Wide.h"

namespace winfx {
namespace {

// Reads an item text through a length message and a text message (list and combo boxes).
std::string ItemTextVia(HWND h, UINT lenMsg, UINT textMsg, int index) {
    const LRESULT len = SendMessageW(h, lenMsg, static_cast<WPARAM>(index), 0);
    if (len <= 0) return {};  // LB_ERR / CB_ERR or empty
    std::vector<wchar_t> buf(static_cast<size_t>(len) + 1, L'\0');
    const LRESULT got = SendMessageW(h, textMsg, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buf.data()));
    if (got <= 0) return {};
    return ToUtf8(std::wstring_view(buf.data(), static_cast<size_t>(got < len ? got : len)));
}

int IndexResult(LRESULT r) {
    return r < 0 ? -1 : static_cast<int>(r);  // LB_ERR/CB_ERR (-1), LB_ERRSPACE/CB_ERRSPACE (-2)
}

}  // namespace

HWND CreateControl(HWND parent, const wchar_t* className, std::string_view text, DWORD style,
                   const RECT& r, int id, DWORD exStyle) {
    return CreateWindowExW(exStyle, className, ToWide(text).c_str(), style | WS_CHILD | WS_VISIBLE,
                           r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)),
                           nullptr);
}

//--- Control

std::string Control::Text() const {
    return HwndGetText(m_hwnd);
}

void Control::SetText(std::string_view utf8) const {
    HwndSetText(m_hwnd, utf8);
}

void Control::SetFont(HFONT font) const noexcept {
    Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void Control::Move(const RECT& r) const noexcept {
    SetWindowPos(m_hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Control::RectInParent() const noexcept {
    RECT r{};
    GetWindowRect(m_hwnd, &r);
    MapWindowPoints(nullptr, GetParent(m_hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

//--- Button, Static, Edit

HBITMAP Button::SetBitmap(HBITMAP bmp) const noexcept {
    return reinterpret_cast<HBITMAP>(Send(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bmp)));
}

HICON Button::SetIcon(HICON icon) const noexcept {
    return reinterpret_cast<HICON>(Send(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon)));
}

HBITMAP Static::SetBitmap(HBITMAP bmp) const noexcept {
    return reinterpret_cast<HBITMAP>(Send(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bmp)));
}

HICON Static::SetIcon(HICON icon) const noexcept {
    return reinterpret_cast<HICON>(Send(STM_SETICON, reinterpret_cast<WPARAM>(icon)));
}

void Edit::ReplaceSelection(std::string_view utf8) const {
    Send(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(ToWide(utf8).c_str()));
}

//--- ListBox, ComboBox

int ListBox::Add(std::string_view utf8) const {
    return IndexResult(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(utf8).c_str())));
}

int ListBox::Insert(int index, std::string_view utf8) const {
    return IndexResult(Send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(ToWide(utf8).c_str())));
}

std::string ListBox::ItemText(int index) const {
    return ItemTextVia(m_hwnd, LB_GETTEXTLEN, LB_GETTEXT, index);
}

int ComboBox::Add(std::string_view utf8) const {
    return IndexResult(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(utf8).c_str())));
}

int ComboBox::Insert(int index, std::string_view utf8) const {
    return IndexResult(Send(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(ToWide(utf8).c_str())));
}

std::string ComboBox::ItemText(int index) const {
    return ItemTextVia(m_hwnd, CB_GETLBTEXTLEN, CB_GETLBTEXT, index);
}

int ComboBox::FindExact(std::string_view utf8, int after) const {
    return IndexResult(Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(after), reinterpret_cast<LPARAM>(ToWide(utf8).c_str())));
}

//--- ComboBoxEx

int ComboBoxEx::Insert(int index, std::string_view utf8, int image, LPARAM data, int indent) const {
    std::wstring w = ToWide(utf8);
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_LPARAM | CBEIF_INDENT;
    item.iItem = index;
    item.pszText = w.data();
    item.iImage = image;
    item.iSelectedImage = image;
    item.iIndent = indent;
    item.lParam = data;
    return IndexResult(Send(CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

std::string ComboBoxEx::ItemText(int index) const {
    wchar_t buf[512];  // CBEM_GETITEM truncates to the buffer given
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_TEXT;
    item.iItem = index;
    item.pszText = buf;
    item.cchTextMax = 512;
    buf[0] = L'\0';
    if (!Send(CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return {};
    buf[511] = L'\0';
    return ToUtf8(item.pszText);
}

int ComboBoxEx::ItemImage(int index) const noexcept {
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_IMAGE;
    item.iItem = index;
    return Send(CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? item.iImage : -1;
}

LPARAM ComboBoxEx::ItemData(int index) const noexcept {
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_LPARAM;
    item.iItem = index;
    return Send(CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : 0;
}

}  // namespace winfx
