// State rules of the skinned buttons.
#include <gtest/gtest.h>

#include "ButtonLook.h"

using namespace skin;

TEST(BtnImageChoice, CheckedButtons) {
    EXPECT_EQ(ChooseBtnImage({true, true, true, false, false}), BtnImage::kFourth);
    EXPECT_EQ(ChooseBtnImage({true, true, false, false, false}), BtnImage::kPressed);
    EXPECT_EQ(ChooseBtnImage({true, false, true, false, false}), BtnImage::kHover);
    EXPECT_EQ(ChooseBtnImage({true, false, false, true, true}), BtnImage::kNormal);
}

TEST(BtnImageChoice, UncheckedButtonsInPriorityOrder) {
    EXPECT_EQ(ChooseBtnImage({false, true, false, false, false}), BtnImage::kPressed);
    EXPECT_EQ(ChooseBtnImage({false, true, true, false, false}), BtnImage::kHover);
    EXPECT_EQ(ChooseBtnImage({false, false, true, true, true}), BtnImage::kPressed);
    EXPECT_EQ(ChooseBtnImage({false, false, true, false, true}), BtnImage::kFourth);
    EXPECT_EQ(ChooseBtnImage({false, false, true, false, false}), BtnImage::kHover);
    EXPECT_EQ(ChooseBtnImage({}), BtnImage::kNormal);
}

TEST(BtnImageChoice, TextShiftsWhenPressedOrCheckedAndLatched) {
    EXPECT_TRUE(BtnTextShifted({false, false, false, true, false}));
    EXPECT_TRUE(BtnTextShifted({true, true, false, false, false}));
    EXPECT_FALSE(BtnTextShifted({true, false, false, false, false}));
    EXPECT_FALSE(BtnTextShifted({false, true, false, false, false}));
}

TEST(XButtonKind, FromAutomaticStylesOnly) {
    EXPECT_EQ(XKindFromStyle(0x50000003), XKind::kCheckBox);
    EXPECT_EQ(XKindFromStyle(0x50020009), XKind::kRadio);
    EXPECT_EQ(XKindFromStyle(0x2), XKind::kPush) << "plain check box";
    EXPECT_EQ(XKindFromStyle(0xB), XKind::kPush) << "owner-draw";
}

TEST(XButtonImageChoice, DisabledThenPressedThenHoverThenFocus) {
    XState s;
    s.disabled = s.checked = true;
    EXPECT_EQ(ChooseXImage(s), XImage::kDisabled);
    s = {};
    s.checked = true;
    s.hover = s.hasHoverImage = true;
    EXPECT_EQ(ChooseXImage(s), XImage::kPressed);
    s = {};
    s.hover = true;
    EXPECT_EQ(ChooseXImage(s), XImage::kNormal) << "no hover image";
    s.hasHoverImage = true;
    s.focused = s.hasFocusImage = true;
    EXPECT_EQ(ChooseXImage(s), XImage::kHover);
    s.hover = false;
    EXPECT_EQ(ChooseXImage(s), XImage::kFocus);
}

TEST(XButtonLayout, CheckImageAtLeftCentredTextAfterIt) {
    XLayout l = LayoutXButton(Rect{10, 10, 110, 40}, XKind::kCheckBox, 0, 16, 14);
    EXPECT_EQ(l.image, (Rect{10, 18, 26, 32}));
    EXPECT_EQ(l.text, (Rect{28, 10, 108, 40}));
    EXPECT_FALSE(l.centreText);
    XLayout p = LayoutXButton(Rect{0, 0, 80, 20}, XKind::kPush, 3, 16, 14);
    EXPECT_EQ(p.text, (Rect{5, 0, 75, 20}));
    EXPECT_TRUE(p.centreText);
}

TEST(XButtonClick, CheckBoxTogglesRadioSetsPushStays) {
    EXPECT_TRUE(CheckAfterClick(XKind::kCheckBox, false));
    EXPECT_FALSE(CheckAfterClick(XKind::kCheckBox, true));
    EXPECT_TRUE(CheckAfterClick(XKind::kRadio, true));
    EXPECT_TRUE(CheckAfterClick(XKind::kRadio, false));
    EXPECT_FALSE(CheckAfterClick(XKind::kPush, false));
}
