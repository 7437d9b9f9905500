#include "winfx/ListView.h"

#include <vector>

#include "winfx/Wide.h"

namespace winfx {

ListView ListView::Create(HWND parent, int id, const RECT& rect, DWORD style, DWORD exStyle) {
    ListView lv(CreateControl(parent, WC_LISTVIEWW, "", style | LVS_REPORT | LVS_SHAREIMAGELISTS, rect, id, exStyle));
    if (lv) lv.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    return lv;
}

int ListView::AddColumn(std::string_view title, int width, int format) const {
    std::wstring w = ToWide(title);
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    col.fmt = format;
    col.cx = width;
    col.pszText = w.data();
    const int index = ColumnCount();
    const LRESULT r = Send(LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&col));
    return r < 0 ? -1 : static_cast<int>(r);
}

int ListView::ColumnCount() const noexcept {
    HWND header = reinterpret_cast<HWND>(Send(LVM_GETHEADER));
    return header ? static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

int ListView::InsertItem(int index, std::string_view text, int image, LPARAM data) const {
    std::wstring w = ToWide(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE;
    item.iItem = index < 0 ? Count() : index;
    item.pszText = w.data();
    item.iImage = image < 0 ? I_IMAGENONE : image;  // without it an item shows image 0
    item.lParam = data;
    const LRESULT r = Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return r < 0 ? -1 : static_cast<int>(r);
}

bool ListView::SetItemText(int item, int column, std::string_view text) const {
    std::wstring w = ToWide(text);
    LVITEMW it{};
    it.iSubItem = column;
    it.pszText = w.data();
    return Send(LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it)) != FALSE;
}

std::string ListView::ItemText(int item, int column) const {
    // LVM_GETITEMTEXT reports only how much it copied: grow until it fits.
    for (size_t size = 256; size <= (1u << 20); size *= 4) {
        std::vector<wchar_t> buf(size, L'\0');
        LVITEMW it{};
        it.iSubItem = column;
        it.pszText = buf.data();
        it.cchTextMax = static_cast<int>(size);
        const LRESULT n = Send(LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
        if (n < 0) return {};
        if (static_cast<size_t>(n) < size - 1) return ToUtf8(std::wstring_view(buf.data(), static_cast<size_t>(n)));
    }
    return {};
}

bool ListView::SetItemImage(int item, int image) const noexcept {
    LVITEMW it{};
    it.mask = LVIF_IMAGE;
    it.iItem = item;
    it.iImage = image;
    return Send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&it)) != FALSE;
}

int ListView::ItemImage(int item) const noexcept {
    LVITEMW it{};
    it.mask = LVIF_IMAGE;
    it.iItem = item;
    return Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it)) ? it.iImage : -1;
}

LPARAM ListView::ItemData(int item) const noexcept {
    LVITEMW it{};
    it.mask = LVIF_PARAM;
    it.iItem = item;
    return Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&it)) ? it.lParam : 0;
}

int ListView::Selection() const noexcept {
    return static_cast<int>(Send(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListView::Select(int item, bool selected) const noexcept {
    LVITEMW it{};
    it.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    it.state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&it));
}

int ListView::FindData(LPARAM data) const noexcept {
    LVFINDINFOW find{};
    find.flags = LVFI_PARAM;
    find.lParam = data;
    return static_cast<int>(Send(LVM_FINDITEMW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
}

int ListView::HitTest(POINT client, int* column) const noexcept {
    LVHITTESTINFO hit{};
    hit.pt = client;
    Send(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (column) *column = hit.iItem >= 0 ? hit.iSubItem : -1;
    return (hit.flags & LVHT_ONITEM) ? hit.iItem : -1;
}

RECT ListView::CellRect(int item, int column) const noexcept {
    RECT r{};
    r.top = column;
    r.left = column == 0 ? LVIR_LABEL : LVIR_BOUNDS;
    if (!Send(LVM_GETSUBITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r))) return RECT{};
    return r;
}

void ListView::SetImageList(HIMAGELIST list, int which) const noexcept {
    const LONG_PTR style = GetWindowLongPtrW(m_hwnd, GWL_STYLE);
    if (!(style & LVS_SHAREIMAGELISTS)) SetWindowLongPtrW(m_hwnd, GWL_STYLE, style | LVS_SHAREIMAGELISTS);
    Send(LVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(list));
}

}  // namespace winfx
