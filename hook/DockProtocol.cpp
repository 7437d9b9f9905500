#include "DockProtocol.h"

namespace dock {

DockOrder ParseDockTitle(std::string_view title) {
    DockOrder order;
    if (title.substr(0, kLeftPrefix.size()) == kLeftPrefix) {
        order.side = Side::Left;
        title.remove_prefix(kLeftPrefix.size());
    }
    order.target = title == kDockTitle ? Target::Toolbar : Target::MainWindow;
    return order;
}

std::string DockTitle(Target target, Side side) {
    std::string title;
    if (side == Side::Left) title += kLeftPrefix;
    if (target == Target::MainWindow) title += kPanelPrefix;
    title += kDockTitle;
    return title;
}

}  // namespace dock
