// CStaticPageButton: a page number, "上页", "下页" or "更多..." of the main window - a
// static text that looks like a link: blue-grey, red under the mouse, a hand cursor, and
// an opaque text background while it names the current page.
#pragma once
#include <windows.h>

#include <string>

#include "winfx/Subclass.h"

class CStaticPageButton : public winfx::Subclass {
public:
    static constexpr COLORREF kNormalText = RGB(35, 90, 140);
    static constexpr COLORREF kHoverText = RGB(200, 10, 0);

    // Takes over a static control (from a dialog template); adds SS_NOTIFY so that a click
    // reaches the dialog as STN_CLICKED.
    bool Attach(HWND staticControl);

    // The current page's button. Repainted through the parent when the state changes.
    void SetSelected(bool selected);
    bool IsSelected() const { return m_selected; }
    // Opened with the shell on a click, before the dialog hears of it; empty: none.
    void SetLink(const std::string& url) { m_link = url; }
    bool IsHovered() const { return m_hover; }
    bool IsPressed() const { return m_pressed; }
    bool IsVisited() const { return m_visited; }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void Paint();
    void RepaintInParent() const;

    std::string m_link;
    bool m_selected = false;
    bool m_hover = false;
    bool m_pressed = false;
    bool m_visited = false;
};
