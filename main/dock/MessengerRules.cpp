#include "MessengerRules.h"

namespace dock {

bool IsMessengerWindow(const wintree::WindowTree& tree, wintree::Hwnd window) {
    wintree::Name name;
    const std::string_view cls = tree.ClassName(window, name);
    if (cls == "TXGuiFoundation") return true;
    if (cls != "#32770") return false;
    int budget = kChatWalkBudget;
    bool bar = false;
    wintree::ForEachDescendant(tree, window, budget, [&](wintree::Hwnd d) {
        bar = wintree::ClassIs(tree, d, "Tencent_QQBar");
        return !bar;
    });
    if (bar) return true;
    budget = kChatWalkBudget;
    return HasClassicChatInput(tree, window, budget);
}

}  // namespace dock
