#include "TrayMenu.h"

#include "Config.h"

namespace traymenu {

State StateFor(CConfig& config, bool mainVisible) {
    State s;
    s.dockChecked = config.GetBoolOr("Menu_QQHook", true);
    s.firstText = mainVisible ? kHideMain : kShowMain;
    s.firstChecked = mainVisible;
    return s;
}

}  // namespace traymenu
