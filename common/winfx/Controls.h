// Thin non-owning views of standard controls: each method is one or two control
// messages. The parent window owns the control; a view is a copyable HWND.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>

namespace winfx {

// Creates a child control (class name as registered, e.g. WC_LISTVIEWW); null on failure.
// WS_CHILD | WS_VISIBLE are added.
HWND CreateControl(HWND parent, const wchar_t* className, std::string_view text, DWORD style,
                   const RECT& rect, int id, DWORD exStyle = 0);

class Control {
public:
    Control() noexcept = default;
    explicit Control(HWND hwnd) noexcept : m_hwnd(hwnd) {}
    Control(HWND dialog, int id) noexcept : m_hwnd(GetDlgItem(dialog, id)) {}

    HWND Hwnd() const noexcept { return m_hwnd; }
    explicit operator bool() const noexcept { return m_hwnd != nullptr; }
    int Id() const noexcept { return GetDlgCtrlID(m_hwnd); }

    std::string Text() const;
    void SetText(std::string_view utf8) const;
    void Enable(bool enabled) const noexcept { EnableWindow(m_hwnd, enabled ? TRUE : FALSE); }
    bool IsEnabled() const noexcept { return IsWindowEnabled(m_hwnd) != FALSE; }
    void Show(bool visible) const noexcept { ShowWindow(m_hwnd, visible ? SW_SHOW : SW_HIDE); }
    bool IsVisible() const noexcept { return IsWindowVisible(m_hwnd) != FALSE; }
    void SetFont(HFONT font) const noexcept;
    void Move(const RECT& rectInParent) const noexcept;  // parent client coordinates
    RECT RectInParent() const noexcept;

    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const noexcept {
        return SendMessageW(m_hwnd, msg, wp, lp);
    }

protected:
    HWND m_hwnd = nullptr;
};

class Button : public Control {
public:
    using Control::Control;
    bool IsChecked() const noexcept { return Send(BM_GETCHECK) == BST_CHECKED; }
    void SetChecked(bool checked) const noexcept { Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
    void Click() const noexcept { Send(BM_CLICK); }
    HBITMAP SetBitmap(HBITMAP bmp) const noexcept;  // BS_BITMAP; returns the previous one
    HICON SetIcon(HICON icon) const noexcept;       // BS_ICON
};

class Static : public Control {
public:
    using Control::Control;
    // SS_BITMAP / SS_ICON. The caller keeps owning the image and must free the returned one.
    HBITMAP SetBitmap(HBITMAP bmp) const noexcept;
    HICON SetIcon(HICON icon) const noexcept;
};

class Edit : public Control {
public:
    using Control::Control;
    void SetLimit(int chars) const noexcept { Send(EM_SETLIMITTEXT, static_cast<WPARAM>(chars)); }
    void SetReadOnly(bool ro) const noexcept { Send(EM_SETREADONLY, ro ? TRUE : FALSE); }
    void Select(int start, int end) const noexcept { Send(EM_SETSEL, static_cast<WPARAM>(start), end); }
    void SelectAll() const noexcept { Select(0, -1); }
    void ReplaceSelection(std::string_view utf8) const;
    void ScrollToCaret() const noexcept { Send(EM_SCROLLCARET); }
};

// List box and combo box share their item model: index-based, -1 for "none".
class ListBox : public Control {
public:
    using Control::Control;
    int Add(std::string_view utf8) const;  // index of the new item, or -1
    int Insert(int index, std::string_view utf8) const;
    void Remove(int index) const noexcept { Send(LB_DELETESTRING, static_cast<WPARAM>(index)); }
    void Clear() const noexcept { Send(LB_RESETCONTENT); }
    int Count() const noexcept { return static_cast<int>(Send(LB_GETCOUNT)); }
    int Selection() const noexcept { return static_cast<int>(Send(LB_GETCURSEL)); }
    void Select(int index) const noexcept { Send(LB_SETCURSEL, static_cast<WPARAM>(index)); }
    std::string ItemText(int index) const;
    void SetItemData(int index, LPARAM data) const noexcept { Send(LB_SETITEMDATA, static_cast<WPARAM>(index), data); }
    LPARAM ItemData(int index) const noexcept { return Send(LB_GETITEMDATA, static_cast<WPARAM>(index)); }
};

class ComboBox : public Control {
public:
    using Control::Control;
    int Add(std::string_view utf8) const;
    int Insert(int index, std::string_view utf8) const;
    void Remove(int index) const noexcept { Send(CB_DELETESTRING, static_cast<WPARAM>(index)); }
    void Clear() const noexcept { Send(CB_RESETCONTENT); }
    int Count() const noexcept { return static_cast<int>(Send(CB_GETCOUNT)); }
    int Selection() const noexcept { return static_cast<int>(Send(CB_GETCURSEL)); }
    void Select(int index) const noexcept { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    std::string ItemText(int index) const;
    int FindExact(std::string_view utf8, int after = -1) const;  // -1 when missing; case-insensitive
    void SetItemData(int index, LPARAM data) const noexcept { Send(CB_SETITEMDATA, static_cast<WPARAM>(index), data); }
    LPARAM ItemData(int index) const noexcept { return Send(CB_GETITEMDATA, static_cast<WPARAM>(index)); }
    void ShowDropDown(bool show) const noexcept { Send(CB_SHOWDROPDOWN, show ? TRUE : FALSE); }
};

// Combo box with an image per item (the category selector).
class ComboBoxEx : public Control {
public:
    using Control::Control;
    // Returns the index of the new item, or -1. index -1 appends.
    int Insert(int index, std::string_view utf8, int image, LPARAM data = 0, int indent = 0) const;
    void Remove(int index) const noexcept { Send(CBEM_DELETEITEM, static_cast<WPARAM>(index)); }
    void Clear() const noexcept { Send(CB_RESETCONTENT); }
    int Count() const noexcept { return static_cast<int>(Send(CB_GETCOUNT)); }
    int Selection() const noexcept { return static_cast<int>(Send(CB_GETCURSEL)); }
    void Select(int index) const noexcept { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    std::string ItemText(int index) const;
    int ItemImage(int index) const noexcept;
    LPARAM ItemData(int index) const noexcept;
    // The control does not take ownership of the image list.
    void SetImageList(HIMAGELIST list) const noexcept { Send(CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list)); }
    HWND Combo() const noexcept { return reinterpret_cast<HWND>(Send(CBEM_GETCOMBOCONTROL)); }
};

class ProgressBar : public Control {
public:
    using Control::Control;
    void SetRange(int low, int high) const noexcept { Send(PBM_SETRANGE32, static_cast<WPARAM>(low), high); }
    void SetPos(int pos) const noexcept { Send(PBM_SETPOS, static_cast<WPARAM>(pos)); }
    int Pos() const noexcept { return static_cast<int>(Send(PBM_GETPOS)); }
    void Step(int delta = 1) const noexcept { Send(PBM_DELTAPOS, static_cast<WPARAM>(delta)); }
};

}  // namespace winfx
