// Broken, truncated and hostile skins: the dialog stays usable and nothing crashes.
#include <gtest/gtest.h>

#include <cstring>

#include "SkinImage_win.h"
#include "TestKit.h"
#include "TestSkin.h"
#include "winfx/Gdi.h"
#include "winfx/Wide.h"

using namespace skintest;

namespace {

std::string Folder(const std::string& name) {
    const std::string dir = testkit::RunDir() + "\\" + name;
    CreateDirectoryW(winfx::ToWide(dir).c_str(), nullptr);
    return dir;
}

bool HasRegion(HWND hwnd) {
    winfx::UniqueRgn rgn(CreateRectRgn(0, 0, 0, 0));
    return GetWindowRgn(hwnd, rgn.Get()) != ERROR;
}

}  // namespace

TEST(SkinHostile, MissingSkinFileLeavesThePlainWindow) {
    TestDialog dialog;
    ASSERT_TRUE(dialog.Open(testkit::RunDir() + "\\no_such_folder\\skin.xml"));
    EXPECT_FALSE(dialog.loadResult);
    EXPECT_TRUE(dialog.Buttons().empty());
    EXPECT_FALSE(HasRegion(dialog.Hwnd()));
}

TEST(SkinHostile, EveryTruncationOfTheSkinFailsCleanly) {
    const std::string dir = Folder("skin_truncated");
    WriteTestSkin(dir);
    const std::string xml = TestSkinXml();
    for (size_t cut = 0; cut < xml.size(); cut += 97) {
        WriteText(dir + "\\cut.xml", xml.substr(0, cut));
        TestDialog dialog;
        ASSERT_TRUE(dialog.Open(dir + "\\cut.xml"));
        EXPECT_FALSE(dialog.loadResult) << cut;
        EXPECT_TRUE(dialog.Buttons().empty()) << cut;
    }
}

TEST(SkinHostile, DeepNestingAndFloodsAreRefused) {
    const std::string dir = Folder("skin_deep");
    std::string deep;
    for (int i = 0; i < 100000; ++i) deep += "<test_window>";
    WriteText(dir + "\\deep.xml", deep);
    TestDialog a;
    ASSERT_TRUE(a.Open(dir + "\\deep.xml"));
    EXPECT_FALSE(a.loadResult);

    std::string big(5 * 1024 * 1024, ' ');
    big.replace(0, 6, "<skin>");
    big.replace(big.size() - 7, 7, "</skin>");
    WriteText(dir + "\\big.xml", big);
    TestDialog b;
    ASSERT_TRUE(b.Open(dir + "\\big.xml"));
    EXPECT_FALSE(b.loadResult) << "over 4 MiB";
}

TEST(SkinHostile, MissingAndBrokenImagesLeaveAPlainButWorkingWindow) {
    const std::string dir = Folder("skin_noimages");
    WriteText(dir + "\\bad.bmp", "BM this is no picture");
    std::string xml = TestSkinXml();
    for (const char* name : {"frame.bmp", "sys.bmp", "check.bmp", "radio.bmp"})
        for (size_t p = xml.find(name); p != std::string::npos; p = xml.find(name, p + 1))
            xml.replace(p, std::strlen(name), "bad.bmp");
    WriteText(dir + "\\skin.xml", xml);  // bg.bmp and btn.bmp do not exist at all
    TestDialog dialog;
    ASSERT_TRUE(dialog.Open(dir + "\\skin.xml"));
    EXPECT_EQ(dialog.Piece(skin::kTopLeft), nullptr) << BitmapSize(dialog.Piece(skin::kTopLeft)).cx;
    EXPECT_EQ(dialog.Background(), nullptr);
    EXPECT_FALSE(dialog.loadResult) << "no corner pieces: the window stays rectangular";
    EXPECT_FALSE(HasRegion(dialog.Hwnd()));
    EXPECT_EQ(dialog.Buttons().size(), 5u);
    EXPECT_EQ(dialog.CheckControls().size(), 7u);
    RedrawWindow(dialog.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    EXPECT_EQ(PixelAt(dialog.Hwnd(), 150, 140), GetSysColor(COLOR_BTNFACE));
    Click(dialog.CheckControls()[0]->Hwnd());
    EXPECT_EQ(SendMessageW(dialog.CheckControls()[0]->Hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
    testkit::Screenshot("skinsys_noimages");
}

TEST(SkinHostile, AbsurdNumbersAreSurvived) {
    const std::string dir = Folder("skin_absurd");
    WriteTestSkin(dir);
    const std::string xml = R"(<skin><dialog background="bg.bmp"><window>
      <topleft image="frame.bmp" rect="0,0,4096,4096"/>
      <topmid image="frame.bmp" rect="-5,-5,2147483647,2147483647"/>
      <topright image="frame.bmp" rect="40,50,0,0"/>
      <bottomleft image="frame.bmp" rect="0,0,0,0"/>
      <bottommid image="frame.bmp" rect="1,2"/>
      <bottomright image="frame.bmp" rect="0,0,0,0"/>
    </window></dialog><test_window>
      <a type="button" position="-100000,-100000,100000,100000" text="x"/>
      <static position="0,0,10,10" fontsize="99999999" color="0xzz"/>
      <checkbox position="0,0,1,1" fontsize="-99999"/>
    </test_window></skin>)";
    WriteText(dir + "\\absurd.xml", xml);
    TestDialog dialog;
    ASSERT_TRUE(dialog.Open(dir + "\\absurd.xml"));
    EXPECT_FALSE(dialog.loadResult) << "top right piece refused: no region";
    EXPECT_TRUE(dialog.Buttons().empty()) << "a control far beyond any screen is not made";
    EXPECT_EQ(dialog.Labels().size(), 1u);
    EXPECT_EQ(dialog.CheckControls().size(), 1u);
    RedrawWindow(dialog.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    EXPECT_TRUE(IsWindow(dialog.Hwnd()));
}

TEST(SkinHostile, CornersWithoutMagentaKeepTheWindowRectangular) {
    const std::string dir = Folder("skin_square");
    WriteTestSkin(dir);
    WriteBmp(dir + "\\square.bmp", 20, 20, [](int, int) { return kCorner; });
    const std::string xml = R"(<skin><dialog><window>
      <topleft image="square.bmp" rect="0,0,0,0"/><topright image="square.bmp" rect="0,0,0,0"/>
      <bottomleft image="square.bmp" rect="0,0,0,0"/><bottomright image="square.bmp" rect="0,0,0,0"/>
    </window></dialog></skin>)";
    WriteText(dir + "\\square.xml", xml);
    TestDialog dialog;
    ASSERT_TRUE(dialog.Open(dir + "\\square.xml"));
    EXPECT_TRUE(dialog.loadResult);
    winfx::UniqueRgn rgn(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(dialog.Hwnd(), rgn.Get()), ERROR);
    EXPECT_TRUE(PtInRegion(rgn.Get(), 0, 0));
    EXPECT_TRUE(PtInRegion(rgn.Get(), kWidth - 1, kHeight - 1));
}

TEST(SkinHostile, Utf16SkinFileIsRead) {
    const std::string dir = Folder("skin_utf16");
    WriteTestSkin(dir);
    const std::wstring wide = winfx::ToWide(TestSkinXml());
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
    WriteText(dir + "\\utf16.xml", bytes);
    TestDialog dialog;
    ASSERT_TRUE(dialog.Open(dir + "\\utf16.xml"));
    EXPECT_TRUE(dialog.loadResult);
    EXPECT_EQ(dialog.Buttons().size(), 5u);
}
