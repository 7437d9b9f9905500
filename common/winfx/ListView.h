// Non-owning view of a list view in report mode (the editor's category list, the
// updater's download list). Cells are addressed by item index and column.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>

#include "winfx/Controls.h"

namespace winfx {

class ListView : public Control {
public:
    using Control::Control;

    // LVS_REPORT | LVS_SHAREIMAGELISTS added: image lists stay owned by their ImageList.
    static ListView Create(HWND parent, int id, const RECT& rect, DWORD style = LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                           DWORD exStyle = WS_EX_CLIENTEDGE);

    void SetExtendedStyle(DWORD lvsEx) const noexcept { Send(LVM_SETEXTENDEDLISTVIEWSTYLE, lvsEx, lvsEx); }
    int AddColumn(std::string_view title, int width, int format = LVCFMT_LEFT) const;
    int ColumnCount() const noexcept;
    void SetColumnWidth(int column, int width) const noexcept { Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), width); }

    // index -1 appends, image -1 shows none; returns the new item's index or -1.
    int InsertItem(int index, std::string_view text, int image = -1, LPARAM data = 0) const;
    bool SetItemText(int item, int column, std::string_view text) const;
    std::string ItemText(int item, int column) const;
    bool SetItemImage(int item, int image) const noexcept;
    int ItemImage(int item) const noexcept;
    LPARAM ItemData(int item) const noexcept;
    bool Remove(int item) const noexcept { return Send(LVM_DELETEITEM, static_cast<WPARAM>(item)) != FALSE; }
    void Clear() const noexcept { Send(LVM_DELETEALLITEMS); }
    int Count() const noexcept { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }

    int Selection() const noexcept;  // first selected item, -1 if none
    void Select(int item, bool selected = true) const noexcept;  // also focuses it
    void EnsureVisible(int item) const noexcept { Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(item), FALSE); }
    int FindData(LPARAM data) const noexcept;  // item whose data equals, -1 if none
    int HitTest(POINT client, int* column = nullptr) const noexcept;

    // The cell's rectangle in client coordinates (for drawing progress cells).
    RECT CellRect(int item, int column) const noexcept;

    // Also adds LVS_SHAREIMAGELISTS, so the list never destroys an image list it is given.
    void SetImageList(HIMAGELIST list, int which = LVSIL_SMALL) const noexcept;
};

}  // namespace winfx
