// The hook's own test of "is this a chat window of the messenger". Stricter than the main
// program's for the newer window kind: it needs no "Shell Embedding" but rejects the
// messenger's main window ("QQ2009...") and the re-login dialog by title.
#pragma once
#include "WindowTree.h"

namespace dock {

// Windows looked at per test at most (steps of the walk). A real chat window has a few
// hundred descendants; anything past this is not worth the messenger's time.
constexpr int kChatWalkBudget = 2048;

bool IsHookChatWindow(const wintree::WindowTree& tree, wintree::Hwnd window);

}  // namespace dock
