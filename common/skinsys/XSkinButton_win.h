// CXSkinButton: an owner-drawn button that is a push button, a check box or a radio button
// (from its creation style), with images for normal, pressed, disabled, hover and focus.
// It answers BM_SETCHECK / BM_GETCHECK; checking a radio button clears the other skinned
// radio buttons of its dialog group.
#pragma once
#include <windows.h>

#include <array>
#include <string>

#include "ButtonLook.h"
#include "SkinControl_win.h"

// Posted to the other radio buttons of a group when one is checked.
constexpr UINT kMsgRadioCleared = WM_USER + 256;

class CXSkinButton : public SkinControl {
public:
    CXSkinButton();

    // style: BS_AUTOCHECKBOX or BS_AUTORADIOBUTTON (plus WS_GROUP) for those kinds,
    // anything else for a push button. WS_CHILD | WS_VISIBLE are added.
    bool CreateButton(HWND parent, const RECT& rect, const std::string& text, DWORD style, int id = 0);

    skin::XKind Kind() const { return m_kind; }
    bool IsChecked() const { return m_bChecked; }
    bool IsHover() const { return m_bHover; }
    const std::string& Id() const { return m_strId; }
    void SetTextColour(COLORREF colour) { m_crText = colour; }
    void SetHint(const std::string& hint) { m_tooltip.Set(Hwnd(), hint); }
    HBITMAP Image(skin::XImage which) const { return m_images[static_cast<size_t>(which)].Get(); }

    void DrawItem(const DRAWITEMSTRUCT& dis) override;

protected:
    void OnAttached() override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    friend void SetCheckImage(HBITMAP strip, CXSkinButton& control);
    friend void SetCheckFont(bool bold, CXSkinButton& control, int height, const std::string& face);
    friend void SetCheckId(CXSkinButton& control, const std::string& id);
    void SetCheck(bool checked);
    void ClearOthersInGroup();
    void OnButtonUp();
    void EndPress();
    void DrawImage(HDC dc, HBITMAP image, const RECT& box) const;
    void DrawLabel(HDC dc, const std::wstring& text, RECT rect, UINT flags, COLORREF colour) const;

    skin::XKind m_kind = skin::XKind::kPush;
    bool m_bChecked = false;
    bool m_bHover = false;
    bool m_bCaptured = false;   // a left press began on the control and is held
    bool m_bPressShown = false; // the held press is over the control
    bool m_bTracking = false;   // asked to be told when the mouse leaves
    std::array<winfx::UniqueBitmap, 5> m_images;  // normal, pressed, disabled, hover, focus
    int m_nFocusMargin = 0;
    COLORREF m_crText;
    winfx::UniqueFont m_font;  // "MS Sans Serif", height 14, weight 400
    int m_nImageMode = 1;      // images scaled onto their box, magenta transparent
    bool m_bEdge = true;       // 3-D edge around the item
    SkinTooltip m_tooltip;
    std::string m_strId;
};

// Cuts strip into four equal-width images: normal, hover, pressed, disabled; switches off
// the edge and the focus margin; shapes the control to its non-magenta pixels and its text.
void SetCheckImage(HBITMAP strip, CXSkinButton& control);
void SetCheckFont(bool bold, CXSkinButton& control, int height, const std::string& face);
void SetCheckId(CXSkinButton& control, const std::string& id);
