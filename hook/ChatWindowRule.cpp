#include "ChatWindowRule.h"

namespace dock {
namespace {

using wintree::ClassIs;
using wintree::ForEachDescendant;
using wintree::Hwnd;
using wintree::Walk;

constexpr std::string_view kClassicClass = "#32770";
constexpr std::string_view kTxClass = "TXGuiFoundation";
constexpr std::string_view kInputHost = "AfxWnd42";
constexpr std::string_view kInput = "RichEdit20A";
constexpr std::string_view kAtlPrefix = "ATL:";
constexpr std::string_view kHistory = "Shell Embedding";
constexpr std::string_view kMainTitlePrefix = "QQ2009";
constexpr std::string_view kReloginTitle = "重新登录";

// Counting stops as soon as a count reaches 2: more than one is as bad as many.
bool HasOneAtlAndHistory(const wintree::WindowTree& tree, Hwnd window, ChatRule rule) {
    const bool wantHistory = rule == ChatRule::MainProgram;
    int budget = kChatWalkBudget;
    int atl = 0, history = 0;
    const Walk walk = ForEachDescendant(tree, window, budget, [&](Hwnd d) {
        wintree::Name name;
        const std::string_view cls = tree.ClassName(d, name);
        if (cls.substr(0, kAtlPrefix.size()) == kAtlPrefix) ++atl;
        if (wantHistory && cls == kHistory) ++history;
        return atl < 2 && history < 2;
    });
    // A tree too big to look through is not taken for a chat window.
    return walk != Walk::OverBudget && atl == 1 && (!wantHistory || history == 1);
}

}  // namespace

bool HasClassicChatInput(const wintree::WindowTree& tree, Hwnd window, int& budget) {
    bool found = false;
    ForEachDescendant(tree, window, budget, [&](Hwnd host) {
        if (!ClassIs(tree, host, kInputHost)) return true;
        ForEachDescendant(tree, host, budget, [&](Hwnd input) {
            found = ClassIs(tree, input, kInput);
            return !found;
        });
        return !found;
    });
    return found;
}

bool IsChatWindow(const wintree::WindowTree& tree, Hwnd window, ChatRule rule) {
    wintree::Name name;
    const std::string_view cls = tree.ClassName(window, name);
    if (cls == kClassicClass) {
        int budget = kChatWalkBudget;
        return HasClassicChatInput(tree, window, budget);
    }
    if (cls != kTxClass || !HasOneAtlAndHistory(tree, window, rule)) return false;
    const std::string_view title = tree.Title(window, name);
    return title.substr(0, kMainTitlePrefix.size()) != kMainTitlePrefix &&
           title != kReloginTitle;
}

}  // namespace dock
