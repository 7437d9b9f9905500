#include "MessengerRules.h"

#include "HookChatRule.h"

namespace dock {
namespace {

using wintree::ClassIs;
using wintree::ForEachDescendant;
using wintree::Hwnd;
using wintree::Walk;

constexpr std::string_view kClassicClass = "#32770";
constexpr std::string_view kTxClass = "TXGuiFoundation";

bool HasClassicChatInput(const wintree::WindowTree& tree, Hwnd window, int& budget) {
    bool found = false;
    ForEachDescendant(tree, window, budget, [&](Hwnd host) {
        if (!ClassIs(tree, host, "AfxWnd42")) return true;
        ForEachDescendant(tree, host, budget, [&](Hwnd input) {
            found = ClassIs(tree, input, "RichEdit20A");
            return !found;
        });
        return !found;
    });
    return found;
}

}  // namespace

bool IsMessengerWindow(const wintree::WindowTree& tree, Hwnd window) {
    wintree::Name name;
    const std::string_view cls = tree.ClassName(window, name);
    if (cls == kTxClass) return true;
    if (cls != kClassicClass) return false;
    int budget = kChatWalkBudget;
    bool bar = false;
    ForEachDescendant(tree, window, budget, [&](Hwnd d) {
        bar = ClassIs(tree, d, "Tencent_QQBar");
        return !bar;
    });
    if (bar) return true;
    budget = kChatWalkBudget;
    return HasClassicChatInput(tree, window, budget);
}

bool IsMainChatWindow(const wintree::WindowTree& tree, Hwnd window) {
    wintree::Name name;
    const std::string_view cls = tree.ClassName(window, name);
    int budget = kChatWalkBudget;
    if (cls == kClassicClass) return HasClassicChatInput(tree, window, budget);
    if (cls != kTxClass) return false;
    int atl = 0, shell = 0;
    const Walk walk = ForEachDescendant(tree, window, budget, [&](Hwnd d) {
        wintree::Name n;
        const std::string_view c = tree.ClassName(d, n);
        if (c.substr(0, 4) == "ATL:") ++atl;
        if (c == "Shell Embedding") ++shell;
        return atl < 2 && shell < 2;
    });
    if (walk == Walk::OverBudget || atl != 1 || shell != 1) return false;
    const std::string_view title = tree.Title(window, name);
    return title != "重新登录" && title.substr(0, 6) != "QQ2009";
}

}  // namespace dock
