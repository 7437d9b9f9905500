// The hook's platform inside the messenger. Calls on the main program's windows are
// asynchronous (ShowWindowAsync, SWP_ASYNCWINDOWPOS): the messenger's thread never waits for
// the main program, which may be busy or hung, and never takes the activation from the chat
// window the user is typing in.
#pragma once
#include "ChatHook.h"
#include "WindowTree_win.h"

namespace dock {

class HookDesktop : public Desktop {
public:
    Hwnd FirstChild(Hwnd w) const override { return m_tree.FirstChild(w); }
    Hwnd NextSibling(Hwnd w) const override { return m_tree.NextSibling(w); }
    Hwnd Parent(Hwnd w) const override { return m_tree.Parent(w); }
    std::string_view ClassName(Hwnd w, wintree::Name& buffer) const override {
        return m_tree.ClassName(w, buffer);
    }
    std::string_view Title(Hwnd w, wintree::Name& buffer) const override {
        return m_tree.Title(w, buffer);
    }

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
    wintree::LiveWindowTree m_tree;
};

}  // namespace dock
