// The toolbar title is the one channel from the main program to the hook running inside the
// messenger: it says which window to dock ("隐藏-" in front: the main window, else the
// toolbar) and on which side ("<" first: left). Both ends use these functions.
#pragma once
#include <string>
#include <string_view>

namespace dock {

constexpr std::string_view kDockTitle = "PeluQQ表情工具栏";
constexpr std::string_view kPanelPrefix = "隐藏-";
constexpr std::string_view kLeftPrefix = "<";

enum class Side { Right, Left };
enum class Target { Toolbar, MainWindow };

struct DockOrder {
    Side side = Side::Right;
    Target target = Target::MainWindow;
};

// What a toolbar title asks for. The toolbar is docked only for the exact title (after one
// optional "<"); every other text, empty or cut off, docks the main window.
DockOrder ParseDockTitle(std::string_view title);

// The title the main program writes for a dock mode and side.
std::string DockTitle(Target target, Side side);

}  // namespace dock
