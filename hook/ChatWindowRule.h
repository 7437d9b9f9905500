// Whether a window is a chat window of the messenger: one rule for the hook and the main
// program. They differ only for the newer window kind, where the main program also wants the
// chat history ("Shell Embedding"); both reject the messenger's main window ("QQ2009...") and
// the re-login dialog by title.
#pragma once
#include "WindowTree.h"

namespace dock {

// Windows looked at per test at most (steps of the walk). A real chat window has a few
// hundred descendants; anything past this is not worth the messenger's time.
constexpr int kChatWalkBudget = 2048;

enum class ChatRule {
    Hook,         // "TXGuiFoundation": exactly one "ATL:" descendant
    MainProgram,  // ... and exactly one "Shell Embedding"
};

bool IsChatWindow(const wintree::WindowTree& tree, wintree::Hwnd window, ChatRule rule);

inline bool IsHookChatWindow(const wintree::WindowTree& tree, wintree::Hwnd window) {
    return IsChatWindow(tree, window, ChatRule::Hook);
}

// "#32770" part of the rule: a descendant "AfxWnd42" with a descendant "RichEdit20A". Spends
// `budget` (see ForEachDescendant).
bool HasClassicChatInput(const wintree::WindowTree& tree, wintree::Hwnd window, int& budget);

}  // namespace dock
