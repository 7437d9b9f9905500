// The gestures on face cells as the owner receives them: a single click only after the
// double-click wait, a double click without a click before it, a right click at once, and
// nothing for empty cells or for a face that left its cell before the wait was over.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MienkosPanel_win.h"
#include "PanelTestKit.h"
#include "PictureTestKit.h"
#include "TestKit.h"

using namespace pictest;

namespace {

class Recorder : public PanelOwner {
public:
    void OnFaceClick(int cell) override { events.push_back("click " + std::to_string(cell)); }
    void OnFaceDoubleClick(int cell) override { events.push_back("double " + std::to_string(cell)); }
    void OnFaceRightClick(int cell, POINT) override { events.push_back("right " + std::to_string(cell)); }
    std::vector<std::string> events;
};

PanelFace Face(const std::string& name) {
    PanelFace f;
    f.id = std::string(32, 'b');
    f.fileName = name;
    f.thumbnail = panel_test::Sample("still.jpg");
    f.image = panel_test::Sample("wide.gif");
    return f;
}

void Down(HWND h) { SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5)); }
void Up(HWND h) { SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(5, 5)); }
void DoubleClick(HWND h) {
    Down(h);
    Up(h);
    SendMessageW(h, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    Up(h);
}
void Right(HWND h) { SendMessageW(h, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5)); }

class PanelClicks : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(panel.Create(host.Get(), {0, 0, 100, 100}, 1031));
        ASSERT_TRUE(panel.CreateGrid(5, 2, 10, &owner));
        for (int i = 0; i < 4; ++i)
            ASSERT_TRUE(panel.LoadFace(i, Face("f" + std::to_string(i) + ".gif")));
    }
    // Long enough for the single-click timer (at most 350 ms) under emulation.
    void Settle() { Pump(1200); }
    HostWindow host{300, 200};
    Recorder owner;
    CMienkosPanel panel;
};

}  // namespace

TEST_F(PanelClicks, SingleClickArrivesOnlyAfterTheDoubleClickWait) {
    Down(panel.CellHwnd(1));
    Up(panel.CellHwnd(1));
    EXPECT_TRUE(owner.events.empty());  // not before the timer
    EXPECT_TRUE(testkit::WaitUntil([&] { return !owner.events.empty(); }, std::chrono::seconds(5)));
    Settle();
    EXPECT_EQ(std::vector<std::string>{"click 1"}, owner.events);
}

TEST_F(PanelClicks, DoubleClickGivesOneDoubleAndNoClick) {
    DoubleClick(panel.CellHwnd(2));
    Settle();
    EXPECT_EQ(std::vector<std::string>{"double 2"}, owner.events);
}

TEST_F(PanelClicks, RightClickArrivesAtOnceAndReplacesAPendingClickOnTheSameCell) {
    Right(panel.CellHwnd(3));
    Pump(50);
    EXPECT_EQ(std::vector<std::string>{"right 3"}, owner.events);
    owner.events.clear();
    Down(panel.CellHwnd(3));
    Right(panel.CellHwnd(3));
    Settle();
    EXPECT_EQ(std::vector<std::string>{"right 3"}, owner.events);
}

TEST_F(PanelClicks, ClickOnAnotherCellDeliversThePendingOneFirst) {
    Down(panel.CellHwnd(0));
    Down(panel.CellHwnd(1));
    Settle();
    EXPECT_EQ((std::vector<std::string>{"click 0", "click 1"}), owner.events);
}

TEST_F(PanelClicks, EmptyCellsAndReplacedFacesReportNothing) {
    Down(panel.CellHwnd(7));  // never filled
    Right(panel.CellHwnd(7));
    DoubleClick(panel.CellHwnd(8));
    Down(panel.CellHwnd(2));
    panel.LoadFace(2, Face("other.gif"));  // a page change before the wait is over
    Settle();
    EXPECT_TRUE(owner.events.empty()) << owner.events.front();
}

TEST_F(PanelClicks, OwnerMayRefillThePageFromInsideAGesture) {
    class Refiller : public PanelOwner {
    public:
        explicit Refiller(CMienkosPanel& p) : panel(p) {}
        void OnFaceRightClick(int, POINT) override {
            ++calls;
            panel.ClearFrom(0);
            panel.LoadFace(0, Face("new.gif"));
        }
        CMienkosPanel& panel;
        int calls = 0;
    } refiller(panel);
    ASSERT_TRUE(panel.RelayoutGrid(5, 2, &refiller));
    Right(panel.CellHwnd(0));
    Right(panel.CellHwnd(1));  // its face is gone by the time this is delivered
    Settle();
    EXPECT_EQ(1, refiller.calls);
    ASSERT_NE(nullptr, panel.Face(0));
    EXPECT_EQ("new.gif", panel.Face(0)->fileName);
}
