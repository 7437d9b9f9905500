// In-memory dialog templates (DLGTEMPLATEEX): for windows whose layout is made in code
// (test fixtures, the fake messenger) and for copies of .rc templates to patch.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace winfx {

class DialogTemplate {
public:
    // Units are dialog units. DS_SETFONT is added; the font applies to all controls.
    DialogTemplate(std::string_view title, DWORD style, int x, int y, int cx, int cy,
                   std::string_view font = "MS Shell Dlg", WORD pointSize = 9);
    // className is a window class name ("Button", "Edit", "Static", "RichEdit20A", ...).
    // WS_CHILD | WS_VISIBLE are added.
    DialogTemplate& Add(std::string_view className, std::string_view text, int id, DWORD style,
                        int x, int y, int cx, int cy, DWORD exStyle = 0);
    DialogTemplate& SetExStyle(DWORD exStyle) noexcept;

    std::vector<BYTE> Bytes() const;

private:
    struct Item {
        std::wstring className, text;
        int id;
        DWORD style, exStyle;
        short x, y, cx, cy;
    };
    std::wstring m_title, m_font;
    DWORD m_style, m_exStyle = 0;
    short m_x, m_y, m_cx, m_cy;
    WORD m_pointSize;
    std::vector<Item> m_items;
};

// A copy of a dialog resource, or empty if the module has none with this id.
std::vector<BYTE> LoadDialogTemplate(HINSTANCE instance, int id);

}  // namespace winfx
