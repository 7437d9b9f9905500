// A tooltip control owned by this object: tips for whole controls or for rectangles
// of the owner's client area.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>

namespace winfx {

class Tooltip {
public:
    Tooltip() noexcept = default;
    ~Tooltip();
    Tooltip(const Tooltip&) = delete;
    Tooltip& operator=(const Tooltip&) = delete;

    bool Create(HWND owner, DWORD style = TTS_ALWAYSTIP | TTS_NOPREFIX);
    HWND Hwnd() const noexcept { return m_hwnd; }

    // A tip for a whole control (a child of the owner, or the owner itself). The
    // tooltip watches the control's mouse messages itself.
    bool AddTool(HWND tool, std::string_view text);
    void SetToolText(HWND tool, std::string_view text);
    std::string ToolText(HWND tool) const;
    void RemoveTool(HWND tool) noexcept;
    // A tip for a rectangle of the owner's client area, named by id.
    bool AddRect(UINT id, const RECT& rect, std::string_view text);
    void SetRectText(UINT id, std::string_view text);
    std::string RectText(UINT id) const;
    void MoveRect(UINT id, const RECT& rect) noexcept;
    void RemoveRect(UINT id) noexcept;
    int ToolCount() const noexcept;

    // Width in pixels past which tips wrap ("\n" in a text then breaks lines too).
    void SetMaxWidth(int pixels) noexcept;
    void Activate(bool active) noexcept;

private:
    HWND m_hwnd = nullptr;
    HWND m_owner = nullptr;
};

}  // namespace winfx
