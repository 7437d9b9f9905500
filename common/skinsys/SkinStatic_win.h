// CSkinStatic: a label with its own font, text colour and an optional background image
// drawn magenta-transparent over the dialog.
#pragma once
#include <windows.h>

#include <string>

#include "SkinControl_win.h"

class CSkinStatic : public SkinControl {
public:
    CSkinStatic();

    // A visible child label.
    bool CreateLabel(HWND parent, const RECT& rect, const std::string& text, DWORD style = 0);

    void SetTextColour(COLORREF colour);
    COLORREF TextColour() const { return m_crText; }
    void SetBackground(HBITMAP image);  // takes ownership
    void SetBackgroundEnabled(bool enabled) { m_bBackground = enabled; }
    HFONT Font() const { return m_font.Get(); }
    const std::string& CachedText() const { return m_strText; }

    void DrawItem(const DRAWITEMSTRUCT& dis) override;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    friend void SetLabelFont(bool bold, CSkinStatic& label, int height, const std::string& face);
    void Draw(HDC dc, const RECT& rc);

    winfx::UniqueFont m_font;  // 10-point SimSun ("宋体") until the skin says otherwise
    COLORREF m_crText = RGB(0, 0, 0);
    bool m_bPaintEnabled = true;
    bool m_bBackground = true;
    std::string m_strText;       // cached window text
    winfx::UniqueBitmap m_bmpBackground;
};

void SetLabelFont(bool bold, CSkinStatic& label, int height, const std::string& face);
