// A skinned dialog built from a small skin: shape, caption band, caption buttons and the
// pixels it paints.
#include <gtest/gtest.h>

#include "TestKit.h"
#include "TestSkin.h"
#include "winfx/App.h"
#include "winfx/Com.h"
#include "winfx/Gdi.h"

using namespace skintest;

namespace {

class OleEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        m_ole = std::make_unique<winfx::OleInit>();
        m_app = std::make_unique<winfx::App>();
    }
    void TearDown() override {
        m_app.reset();
        m_ole.reset();
    }

private:
    std::unique_ptr<winfx::OleInit> m_ole;
    std::unique_ptr<winfx::App> m_app;
};
const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new OleEnvironment);

class SkinDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_skin = WriteTestSkin(testkit::RunDir() + "\\skin_dialog");
        ASSERT_TRUE(m_dialog.Open(m_skin));
        ASSERT_TRUE(m_dialog.loadResult);
    }
    HWND Dlg() const { return m_dialog.Hwnd(); }
    LRESULT HitTest(int x, int y) {
        POINT pt{x, y};
        ClientToScreen(Dlg(), &pt);
        return SendMessageW(Dlg(), WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
    }
    std::string m_skin;
    TestDialog m_dialog;
};

}  // namespace

TEST_F(SkinDialogTest, ControlsAreCreatedInSectionOrder) {
    ASSERT_EQ(m_dialog.Buttons().size(), 5u);
    const char* names[] = {"minimize", "maxmize", "Close", "close", "ok"};
    for (int i = 0; i < 5; ++i) {
        CSkinButton* b = m_dialog.FindSkinButton(i);
        ASSERT_TRUE(b);
        EXPECT_EQ(b->Name(), names[i]);
        EXPECT_EQ(GetDlgCtrlID(b->Hwnd()), 0);
        EXPECT_TRUE(IsWindowVisible(b->Hwnd()));
    }
    EXPECT_EQ(m_dialog.FindSkinButton(5), nullptr);
    EXPECT_EQ(m_dialog.FindSkinButton(-1), nullptr);
    EXPECT_EQ(m_dialog.Labels().size(), 1u);
    EXPECT_EQ(m_dialog.CheckControls().size(), 7u);
    RECT r;
    GetWindowRect(m_dialog.FindSkinButton(0)->Hwnd(), &r);
    MapWindowPoints(nullptr, Dlg(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 200);
    EXPECT_EQ(r.top, 6);
    EXPECT_EQ(r.right, 216);
    EXPECT_EQ(r.bottom, 22);
}

TEST_F(SkinDialogTest, LoadingTheSkinAgainReplacesItsControls) {
    EXPECT_TRUE(m_dialog.LoadSkin());
    EXPECT_EQ(m_dialog.Buttons().size(), 5u);
    EXPECT_EQ(m_dialog.CheckControls().size(), 7u);
    EXPECT_EQ(m_dialog.Labels().size(), 1u);
    int children = 0;
    for (HWND h = GetWindow(Dlg(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) ++children;
    EXPECT_EQ(children, 13);
}

TEST_F(SkinDialogTest, WindowRegionCutsTheMagentaCorners) {
    winfx::UniqueRgn rgn(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(Dlg(), rgn.Get()), ERROR);
    const int W = kWidth - 1, H = kHeight - 1;
    EXPECT_FALSE(PtInRegion(rgn.Get(), 0, 0));
    EXPECT_FALSE(PtInRegion(rgn.Get(), 3, 0));
    EXPECT_FALSE(PtInRegion(rgn.Get(), 0, 3));
    EXPECT_TRUE(PtInRegion(rgn.Get(), kCornerCut, 0));
    EXPECT_TRUE(PtInRegion(rgn.Get(), 2, 2));
    EXPECT_FALSE(PtInRegion(rgn.Get(), W, 0));
    EXPECT_TRUE(PtInRegion(rgn.Get(), W - kCornerCut, 0));
    EXPECT_FALSE(PtInRegion(rgn.Get(), 0, H));
    EXPECT_FALSE(PtInRegion(rgn.Get(), W, H));
    EXPECT_FALSE(PtInRegion(rgn.Get(), W - 1, H - 1));
    EXPECT_TRUE(PtInRegion(rgn.Get(), W - 2, H - 2));
    EXPECT_TRUE(PtInRegion(rgn.Get(), kWidth / 2, kHeight / 2));
    EXPECT_FALSE(PtInRegion(rgn.Get(), kWidth, kHeight / 2));
}

TEST_F(SkinDialogTest, ResizedWindowIsShapedForItsNewSize) {
    const int W = kWidth + 60, H = kHeight + 40;  // the test dialog has no frame: window = client
    ASSERT_TRUE(SetWindowPos(Dlg(), nullptr, 0, 0, W, H, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE));
    winfx::UniqueRgn rgn(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(Dlg(), rgn.Get()), ERROR);
    RECT box{};
    GetRgnBox(rgn.Get(), &box);
    EXPECT_EQ(box.right, W) << "a grown window would be clipped at its old size";
    EXPECT_EQ(box.bottom, H);
    EXPECT_TRUE(PtInRegion(rgn.Get(), W / 2, H - 3));
    EXPECT_FALSE(PtInRegion(rgn.Get(), W - 1, H - 1)) << "the corners are cut at the new size";
    EXPECT_FALSE(PtInRegion(rgn.Get(), W - 1, 0));
    EXPECT_TRUE(PtInRegion(rgn.Get(), kWidth - 1, kHeight - 1)) << "the old corner is inside now";

    ShowWindow(Dlg(), SW_MINIMIZE);  // a minimised window keeps its shape
    ShowWindow(Dlg(), SW_RESTORE);
    ASSERT_NE(GetWindowRgn(Dlg(), rgn.Get()), ERROR);
    GetRgnBox(rgn.Get(), &box);
    EXPECT_EQ(box.right, W);
}

TEST_F(SkinDialogTest, CaptionBandAnswersHtCaption) {
    // Band: x from max(top-left width 20, 16) to 300 - 10, y from 2 to the top-middle height 30.
    EXPECT_EQ(HitTest(20, 2), HTCAPTION);
    EXPECT_EQ(HitTest(150, 29), HTCAPTION);
    EXPECT_EQ(HitTest(289, 15), HTCAPTION);
    EXPECT_NE(HitTest(19, 15), HTCAPTION);
    EXPECT_NE(HitTest(290, 15), HTCAPTION);
    EXPECT_NE(HitTest(150, 1), HTCAPTION);
    EXPECT_NE(HitTest(150, 30), HTCAPTION);
    EXPECT_EQ(HitTest(150, 100), HTCLIENT);
}

TEST_F(SkinDialogTest, CaptionButtonsActByTheirExactNames) {
    Click(ButtonNamed(m_dialog, "minimize")->Hwnd());
    EXPECT_TRUE(IsIconic(Dlg()));
    ShowWindow(Dlg(), SW_RESTORE);
    Pump();
    Click(ButtonNamed(m_dialog, "maxmize")->Hwnd());
    EXPECT_TRUE(IsZoomed(Dlg()));
    ShowWindow(Dlg(), SW_RESTORE);
    Pump();
    Click(ButtonNamed(m_dialog, "Close")->Hwnd());
    EXPECT_TRUE(IsWindow(Dlg())) << "\"Close\" is not \"close\"";
    Click(ButtonNamed(m_dialog, "ok")->Hwnd());
    EXPECT_TRUE(IsWindow(Dlg()));
    const int before = m_dialog.clicks;
    HWND dialog = Dlg();
    Click(ButtonNamed(m_dialog, "close")->Hwnd());
    EXPECT_EQ(m_dialog.clicks, before + 1);
    EXPECT_FALSE(IsWindow(dialog));
}

TEST_F(SkinDialogTest, ReleaseOutsideTheButtonIsNoClick) {
    HWND close = ButtonNamed(m_dialog, "close")->Hwnd();
    SendMessageW(close, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageW(close, WM_LBUTTONUP, 0, MAKELPARAM(40, 40));
    Pump();
    EXPECT_EQ(m_dialog.clicks, 0);
    EXPECT_TRUE(IsWindow(Dlg()));
}

TEST_F(SkinDialogTest, MouseMovesAreReportedByButtonName) {
    SendMessageW(ButtonNamed(m_dialog, "maxmize")->Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(m_dialog.lastMoveName, "maxmize");
    ReleaseCapture();
}

TEST_F(SkinDialogTest, PaintsBackgroundFrameAndButtons) {
    RedrawWindow(Dlg(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    testkit::Screenshot("skinsys_dialog");
    EXPECT_EQ(PixelAt(Dlg(), 150, 140), kBackground);
    EXPECT_EQ(PixelAt(Dlg(), 100, 15), kTopMid);
    EXPECT_EQ(PixelAt(Dlg(), 10, 10), kCorner);
    EXPECT_EQ(PixelAt(Dlg(), 2, 100), kEdge);
    EXPECT_EQ(PixelAt(Dlg(), 150, 195), kEdge);
    EXPECT_EQ(PixelAt(Dlg(), 208, 14), kNormal);
}

TEST(SkinDialogFlags, FrameFlagsZeroPaintOnlyTheBackground) {
    const std::string skin = WriteTestSkin(testkit::RunDir() + "\\skin_flags");
    TestDialog dialog;
    ASSERT_TRUE(dialog.Open(skin, "test_window", 0));
    RedrawWindow(dialog.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    EXPECT_EQ(PixelAt(dialog.Hwnd(), 100, 15), kBackground);
    EXPECT_EQ(PixelAt(dialog.Hwnd(), 2, 100), kBackground);
    testkit::Screenshot("skinsys_dialog_noframe");
}
