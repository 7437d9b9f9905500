// Reading one window's look from a skin file: order rules, kinds of controls, attributes.
#include <gtest/gtest.h>

#include "SkinModel.h"
#include "XmlReader.h"

using namespace skin;

namespace {

const char* kPath = "C:\\app\\skin\\default\\skin.xml";
const std::string kDir = "C:\\app\\skin\\default\\";

SkinSpec Read(const std::string& xml, const char* section = "main_window",
              SkinReader reader = SkinReader::kFull) {
    auto root = ParseXmlText(xml);
    EXPECT_TRUE(root) << xml;
    if (!root) return {};
    return ReadSkin(*root, section, kPath, reader);
}

}  // namespace

TEST(SkinFolder, KeepsTheTrailingSeparator) {
    EXPECT_EQ(SkinFolder("C:\\a\\b\\skin.xml"), "C:\\a\\b\\");
    EXPECT_EQ(SkinFolder("/tmp/x/skin.xml"), "/tmp/x/");
    EXPECT_EQ(SkinFolder("skin.xml"), "");
}

TEST(SkinBackground, SectionWithoutBackgroundKeepsTheDialogOne) {
    EXPECT_EQ(Read("<s><dialog background='d.bmp'/><main_window/></s>").background, kDir + "d.bmp");
    EXPECT_EQ(Read("<s><dialog background='d.bmp'/><main_window background=''/></s>").background,
              kDir + "d.bmp");
}

TEST(SkinBackground, LaterOneWinsInDocumentOrder) {
    EXPECT_EQ(Read("<s><dialog background='d.bmp'/><main_window background='m.bmp'/></s>").background,
              kDir + "m.bmp");
    EXPECT_EQ(Read("<s><main_window background='m.bmp'/><dialog background='d.bmp'/></s>").background,
              kDir + "d.bmp");
}

TEST(SkinSections, SectionNameAndRootChildrenMatchAnyCase) {
    SkinSpec s = Read(
        "<anything><DIALOG background='d.bmp'/><Main_Window><static position='1,2,3,4'/>"
        "</Main_Window><about_window><static position='1,1,1,1'/></about_window></anything>");
    EXPECT_TRUE(s.sectionFound);
    EXPECT_EQ(s.background, kDir + "d.bmp");
    ASSERT_EQ(s.controls.size(), 1u);
    EXPECT_EQ(s.controls[0].position, (Rect{1, 2, 3, 4}));
}

TEST(SkinSections, MissingSectionGivesNoControls) {
    SkinSpec s = Read("<s><about_window><static position='1,1,1,1'/></about_window></s>");
    EXPECT_FALSE(s.sectionFound);
    EXPECT_TRUE(s.controls.empty());
    EXPECT_TRUE(s.hasChildren);
    EXPECT_FALSE(Read("<s></s>").hasChildren);
}

TEST(SkinFrame, PiecesByNameWithRectsAndWholeImages) {
    SkinSpec s = Read(
        "<s><dialog><window><topleft image='f.bmp' rect='0,0,10,20'/>"
        "<BottomRight image='g.bmp' rect='0,0,0,0'/><rightmid image='f.bmp' rect='3,4,5'/>"
        "<middle image='f.bmp' rect='0,0,1,1'/><leftmid image='f.bmp' rect='5,5,2,9'/>"
        "<topmid image='f.bmp' rect='0,0,99999,1'/></window>"
        "<close image='c.bmp'/><icon image='i.bmp'/></dialog></s>");
    ASSERT_TRUE(s.pieces[kTopLeft]);
    EXPECT_EQ(s.pieces[kTopLeft]->image, kDir + "f.bmp");
    EXPECT_EQ(s.pieces[kTopLeft]->rect, (Rect{0, 0, 10, 20}));
    EXPECT_FALSE(s.pieces[kTopLeft]->WholeImage());
    ASSERT_TRUE(s.pieces[kBottomRight]);
    EXPECT_TRUE(s.pieces[kBottomRight]->WholeImage());
    EXPECT_FALSE(s.pieces[kRightMid]) << "three numbers";
    EXPECT_FALSE(s.pieces[kLeftMid]) << "negative width";
    EXPECT_FALSE(s.pieces[kTopMid]) << "oversized";
    EXPECT_EQ(s.closeImage, kDir + "c.bmp");
    EXPECT_EQ(s.iconImage, kDir + "i.bmp");
}

TEST(SkinFrame, PiecesCutFarOutsideAnyImageAreRefused) {
    // Their width or height does not fit an int; the reader must not even compute it.
    SkinSpec s = Read(
        "<s><dialog><window><topleft image='f.bmp' rect='-7,0,2147483647,5'/>"
        "<topmid image='f.bmp' rect='0,-2147483648,4,2147483647'/>"
        "<topright image='f.bmp' rect='-2147483648,0,2147483647,0'/>"
        "<leftmid image='f.bmp' rect='32767,0,32768,1'/>"
        "<rightmid image='f.bmp' rect='32766,-32767,32767,-32766'/>"
        "<bottommid image='f.bmp' rect='2147483647,5,2147483647,5'/>"
        "</window></dialog></s>");
    EXPECT_FALSE(s.pieces[kTopLeft]) << "width overflows";
    EXPECT_FALSE(s.pieces[kTopMid]) << "height overflows";
    EXPECT_FALSE(s.pieces[kTopRight]) << "width overflows, height zero";
    EXPECT_FALSE(s.pieces[kLeftMid]) << "just past the coordinate range";
    ASSERT_TRUE(s.pieces[kRightMid]) << "at the edge of the range";
    EXPECT_EQ(s.pieces[kRightMid]->rect, (Rect{32766, -32767, 32767, -32766}));
    ASSERT_TRUE(s.pieces[kBottomMid]) << "an empty rect still means the whole image";
    EXPECT_TRUE(s.pieces[kBottomMid]->WholeImage());
}

TEST(SkinControls, KindIsDecidedByTypeThenElementName) {
    SkinSpec s = Read(
        "<s><checkbox image='chk.bmp'/><radiobutton image='rad.bmp'/><main_window>"
        "<static type='sysbutton' position='0,0,1,1'/>"
        "<static type='button' position='0,0,1,1'/>"
        "<static position='0,0,1,1'/>"
        "<Static position='0,0,1,1'/>"
        "<checkbox position='0,0,1,1'/>"
        "<radiobutton position='0,0,1,1' group='true'/>"
        "<close type='SysButton' position='0,0,1,1'/>"
        "<label position='0,0,1,1'/>"
        "</main_window></s>");
    ASSERT_EQ(s.controls.size(), 5u);
    EXPECT_EQ(s.controls[0].kind, ControlKind::kSysButton);
    EXPECT_EQ(s.controls[1].kind, ControlKind::kButton);
    EXPECT_EQ(s.controls[2].kind, ControlKind::kStatic);
    EXPECT_EQ(s.controls[3].kind, ControlKind::kCheckBox);
    EXPECT_EQ(s.controls[3].image, kDir + "chk.bmp");
    EXPECT_EQ(s.controls[4].kind, ControlKind::kRadioButton);
    EXPECT_EQ(s.controls[4].image, kDir + "rad.bmp");
    EXPECT_TRUE(s.controls[4].group);
}

TEST(SkinControls, ControlWithoutFourNumbersIsSkipped) {
    SkinSpec s = Read(
        "<s><main_window><static position='1,2,3'/><static/><static position='a,b,c,d'/>"
        "<static position=' 1, -2, +3,4 trailing'/></main_window></s>");
    ASSERT_EQ(s.controls.size(), 1u);
    EXPECT_EQ(s.controls[0].position, (Rect{1, -2, 3, 4}));
}

TEST(SkinControls, HugeOrFarAwayControlsAreNotCreated) {
    SkinSpec s = Read(
        "<s><main_window><a type='button' position='-100000,0,10,10'/>"
        "<b type='button' position='0,0,8193,10'/><c type='button' position='0,0,10,8193'/>"
        "<d type='button' position='-8000,-8000,192,192'/><static position='0,40000,1,1'/>"
        "<e type='button' position='10,10,0,0'/></main_window></s>");
    ASSERT_EQ(s.controls.size(), 2u);
    EXPECT_EQ(s.controls[0].name, "d");
    EXPECT_EQ(s.controls[1].name, "e") << "an inverted rectangle is merely empty";
}

TEST(SkinControls, ButtonAttributesAndDefaultImageInDocumentOrder) {
    SkinSpec s = Read(
        "<s><main_window><ok type='button' position='0,0,1,1'/></main_window>"
        "<skinbutton image='def.bmp'/>"
        "<main_window><minimize type='sysbutton' position='1,2,3,4' image='min.bmp' hint='Min'"
        " text='ignored' checked='true'/>"
        "<ok type='button' position='0,0,1,1' text='OK' checked='true' hint='h'/>"
        "<page type='button' position='0,0,1,1' image='p.bmp' checked='TRUE'/></main_window></s>");
    ASSERT_EQ(s.controls.size(), 4u);
    EXPECT_EQ(s.controls[0].image, "") << "no default image yet";
    EXPECT_EQ(s.controls[1].name, "minimize");
    EXPECT_EQ(s.controls[1].image, kDir + "min.bmp");
    EXPECT_EQ(s.controls[1].hint, "Min");
    EXPECT_EQ(s.controls[1].text, "");
    EXPECT_FALSE(s.controls[1].checked);
    EXPECT_EQ(s.controls[2].image, kDir + "def.bmp");
    EXPECT_EQ(s.controls[2].text, "OK");
    EXPECT_TRUE(s.controls[2].checked);
    EXPECT_EQ(s.controls[3].image, kDir + "p.bmp");
    EXPECT_FALSE(s.controls[3].checked);
    ASSERT_EQ(s.defaultButtonImages.size(), 1u);
}

TEST(SkinControls, LabelAttributes) {
    SkinSpec s = Read(
        "<s><main_window><static position='0,0,1,1' text='&#20013;' image='bg.bmp' color='0x1a2B3c'"
        " font='SimSun' fontsize='12' bold='true'/>"
        "<static position='0,0,1,1' color='red' bold='yes'/></main_window></s>");
    ASSERT_EQ(s.controls.size(), 2u);
    const ControlSpec& a = s.controls[0];
    EXPECT_EQ(a.text, "\xE4\xB8\xAD");
    EXPECT_EQ(a.image, kDir + "bg.bmp");
    ASSERT_TRUE(a.colour);
    EXPECT_EQ(*a.colour, 0x3c2b1au);
    EXPECT_EQ(a.font, "SimSun");
    EXPECT_EQ(a.fontSize, 12);
    EXPECT_TRUE(a.bold);
    EXPECT_FALSE(s.controls[1].colour);
    EXPECT_FALSE(s.controls[1].bold);
}

TEST(SkinControls, CheckAndRadioIgnoreForeignAttributes) {
    SkinSpec s = Read(
        "<s><main_window><checkbox position='0,0,1,1' id='opt1' color='0xff0000' checked='true'"
        " text='T' group='true'/></main_window><checkbox image='late.bmp'/></s>");
    ASSERT_EQ(s.controls.size(), 1u);
    EXPECT_EQ(s.controls[0].id, "opt1");
    EXPECT_FALSE(s.controls[0].colour);
    EXPECT_FALSE(s.controls[0].checked);
    EXPECT_FALSE(s.controls[0].group);
    EXPECT_EQ(s.controls[0].image, "") << "check box image given after the section";
}

TEST(SkinControls, UpdaterReaderKnowsNoCheckBoxesOrRadioButtons) {
    const char* xml =
        "<s><checkbox image='c.bmp'/><radiobutton image='r.bmp'/><volte_window>"
        "<checkbox position='0,0,1,1'/><radiobutton position='0,0,1,1'/>"
        "<static position='0,0,1,1'/><x type='button' position='0,0,1,1'/></volte_window></s>";
    SkinSpec s = Read(xml, "volte_window", SkinReader::kUpdater);
    ASSERT_EQ(s.controls.size(), 2u);
    EXPECT_EQ(s.controls[0].kind, ControlKind::kStatic);
    EXPECT_EQ(s.controls[1].kind, ControlKind::kButton);
    EXPECT_EQ(s.checkImage, "");
    EXPECT_EQ(Read(xml, "volte_window").controls.size(), 4u);
}
