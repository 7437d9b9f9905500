// Start-up and the single instance: the window others look for, the update check, the
// link protocol, the forwarded command line and its "-quit".
#include <gtest/gtest.h>

#include <windows.h>

#include "PelumoKit_win.h"
#include "RecStubClient_win.h"
#include "TestKit.h"

namespace {

using pelumo::Picker;
using testkit::Wide;

std::string RegText(const wchar_t* path, const wchar_t* name) {
    wchar_t buf[1024] = {};
    DWORD size = sizeof buf;
    DWORD type = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, path, name, RRF_RT_ANY, &type, buf, &size) != ERROR_SUCCESS)
        return "<missing>";
    return testkit::Narrow(buf);
}

DWORD RegDword(const wchar_t* name) {
    DWORD v = 0, size = sizeof v;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Pelux\\AppUpdate", name, RRF_RT_REG_DWORD, nullptr, &v,
                     &size) != ERROR_SUCCESS)
        return 0xDEADBEEF;
    return v;
}

class PelumoStart : public ::testing::Test {
protected:
    void SetUp() override {
        app = testkit::AppDir();
        ASSERT_FALSE(app.empty()) << "run through the harness (--install)";
        ASSERT_TRUE(recstub::PlaceStub(app, app, "Tessel.exe"));
        ASSERT_TRUE(recstub::PlaceStub(app, app, "Volte.exe"));
        ASSERT_TRUE(pelumo::MakeStandardLibrary(app));
        DeleteFileW(Wide(app + "\\config.xml").c_str());
        pelumo::ClearRegistry();
    }
    void TearDown() override { pelumo::ClearRegistry(); }
    std::string app;
};

TEST_F(PelumoStart, FirstStartShowsTheWindowChecksForUpdatesAndRegistersTheLink) {
    Picker picker;
    ASSERT_TRUE(picker.Start(app));
    ASSERT_TRUE(picker.WaitWindow());
    HWND w = picker.Window();
    // The identity the editor and a second start look for; no taskbar button.
    EXPECT_EQ(FindWindowW(L"#32770", Wide(pelumo::ProgramTitle()).c_str()), w);
    EXPECT_EQ(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
    EXPECT_NE(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    // No frequent faces yet: the first category (95 faces) shows page 1 of 3.
    EXPECT_EQ(picker.Text(pelumo::kPageLabel), "[页:1/3]");
    EXPECT_TRUE(picker.Visible(pelumo::kPage1 + 2));
    EXPECT_FALSE(picker.Visible(pelumo::kPage1 + 3));
    EXPECT_EQ(picker.VisibleCells(), 40);
    testkit::Screenshot("e2e_pelumo_category_page");

    // An empty update key: the program update is due at once.
    ASSERT_TRUE(pelumo::WaitFor([&] { return !recstub::RecordedArguments(app, "Volte").empty(); }));
    EXPECT_EQ(recstub::RecordedArguments(app, "Volte"), std::vector<std::string>{"-upgrade -s"});
    EXPECT_EQ(RegDword(L"AppVer"), 101u);
    const std::string handler = app + "\\\\Volte.exe";
    const wchar_t* key = L"Software\\Classes\\mienko";
    EXPECT_EQ(RegText(key, nullptr), "URL:Pelumo Download");
    EXPECT_EQ(RegText(key, L"URL Protocol"), "");
    EXPECT_EQ(RegText(L"Software\\Classes\\mienko\\DefaultIcon", nullptr), "\"" + handler + "\",-128");
    EXPECT_EQ(RegText(L"Software\\Classes\\mienko\\shell\\open\\command", nullptr), "\"" + handler + "\" \"%L\"");

    // A second start hands its command line over and ends; "-quit" ends the first.
    ASSERT_TRUE(pelumo::RunSecond(app, "-AddFace 3|smile|C:\\x\\smile.gif"));
    ASSERT_TRUE(pelumo::WaitFor([&] { return !recstub::RecordedArguments(app, "Tessel").empty(); }));
    EXPECT_EQ(recstub::RecordedArguments(app, "Tessel"),
              std::vector<std::string>{"-AddFace 3|smile|C:\\x\\smile.gif"});
    ASSERT_TRUE(pelumo::RunSecond(app, ""));  // only brings the first forward
    EXPECT_TRUE(IsWindow(w));
    ASSERT_TRUE(pelumo::RunSecond(app, "-quit"));
    DWORD code = 99;
    EXPECT_TRUE(picker.WaitExit(30000, &code));
    EXPECT_EQ(recstub::RecordedArguments(app, "Tessel").size(), 1u);
}

TEST_F(PelumoStart, ExistingLinkKeyIsLeftAloneAndNoUpdaterStartsWhenNothingIsDue) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes\\mienko", 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(L"mine"), 10);
    RegCloseKey(key);
    pelumo::QuietUpdates();
    // A command line on the first start asks whether to import it; No goes on.
    Picker picker;
    ASSERT_TRUE(picker.Start(app, "C:\\packs\\动物.mpk"));
    EXPECT_EQ(picker.TakeMessageBox(IDNO), "是否要导入表情包：C:\\packs\\动物.mpk");
    ASSERT_TRUE(picker.WaitWindow());
    EXPECT_EQ(RegText(L"Software\\Classes\\mienko", nullptr), "mine");
    EXPECT_EQ(RegText(L"Software\\Classes\\mienko\\shell\\open\\command", nullptr), "<missing>");
    PostMessageW(picker.Window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(picker.WaitExit(30000));
    EXPECT_TRUE(recstub::RecordedArguments(app, "Volte").empty());
    EXPECT_TRUE(recstub::RecordedArguments(app, "Tessel").empty());

    // Yes starts the editor with the text and skips the update check.
    pelumo::ClearRegistry();
    Picker again;
    ASSERT_TRUE(again.Start(app, "C:\\packs\\a b.zip"));
    EXPECT_EQ(again.TakeMessageBox(IDYES), "是否要导入表情包：C:\\packs\\a b.zip");
    ASSERT_TRUE(again.WaitWindow());
    ASSERT_TRUE(pelumo::WaitFor([&] { return !recstub::RecordedArguments(app, "Tessel").empty(); }));
    EXPECT_EQ(recstub::RecordedArguments(app, "Tessel"), std::vector<std::string>{"C:\\packs\\a b.zip"});
    EXPECT_TRUE(recstub::RecordedArguments(app, "Volte").empty());
}

}  // namespace
