// What a user sees of the faces panel: the grid's geometry, thumbnails, the hover frame,
// the preview that plays the hovered face and dodges the mouse, and cells that stay empty
// (and harmless) when their bytes are garbage.
#include <gtest/gtest.h>

#include "MienkosPanel_win.h"
#include "PanelTestKit.h"
#include "PictureTestKit.h"
#include "TestKit.h"

using namespace pictest;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kYellow = RGB(255, 214, 0);

PanelFace MakeFace(const std::string& name, const std::string& sample) {
    PanelFace f;
    f.id = std::string(32, 'a');
    f.fileName = name;
    f.tip = "tip " + name;
    f.thumbnail = panel_test::Sample("still.jpg");
    f.image = panel_test::Sample(sample);
    return f;
}

RECT ChildRect(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void MouseMove(HWND hwnd, int x, int y) { SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(panel.Create(host.Get(), {10, 10, 100, 100}, 1031));
        ASSERT_TRUE(panel.CreateGrid(5, 8, 40, nullptr));
        panel.SetPressedFrame(false);
        panel.SetHoverFrame(true);
    }
    HostWindow host{400, 420};
    CMienkosPanel panel;
};

}  // namespace

TEST_F(PanelTest, GridPlacesFortyFiveCellsOnAFortySixPitchAndSizesThePanel) {
    RECT self = ChildRect(panel.Hwnd());
    EXPECT_EQ(10, self.left);
    EXPECT_EQ(10, self.top);
    EXPECT_EQ(5 * 46, self.right - self.left);
    EXPECT_EQ(8 * 46, self.bottom - self.top);
    ASSERT_EQ(40, panel.CellCount());
    EXPECT_EQ(40, panel.PageSize());
    for (int i : {0, 4, 5, 39}) {
        const RECT r = ChildRect(panel.CellHwnd(i));
        EXPECT_EQ(46 * (i % 5), r.left) << i;
        EXPECT_EQ(46 * (i / 5), r.top) << i;
        EXPECT_EQ(45, r.right - r.left);
        EXPECT_EQ(45, r.bottom - r.top);
    }
    const RECT p = ChildRect(panel.PreviewHwnd());
    EXPECT_EQ(0, p.left);
    EXPECT_EQ(91, p.right - p.left);
    EXPECT_EQ(91, p.bottom - p.top);
    EXPECT_EQ(-1, panel.CellAt(panel.PreviewHwnd()));
    EXPECT_EQ(7, panel.CellAt(panel.CellHwnd(7)));
}

TEST_F(PanelTest, RelayoutMovesCellsAddsMissingOnesAndNeverDeletes) {
    const HWND first = panel.CellHwnd(0);
    ASSERT_TRUE(panel.RelayoutGrid(6, 8, nullptr));
    EXPECT_EQ(48, panel.CellCount());
    EXPECT_EQ(first, panel.CellHwnd(0));  // same windows, moved
    RECT r = ChildRect(panel.CellHwnd(6));
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(46, r.top);
    panel.ShowCells(48);
    EXPECT_EQ(48, panel.PageSize());
    ASSERT_TRUE(panel.RelayoutGrid(4, 8, nullptr));
    EXPECT_EQ(48, panel.CellCount());
    panel.ShowCells(32);
    EXPECT_TRUE(IsWindowVisible(panel.CellHwnd(31)));
    EXPECT_FALSE(IsWindowVisible(panel.CellHwnd(32)));
    // Hidden cells take no faces.
    EXPECT_FALSE(panel.LoadFace(32, MakeFace("a.gif", "wide.gif")));
    EXPECT_TRUE(panel.LoadFace(31, MakeFace("a.gif", "wide.gif")));
}

TEST_F(PanelTest, EmptyGridDestroysEveryCell) {
    const HWND cell = panel.CellHwnd(0);
    ASSERT_TRUE(panel.CreateGrid(0, 0, 0, nullptr));
    EXPECT_EQ(0, panel.CellCount());
    EXPECT_FALSE(IsWindow(cell));
    EXPECT_EQ(nullptr, panel.PreviewHwnd());
    EXPECT_FALSE(panel.LoadFace(0, MakeFace("a.gif", "wide.gif")));
}

TEST_F(PanelTest, CellShowsItsThumbnailAndTooltipUntilCleared) {
    // Cell 12 (third column, third row) is clear of the preview in the top-left corner.
    ASSERT_TRUE(panel.LoadFace(12, MakeFace("smile.gif", "wide.gif")));
    Repaint(host.Get());
    EXPECT_TRUE(Near(kYellow, WindowPixel(panel.CellHwnd(12), 8, 22), 40))
        << Hex(WindowPixel(panel.CellHwnd(12), 8, 22));
    EXPECT_EQ("tip smile.gif", panel.TooltipText(12));
    ASSERT_NE(nullptr, panel.Face(12));
    EXPECT_EQ("smile.gif", panel.Face(12)->fileName);

    panel.ClearFrom(5);
    Repaint(host.Get());
    EXPECT_FALSE(panel.HasFace(12));
    EXPECT_EQ(nullptr, panel.Face(12));
    EXPECT_EQ("", panel.TooltipText(12));
    EXPECT_EQ(kWhite, WindowPixel(panel.CellHwnd(12), 8, 22));
}

TEST_F(PanelTest, HoverDrawsTheBlueFrameAndDecodesTheFullImageOnlyThen) {
    ASSERT_TRUE(panel.LoadFace(7, MakeFace("mixed.gif", "delays_mixed.gif")));
    CPictureEx* cell = panel.Picture(7);
    EXPECT_FALSE(cell->IsLoaded());  // pending until hovered
    MouseMove(panel.CellHwnd(7), 5, 5);
    EXPECT_TRUE(cell->IsLoaded());
    EXPECT_TRUE(panel.IsHovered(7));
    Repaint(panel.CellHwnd(7));
    EXPECT_EQ(RGB(0, 0, 255), WindowPixel(panel.CellHwnd(7), 0, 22));
    EXPECT_EQ(RGB(0, 0, 255), WindowPixel(panel.CellHwnd(7), 44, 22));
    SendMessageW(panel.CellHwnd(7), WM_MOUSELEAVE, 0, 0);
    Repaint(panel.CellHwnd(7));
    EXPECT_NE(RGB(0, 0, 255), WindowPixel(panel.CellHwnd(7), 0, 22));
}

TEST_F(PanelTest, PreviewPlaysTheHoveredFaceAndJumpsToTheOtherCorner) {
    ASSERT_TRUE(panel.LoadFace(12, MakeFace("mixed.gif", "delays_mixed.gif")));
    ASSERT_TRUE(panel.LoadFace(13, MakeFace("wide.gif", "wide.gif")));
    MouseMove(panel.CellHwnd(12), 5, 5);
    CPictureEx* preview = panel.Preview();
    EXPECT_EQ("mixed.gif", preview->GetFaceName());
    EXPECT_EQ(5u, preview->GetFrameCount());
    EXPECT_TRUE(preview->IsPlaying());
    const HWND pv = panel.PreviewHwnd();

    SendMessageW(panel.CellHwnd(12), WM_MOUSELEAVE, 0, 0);
    MouseMove(panel.CellHwnd(13), 5, 5);
    EXPECT_EQ("wide.gif", preview->GetFaceName());
    // wide.gif loops green and orange every 200 ms: both reach the preview's surface (read
    // there: a loaded machine may repaint the window too late to catch a frame).
    const COLORREF kGreen = RGB(20, 160, 60), kOrange = RGB(255, 140, 0);
    for (COLORREF colour : {kGreen, kOrange})
        EXPECT_TRUE(testkit::WaitUntil([&] { return Near(colour, SurfacePixel(*preview, 45, 45), 40); },
                                       std::chrono::seconds(10), std::chrono::milliseconds(5)))
            << Hex(colour) << " never shown; now " << Hex(SurfacePixel(*preview, 45, 45));
    Repaint(pv);
    EXPECT_EQ(RGB(175, 175, 175), WindowPixel(pv, 0, 0));
    EXPECT_EQ(RGB(175, 175, 175), WindowPixel(pv, 90, 45));
    EXPECT_EQ(kWhite, WindowPixel(pv, 10, 45));  // outside the centred 40 x 20 picture

    // The mouse onto the preview: it jumps right (panel width - 91 - 1), then back.
    MouseMove(pv, 5, 5);
    EXPECT_EQ(5 * 46 - 91 - 1, ChildRect(pv).left);
    EXPECT_EQ(0, ChildRect(pv).top);
    MouseMove(pv, 5, 5);
    EXPECT_EQ(0, ChildRect(pv).left);
    testkit::Screenshot("panel_wine_test_preview");

    panel.StopPreview();
    EXPECT_FALSE(preview->IsPlaying());
    EXPECT_EQ("", preview->GetFaceName());
    Repaint(pv);
    EXPECT_EQ(kWhite, WindowPixel(pv, 45, 45));
}

TEST_F(PanelTest, GarbageBytesGiveAWhiteCellThatSurvivesHover) {
    PanelFace junk = MakeFace("junk.gif", "wide.gif");
    junk.thumbnail = {'G', 'I', 'F', '8', '9', 'a', 1, 2, 3};
    junk.image = std::vector<uint8_t>(5000, 0xAB);
    ASSERT_TRUE(panel.LoadFace(8, junk));
    Repaint(host.Get());
    EXPECT_EQ(kWhite, WindowPixel(panel.CellHwnd(8), 22, 22));
    MouseMove(panel.CellHwnd(8), 5, 5);
    EXPECT_FALSE(panel.Picture(8)->IsLoaded());
    EXPECT_NE("junk.gif", panel.Preview()->GetFaceName());  // nothing to hand over
    Repaint(host.Get());
    EXPECT_EQ(kWhite, WindowPixel(panel.CellHwnd(8), 22, 22));
    EXPECT_TRUE(panel.HasFace(8));
}

TEST_F(PanelTest, TenMegabyteFaceWaitsForTheHoverAndThenPlays) {
    PanelFace big = MakeFace("big.gif", "wide.gif");
    big.image.resize(10u << 20, 0);  // whatever follows the trailer is never read
    ASSERT_TRUE(panel.LoadFace(14, big));
    EXPECT_FALSE(panel.Picture(14)->IsLoaded());
    MouseMove(panel.CellHwnd(14), 5, 5);
    EXPECT_TRUE(panel.Picture(14)->IsLoaded());
    EXPECT_EQ("big.gif", panel.Preview()->GetFaceName());
    EXPECT_EQ(2u, panel.Preview()->GetFrameCount());
    EXPECT_EQ(10u << 20, panel.Face(14)->image.size());  // kept whole for sending
}

TEST_F(PanelTest, PressedFrameShowsOnlyWhenSwitchedOnAndResets) {
    ASSERT_TRUE(panel.LoadFace(9, MakeFace("a.gif", "wide.gif")));
    SendMessageW(panel.CellHwnd(9), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_TRUE(panel.IsPressed(9));
    Repaint(panel.CellHwnd(9));
    EXPECT_NE(RGB(255, 0, 0), WindowPixel(panel.CellHwnd(9), 0, 22));  // switched off
    panel.SetPressedFrame(true);
    Repaint(panel.CellHwnd(9));
    EXPECT_EQ(RGB(255, 0, 0), WindowPixel(panel.CellHwnd(9), 0, 22));
    panel.ResetPressed();
    EXPECT_FALSE(panel.IsPressed(9));
    Repaint(panel.CellHwnd(9));
    EXPECT_NE(RGB(255, 0, 0), WindowPixel(panel.CellHwnd(9), 0, 22));
}

TEST_F(PanelTest, SwapExchangesFacesAndSelectionBetweenTwoCells) {
    ASSERT_TRUE(panel.LoadFace(12, MakeFace("a.gif", "wide.gif")));
    ASSERT_TRUE(panel.LoadFace(13, MakeFace("b.gif", "wide.gif")));
    panel.SetPressed(12, true);
    ASSERT_TRUE(panel.SwapCells(12, 13));
    EXPECT_EQ("b.gif", panel.Face(12)->fileName);
    EXPECT_EQ("a.gif", panel.Face(13)->fileName);
    EXPECT_FALSE(panel.IsPressed(12));
    EXPECT_TRUE(panel.IsPressed(13));
    EXPECT_EQ("tip a.gif", panel.TooltipText(13));
    ASSERT_TRUE(panel.SwapCells(13, 14));  // with an empty cell
    EXPECT_FALSE(panel.HasFace(13));
    EXPECT_EQ("a.gif", panel.Face(14)->fileName);
    EXPECT_TRUE(panel.IsPressed(14));
    EXPECT_FALSE(panel.SwapCells(14, 40));
    EXPECT_FALSE(panel.SwapCells(-1, 14));
}

TEST_F(PanelTest, ScreenshotOfAFilledPage) {
    const char* samples[] = {"delays_mixed.gif", "wide.gif", "still.jpg", "large.jpg"};
    for (int i = 0; i < 23; ++i) {
        PanelFace f = MakeFace("face" + std::to_string(i), samples[i % 4]);
        f.thumbnail = panel_test::Sample(samples[i % 4]);
        ASSERT_TRUE(panel.LoadFace(i, f));
    }
    MouseMove(panel.CellHwnd(17), 5, 5);
    Repaint(host.Get());
    Pump(300);
    EXPECT_TRUE(testkit::Screenshot("panel_wine_test_page"));
}
