// What the tray menu shows when it opens: the dock item's check mark, and the first item's
// text and check mark.
#pragma once

class CConfig;

namespace traymenu {

constexpr const char* kHideMain = "隐藏主窗口";
constexpr const char* kShowMain = "显示主窗口";

struct State {
    bool dockChecked = true;
    const char* firstText = kHideMain;
    bool firstChecked = true;
};

// The dock item follows "Menu_QQHook" (checked when it is missing); the first item offers
// to hide a visible main window (checked) or to show a hidden one (unchecked).
State StateFor(CConfig& config, bool mainVisible);

}  // namespace traymenu
