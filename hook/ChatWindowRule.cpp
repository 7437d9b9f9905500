#include "HookChatRule.h"

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
constexpr std::string_view kMainTitlePrefix = "QQ2009";
constexpr std::string_view kReloginTitle = "重新登录";

bool HasClassicInput(const wintree::WindowTree& tree, Hwnd window) {
    int budget = kChatWalkBudget;
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

int CountAtlDescendants(const wintree::WindowTree& tree, Hwnd window) {
    int budget = kChatWalkBudget;
    int count = 0;
    const Walk walk = ForEachDescendant(tree, window, budget, [&](Hwnd d) {
        wintree::Name name;
        if (tree.ClassName(d, name).substr(0, kAtlPrefix.size()) == kAtlPrefix) ++count;
        return count < 2;
    });
    // A tree too big to look through is not taken for a chat window.
    return walk == Walk::OverBudget ? 0 : count;
}

}  // namespace

bool IsHookChatWindow(const wintree::WindowTree& tree, Hwnd window) {
    wintree::Name name;
    const std::string_view cls = tree.ClassName(window, name);
    if (cls == kClassicClass) return HasClassicInput(tree, window);
    if (cls != kTxClass) return false;
    if (CountAtlDescendants(tree, window) != 1) return false;
    const std::string_view title = tree.Title(window, name);
    return title.substr(0, kMainTitlePrefix.size()) != kMainTitlePrefix &&
           title != kReloginTitle;
}

}  // namespace dock
