#include <gtest/gtest.h>

#include <climits>

#include "DockGeometry.h"
#include "DockProtocol.h"

namespace dock {
namespace {

TEST(DockTitle, TheFourTitlesOfTheMainProgramReadBack) {
    EXPECT_EQ(DockTitle(Target::Toolbar, Side::Right), "PeluQQ表情工具栏");
    EXPECT_EQ(DockTitle(Target::MainWindow, Side::Right), "隐藏-PeluQQ表情工具栏");
    EXPECT_EQ(DockTitle(Target::Toolbar, Side::Left), "<PeluQQ表情工具栏");
    EXPECT_EQ(DockTitle(Target::MainWindow, Side::Left), "<隐藏-PeluQQ表情工具栏");
    for (Target t : {Target::Toolbar, Target::MainWindow})
        for (Side s : {Side::Left, Side::Right}) {
            const DockOrder order = ParseDockTitle(DockTitle(t, s));
            EXPECT_EQ(order.target, t);
            EXPECT_EQ(order.side, s);
        }
}

TEST(DockTitle, AnyOtherTextDocksTheMainWindow) {
    const std::string title(kDockTitle);
    for (const std::string& bad :
         {std::string(), std::string("<"), std::string("<<") + title, title + " ", " " + title,
          title.substr(0, title.size() - 3), std::string(300, 'x'), title + std::string(290, 'y'),
          std::string("peluqq表情工具栏"), std::string(title.c_str(), 6) + '\0' + "表情工具栏"}) {
        EXPECT_EQ(ParseDockTitle(bad).target, Target::MainWindow) << bad;
    }
    EXPECT_EQ(ParseDockTitle("<<" + title).side, Side::Left);
    EXPECT_EQ(ParseDockTitle("").side, Side::Right);
    EXPECT_EQ(ParseDockTitle(">" + title).side, Side::Right);
}

TEST(DockGeometry, ToolbarSitsOnTheChosenEdge36PixelsAboveTheBottom) {
    const Rect chat{100, 50, 600, 450};
    const Rect tool{0, 0, 30, 120};
    EXPECT_EQ(ToolbarPosition(chat, tool, Side::Right), (Point{600, 450 - 120 - 36}));
    EXPECT_EQ(ToolbarPosition(chat, tool, Side::Left), (Point{70, 294}));
    // A chat window lower than the toolbar: the toolbar reaches above it, still 36 px up.
    EXPECT_EQ(ToolbarPosition(Rect{0, 0, 10, 20}, tool, Side::Right), (Point{10, -136}));
}

TEST(DockGeometry, PanelTakesTheChatWindowsTopAndHeightAndKeepsItsWidth) {
    const Rect chat{100, 50, 600, 450};
    const Rect main{900, 10, 1150, 700};
    EXPECT_EQ(PanelRect(chat, main, Side::Right), (Rect{600, 50, 850, 450}));
    EXPECT_EQ(PanelRect(chat, main, Side::Left), (Rect{-150, 50, 100, 450}));
}

TEST(DockGeometry, AbsurdRectanglesAreClampedNotOverflowed) {
    const Rect chat{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    const Rect huge{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_EQ(ToolbarPosition(chat, huge, Side::Left), (Point{INT_MIN, INT_MIN}));
    EXPECT_EQ(ToolbarPosition(chat, huge, Side::Right).x, INT_MAX);
    const Rect r = PanelRect(chat, huge, Side::Right);
    EXPECT_EQ(r.left, INT_MAX);
    EXPECT_EQ(r.right, INT_MAX);
}

}  // namespace
}  // namespace dock
