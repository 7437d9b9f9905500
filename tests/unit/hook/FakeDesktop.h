// A window tree and window manager in memory for the hook's decisions: windows with class,
// title, rectangle and show state, and a log of every call the hook made on them.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ChatHook.h"

namespace dock::test {

struct FakeWindow {
    std::string cls, title;
    Hwnd parent = 0;
    std::vector<Hwnd> children;  // z-order, top first
    Rect rect;
    bool visible = true, iconic = false;
};

class FakeDesktop : public Desktop {
public:
    Hwnd Add(const std::string& cls, Hwnd parent = 0, const std::string& title = "",
             Rect rect = {});
    FakeWindow& Get(Hwnd w) { return m_windows.at(w); }
    void Remove(Hwnd w);  // with its descendants

    // Calls made by the hook, one text each ("move 7 100,200", "post 1 5", ...).
    std::vector<std::string> calls;
    // Runs at each call on a window (lets a test re-enter the hook or destroy windows).
    std::function<void(const std::string&)> onCall;
    // Windows looked at through the tree since the last reset.
    mutable int reads = 0;

    Hwnd FirstChild(Hwnd w) const override;
    Hwnd NextSibling(Hwnd w) const override;
    Hwnd Parent(Hwnd w) const override;
    std::string_view ClassName(Hwnd w, wintree::Name& buffer) const override;
    std::string_view Title(Hwnd w, wintree::Name& buffer) const override;

    bool Exists(Hwnd w) const override;
    bool GetRect(Hwnd w, Rect& rect) const override;
    bool IsIconic(Hwnd w) const override;
    bool IsVisible(Hwnd w) const override;
    void ShowTarget(Hwnd target, ShowMode mode) override;
    void RaiseTarget(Hwnd target) override;
    void MoveTarget(Hwnd target, Point to) override;
    void PlaceTarget(Hwnd target, const Rect& rect) override;
    void RaiseChat(Hwnd chat) override;
    void PostChatActive(Hwnd mainWindow, Hwnd chat) override;

private:
    void Record(const std::string& call);
    const FakeWindow* Find(Hwnd w) const;
    std::map<Hwnd, FakeWindow> m_windows;
    Hwnd m_next = 1;
};

}  // namespace dock::test
