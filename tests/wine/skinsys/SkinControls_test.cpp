// The skinned controls of the test dialog: state images, check boxes, radio groups, labels.
#include <gtest/gtest.h>

#include "TestKit.h"
#include "SkinImage_win.h"
#include "TestSkin.h"
#include "winfx/Gdi.h"
#include "winfx/Hwnd.h"

using namespace skintest;

namespace {

// Draws a control's owner-draw request into a memory bitmap and reads pixels back.
class Canvas {
public:
    Canvas(int w, int h) : m_w(w), m_h(h) {
        winfx::WindowDc screen(nullptr);
        m_dc.Reset(CreateCompatibleDC(screen.Get()));
        m_bmp.Reset(CreateCompatibleBitmap(screen.Get(), w, h));
        m_old = SelectObject(m_dc.Get(), m_bmp.Get());
    }
    ~Canvas() { SelectObject(m_dc.Get(), m_old); }
    COLORREF Draw(SkinControl& control, UINT state, int x, int y) {
        RECT all{0, 0, m_w, m_h};
        FillRect(m_dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_BUTTON;
        dis.itemAction = ODA_DRAWENTIRE;
        dis.itemState = state;
        dis.hwndItem = control.Hwnd();
        dis.hDC = m_dc.Get();
        dis.rcItem = all;
        control.DrawItem(dis);
        return GetPixel(m_dc.Get(), x, y);
    }

private:
    int m_w, m_h;
    winfx::UniqueMemDc m_dc;
    winfx::UniqueBitmap m_bmp;
    HGDIOBJ m_old = nullptr;
};

class SkinControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dialog.Open(WriteTestSkin(testkit::RunDir() + "\\skin_controls")));
        ASSERT_EQ(m_dialog.CheckControls().size(), 7u);
    }
    CXSkinButton& Check(size_t i) { return *m_dialog.CheckControls()[i]; }
    bool IsChecked(size_t i) {
        return SendMessageW(Check(i).Hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    TestDialog m_dialog;
};

}  // namespace

TEST_F(SkinControlsTest, ButtonShowsTheImageOfEachState) {
    CSkinButton& b = *ButtonNamed(m_dialog, "minimize");
    Canvas canvas(16, 16);
    EXPECT_EQ(canvas.Draw(b, 0, 8, 8), kNormal);
    EXPECT_EQ(canvas.Draw(b, ODS_SELECTED, 8, 8), kPressed);
    EXPECT_EQ(canvas.Draw(b, ODS_DISABLED, 8, 8), kFourth);
    SendMessageW(b.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    ASSERT_TRUE(b.IsHover());
    EXPECT_EQ(canvas.Draw(b, 0, 8, 8), kHover);
    b.SetLatched(true);
    EXPECT_EQ(canvas.Draw(b, 0, 8, 8), kHover) << "latched, hovered, unchecked";
    b.SetChecked(true);
    EXPECT_EQ(canvas.Draw(b, 0, 8, 8), kFourth) << "latched, checked, hovered";
    ReleaseCapture();
    SendMessageW(b.Hwnd(), WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(b.IsHover());
    EXPECT_EQ(canvas.Draw(b, 0, 8, 8), kPressed) << "latched, checked";
    b.SetLatched(false);
    EXPECT_EQ(canvas.Draw(b, ODS_SELECTED, 8, 8), kNormal) << "checked, not latched";
}

TEST_F(SkinControlsTest, StripRemainderColumnsAreDropped) {
    // btn.bmp is 83 wide: four pieces of 20, the last 3 (magenta) columns unused.
    CSkinButton& ok = *ButtonNamed(m_dialog, "ok");
    SIZE fourth = BitmapSize(ok.Image(skin::BtnImage::kFourth));
    EXPECT_EQ(fourth.cx, 20);
    EXPECT_EQ(fourth.cy, 25);
    Canvas canvas(80, 25);
    EXPECT_EQ(canvas.Draw(ok, ODS_DISABLED, 78, 2), kFourth);
}

TEST_F(SkinControlsTest, CheckBoxesToggleAndNeverAffectOthers) {
    EXPECT_EQ(Check(0).Kind(), skin::XKind::kCheckBox);
    EXPECT_EQ(Check(0).Id(), "a");
    Click(Check(0).Hwnd());
    EXPECT_TRUE(IsChecked(0));
    EXPECT_FALSE(IsChecked(1));
    Click(Check(1).Hwnd());
    EXPECT_TRUE(IsChecked(0));
    EXPECT_TRUE(IsChecked(1));
    Click(Check(0).Hwnd());
    EXPECT_FALSE(IsChecked(0));
    EXPECT_TRUE(IsChecked(1));
}

TEST_F(SkinControlsTest, RadioButtonsAreExclusiveWithinTheirGroup) {
    EXPECT_EQ(Check(2).Kind(), skin::XKind::kRadio);
    SendMessageW(Check(2).Hwnd(), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(Check(5).Hwnd(), BM_SETCHECK, BST_CHECKED, 0);
    Pump();
    EXPECT_TRUE(IsChecked(2));
    EXPECT_TRUE(IsChecked(5));
    Click(Check(3).Hwnd());
    EXPECT_FALSE(IsChecked(2));
    EXPECT_TRUE(IsChecked(3));
    EXPECT_FALSE(IsChecked(4));
    EXPECT_TRUE(IsChecked(5)) << "another group";
    Click(Check(6).Hwnd());
    EXPECT_FALSE(IsChecked(5));
    EXPECT_TRUE(IsChecked(6));
    EXPECT_TRUE(IsChecked(3));
    // Check boxes are no members of a radio group.
    Click(Check(0).Hwnd());
    Click(Check(4).Hwnd());
    EXPECT_TRUE(IsChecked(0));
    EXPECT_FALSE(IsChecked(3));
}

TEST_F(SkinControlsTest, SpaceKeyClicksLikeTheMouse) {
    SendMessageW(Check(1).Hwnd(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(IsChecked(1));
    SendMessageW(Check(1).Hwnd(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_FALSE(IsChecked(1));
    SendMessageW(Check(4).Hwnd(), WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(IsChecked(4));
}

TEST_F(SkinControlsTest, DialogKnowsRadioButtonsAndCheckBoxesByTheirCodes) {
    EXPECT_TRUE(SendMessageW(Check(2).Hwnd(), WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON);
    EXPECT_FALSE(SendMessageW(Check(0).Hwnd(), WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON);
    EXPECT_FALSE(SendMessageW(Check(0).Hwnd(), WM_GETDLGCODE, 0, 0) &
                 (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON));
    // The dialog manager clicks the radio button an arrow key moves to.
    SendMessageW(Check(3).Hwnd(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_TRUE(IsChecked(3));
}

TEST_F(SkinControlsTest, ReleaseOutsideTheControlChangesNothing) {
    SendMessageW(Check(0).Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(Check(0).Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(500, 2));
    Pump();
    EXPECT_FALSE(IsChecked(0));
}

TEST_F(SkinControlsTest, CheckImageFollowsTheState) {
    CXSkinButton& box = Check(0);
    Canvas canvas(100, 16);
    // The 14 x 14 image sits at the left, centred in 16 rows: rows 1 to 14, a magenta ring
    // around a filled inside.
    EXPECT_EQ(canvas.Draw(box, 0, 6, 8), RGB(255, 255, 255));
    // Hovering shows the strip's second piece.
    SendMessageW(box.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ASSERT_TRUE(box.IsHover());
    EXPECT_EQ(canvas.Draw(box, 0, 6, 8), RGB(180, 180, 180));
    SendMessageW(box.Hwnd(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(box.IsHover());
    SendMessageW(box.Hwnd(), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(canvas.Draw(box, 0, 6, 8), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Draw(box, ODS_DISABLED, 6, 8), RGB(150, 150, 150));
    // Magenta ring pixels are not painted: the dialog under the control shows there.
    EXPECT_EQ(canvas.Draw(box, 0, 0, 8), kBackground) << "the dialog shows through";
}

TEST_F(SkinControlsTest, CheckControlShapeKeepsImageAndText) {
    winfx::UniqueRgn rgn(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(Check(0).Hwnd(), rgn.Get()), ERROR);
    EXPECT_FALSE(PtInRegion(rgn.Get(), 0, 1)) << "magenta ring of the image";
    EXPECT_TRUE(PtInRegion(rgn.Get(), 5, 8));
    EXPECT_TRUE(PtInRegion(rgn.Get(), 60, 8)) << "text beside the image";
}

TEST_F(SkinControlsTest, LabelTakesColourAndFontFromTheSkin) {
    ASSERT_EQ(m_dialog.Labels().size(), 1u);
    CSkinStatic& label = *m_dialog.Labels()[0];
    EXPECT_EQ(label.TextColour(), RGB(0, 0, 0xC0));
    LOGFONTW lf{};
    ASSERT_TRUE(GetObjectW(label.Font(), sizeof lf, &lf));
    EXPECT_EQ(lf.lfHeight, 14);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_STREQ(lf.lfFaceName, L"SimSun");
    EXPECT_EQ(winfx::HwndGetText(label.Hwnd()), "\xE6\xA0\x87\xE7\xAD\xBE Label");
}

TEST_F(SkinControlsTest, LabelShowsItsNewTextAfterAChange) {
    CSkinStatic& label = *m_dialog.Labels()[0];
    UpdateWindow(label.Hwnd());
    Pump();
    EXPECT_EQ(label.CachedText(), "\xE6\xA0\x87\xE7\xAD\xBE Label");
    winfx::HwndSetText(label.Hwnd(), "Changed");
    RedrawWindow(m_dialog.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    EXPECT_EQ(label.CachedText(), "Changed");
    testkit::Screenshot("skinsys_controls");
}

TEST(SkinReaderKinds, UpdaterDialogCreatesNoCheckBoxesOrRadioButtons) {
    const std::string skin = WriteTestSkin(testkit::RunDir() + "\\skin_updater");
    TestDialog dialog;
    dialog.SetSkinReader(skin::SkinReader::kUpdater);
    ASSERT_TRUE(dialog.Open(skin));
    EXPECT_TRUE(dialog.loadResult);
    EXPECT_EQ(dialog.Buttons().size(), 5u);
    EXPECT_EQ(dialog.Labels().size(), 1u);
    EXPECT_TRUE(dialog.CheckControls().empty());
}
