// Base of the skinned controls: a standard control (button or static) subclassed with
// SetWindowSubclass, owned by one object. Owner-draw requests reach the control through
// its parent: CSkinDialog forwards them, other parents call ReflectDrawItem.
#pragma once
#include <windows.h>

#include <string>

#include "winfx/Unique.h"

class SkinControl {
public:
    SkinControl() = default;
    virtual ~SkinControl();  // unsubclasses and destroys a window that still exists
    SkinControl(const SkinControl&) = delete;
    SkinControl& operator=(const SkinControl&) = delete;

    HWND Hwnd() const noexcept { return m_hwnd; }
    // Creates the control as a child of parent (class "Button" or "Static").
    bool Create(const wchar_t* className, HWND parent, const RECT& rect, const std::string& text,
                DWORD style, int id = 0);
    // Takes over an existing control, for example one from a dialog template.
    bool Attach(HWND control);

    // The object that subclassed this window, or null.
    static SkinControl* FromHwnd(HWND hwnd) noexcept;

    virtual void DrawItem(const DRAWITEMSTRUCT&) {}

protected:
    // Called once the window is subclassed (created or attached).
    virtual void OnAttached() {}
    // Every message of the control; the default passes it on.
    virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return Default(msg, wp, lp); }
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);
    void Repaint() const;  // invalidates and updates when visible
    bool CursorOver() const;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                 DWORD_PTR self);
    void Detach() noexcept;
    HWND m_hwnd = nullptr;
};

// For a parent's WM_DRAWITEM: draws a skinned control; false if the item is none.
bool ReflectDrawItem(LPARAM lp);

// A tooltip for one control with a fixed hint text (none while the text is empty).
class SkinTooltip {
public:
    void Set(HWND tool, const std::string& hint);

private:
    winfx::UniqueHwnd m_tip;
};

// Rebuilds font from its current face: face replaced when not empty, height, and weight
// 700 when bold else 400.
void RebuildFont(winfx::UniqueFont& font, bool bold, int height, const std::string& face);
