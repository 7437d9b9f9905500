#include "ChatHook.h"

#include "ChatWindowRule.h"

namespace dock {
namespace {

// Sets bBusy for the hook's own window moves; the messages they cause come back into the
// hook synchronously and must be let through untouched.
class BusyScope {
public:
    explicit BusyScope(SharedValues& shared) : m_shared(shared) { m_shared.bBusy = 1; }
    ~BusyScope() { m_shared.bBusy = 0; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    SharedValues& m_shared;
};

class Docking {
public:
    Docking(const SharedValues& shared, Desktop& desktop) : m_desktop(desktop) {
        wintree::Name title;
        m_order = ParseDockTitle(desktop.Title(shared.hWndTool, title));
        m_target = m_order.target == Target::Toolbar ? shared.hWndTool : shared.hWndMain;
    }

    Hwnd TargetWindow() const { return m_target; }

    void Show() {
        if (!m_target) return;
        if (m_desktop.IsIconic(m_target))
            m_desktop.ShowTarget(m_target, ShowMode::Restore);
        else if (!m_desktop.IsVisible(m_target))
            m_desktop.ShowTarget(m_target, ShowMode::Show);
    }

    void Hide() {
        if (m_target) m_desktop.ShowTarget(m_target, ShowMode::Hide);
    }

    void Restore() {
        if (m_target) m_desktop.ShowTarget(m_target, ShowMode::Restore);
    }

    // The chat window ends above the target.
    void RaisePair(Hwnd chat) {
        if (m_target) m_desktop.RaiseTarget(m_target);
        m_desktop.RaiseChat(chat);
    }

    void Place(Hwnd chat) {
        Rect c, t;
        // Either window may be gone by now (destroyed while we look): then nothing moves.
        if (!m_target || !m_desktop.GetRect(chat, c) || !m_desktop.GetRect(m_target, t)) return;
        if (m_order.target == Target::Toolbar)
            m_desktop.MoveTarget(m_target, ToolbarPosition(c, t, m_order.side));
        else
            m_desktop.PlaceTarget(m_target, PanelRect(c, t, m_order.side));
    }

private:
    Desktop& m_desktop;
    DockOrder m_order;
    Hwnd m_target = 0;
};

bool Handles(const HookedMessage& m) {
    switch (m.message) {
        case msg::kCreate:
        case msg::kDestroy:
        case msg::kSize:
        case msg::kActivate:
        case msg::kWindowPosChanged:
            return true;
        case msg::kActivateApp:
            return m.wParam == 1;
        default:
            return false;
    }
}

void PostActive(SharedValues& shared, Desktop& desktop, Hwnd chat) {
    desktop.PostChatActive(shared.hWndMain, chat);
}

void OnSize(SharedValues& shared, Desktop& desktop, const HookedMessage& m) {
    PostActive(shared, desktop, m.window);
    BusyScope busy(shared);
    Docking dock(shared, desktop);
    if (m.window != shared.hWndCurrQQ) {
        dock.RaisePair(m.window);
        shared.hWndCurrQQ = m.window;
    }
    if (m.wParam == msg::kSizeMinimized) {
        dock.Hide();
    } else if (m.wParam == msg::kSizeRestored) {
        dock.Restore();
    } else {
        dock.Show();
        dock.Place(m.window);
    }
}

void OnActivate(SharedValues& shared, Desktop& desktop, const HookedMessage& m) {
    if ((m.wParam & 0xFFFF) == msg::kInactive) {
        if (shared.bActived == 0) shared.hWndCurrQQ = 0;
        shared.bActived = 0;
        return;
    }
    PostActive(shared, desktop, m.window);
    BusyScope busy(shared);
    Docking dock(shared, desktop);
    dock.Show();
    shared.hWndCurrQQ = m.window;
    dock.RaisePair(m.window);
    shared.bActived = 1;
    dock.Place(m.window);
    desktop.RaiseChat(m.window);
}

void OnWindowPosChanged(SharedValues& shared, Desktop& desktop, const HookedMessage& m) {
    PostActive(shared, desktop, m.window);
    // A chat window that is minimised or being hidden (also on its way to destruction)
    // must not pull the target out; WM_SIZE and WM_DESTROY decide about hiding.
    if (desktop.IsIconic(m.window) || !desktop.IsVisible(m.window)) return;
    BusyScope busy(shared);
    Docking dock(shared, desktop);
    dock.Show();
    dock.Place(m.window);
}

void OnDestroy(SharedValues& shared, Desktop& desktop, const HookedMessage& m) {
    // Closing a chat window in the background leaves the target beside the current one.
    if (shared.hWndCurrQQ && m.window != shared.hWndCurrQQ) return;
    BusyScope busy(shared);
    Docking(shared, desktop).Hide();
    shared.hWndCurrQQ = 0;
}

// A chat window can destroy itself in answer to our own raise; its WM_DESTROY then came while
// we were busy and was let through. Catch up on it, or the target would stay beside nothing.
void AfterOwnMoves(SharedValues& shared, Desktop& desktop, const HookedMessage& m) {
    if (!desktop.Exists(m.window)) OnDestroy(shared, desktop, m);
}

}  // namespace

void HandleHookedMessage(SharedValues& shared, Desktop& desktop,
                         const HookedMessage& m) noexcept {
    if (shared.bBusy || !shared.hWndMain || !Handles(m)) return;
    if (!IsHookChatWindow(desktop, m.window)) return;
    switch (m.message) {
        case msg::kCreate:
            PostActive(shared, desktop, m.window);
            break;
        case msg::kDestroy:
            OnDestroy(shared, desktop, m);
            break;
        case msg::kSize:
            OnSize(shared, desktop, m);
            AfterOwnMoves(shared, desktop, m);
            break;
        case msg::kActivate:
            OnActivate(shared, desktop, m);
            AfterOwnMoves(shared, desktop, m);
            break;
        case msg::kActivateApp: {
            {
                BusyScope busy(shared);
                Docking dock(shared, desktop);
                dock.Show();
                dock.RaisePair(m.window);
            }
            AfterOwnMoves(shared, desktop, m);
            break;
        }
        case msg::kWindowPosChanged:
            OnWindowPosChanged(shared, desktop, m);
            AfterOwnMoves(shared, desktop, m);
            break;
        default:
            break;
    }
}

}  // namespace dock
