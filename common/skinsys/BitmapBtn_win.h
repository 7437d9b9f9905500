// CBitmapBtn: an owner-drawn image button with four state images cut from a strip
// (normal, hover, pressed, fourth/disabled), an optional caption, hover tracking by
// mouse capture and a tooltip.
#pragma once
#include <windows.h>

#include <array>
#include <string>

#include "ButtonLook.h"
#include "SkinControl_win.h"

class CBitmapBtn : public SkinControl {
public:
    CBitmapBtn() = default;

    // A visible owner-drawn child button.
    bool CreateButton(HWND parent, const RECT& rect, const std::string& text, int id = 0);

    void DrawItem(const DRAWITEMSTRUCT& dis) override;

    void SetHint(const std::string& hint) { m_hint = hint; m_tooltip.Set(Hwnd(), hint); }
    const std::string& Name() const { return m_strName; }
    void SetName(std::string name) { m_strName = std::move(name); }
    bool IsLatched() const { return m_bLatched; }
    void SetLatched(bool latched);
    bool IsChecked() const { return m_bChecked; }
    void SetChecked(bool checked);
    bool IsHover() const { return m_bHover; }
    void SetFontFace(std::string face) { m_strFontFace = std::move(face); }
    void SetFontWeight(int weight) { m_nFontWeight = weight; }
    HBITMAP Image(skin::BtnImage which) const { return m_images[static_cast<size_t>(which)].Get(); }

    std::string m_strCaption;  // drawn; the window text while empty

protected:
    void OnAttached() override;
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    // Called first on every mouse move (CSkinButton tells its dialog).
    virtual void OnMouseMoveNotify(POINT) {}
    virtual void OnLeftButtonUpInside() {}

private:
    friend void SetButtonImage(CBitmapBtn& button, HBITMAP strip);
    void OnMouseMove(WPARAM wp, LPARAM lp);
    LRESULT OnLeftButtonUp(WPARAM wp, LPARAM lp);

    std::string m_strFontFace = "MS Sans Serif";
    int m_nFontWeight = FW_NORMAL;
    bool m_bHover = false;
    SkinTooltip m_tooltip;
    std::string m_hint;
    std::string m_strName;
    std::array<winfx::UniqueBitmap, 4> m_images;  // normal, hover, pressed, fourth
    bool m_bLatched = false;
    bool m_bChecked = false;
    bool m_bPressed = false, m_bFocused = false, m_bDisabled = false;  // from the last draw
    bool m_bDrawEnabled = true;
};

// Cuts strip into four equal-width images (the remainder columns are lost) and removes the
// border and tab-stop styles.
void SetButtonImage(CBitmapBtn& button, HBITMAP strip);
void SetButtonText(const std::string& text, CBitmapBtn& button);
