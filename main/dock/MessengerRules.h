// The main program's view of the messenger's windows: which top-level window tells us the
// messenger runs (its thread is the one to hook), and which window is a chat window that a
// face can be pasted into.
#pragma once
#include "ChatWindowRule.h"

namespace dock {

// Any messenger window: "#32770" holding a "Tencent_QQBar" or an "AfxWnd42" with a
// "RichEdit20A" inside, or any "TXGuiFoundation". All of them live on the messenger's
// user-interface thread, the one the hook is installed on.
bool IsMessengerWindow(const wintree::WindowTree& tree, wintree::Hwnd window);

// A chat window: "#32770" with the "AfxWnd42" > "RichEdit20A" input, or "TXGuiFoundation"
// with exactly one "ATL:" descendant and exactly one "Shell Embedding", that is neither the
// re-login dialog nor the messenger's main window (title beginning "QQ2009").
inline bool IsMainChatWindow(const wintree::WindowTree& tree, wintree::Hwnd window) {
    return IsChatWindow(tree, window, ChatRule::MainProgram);
}

}  // namespace dock
