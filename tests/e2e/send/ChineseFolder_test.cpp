// The fragment is 8-bit text in the system code page: under a Chinese system (code page 936)
// a Chinese program folder goes in as GBK bytes; where the code page cannot spell it, as its
// short name. Either way the messenger finds the file. Built twice: in e2e_send_test (the
// default locale) and alone as e2e_send_zh_test (run under a Chinese locale).
#include <gtest/gtest.h>

#include <string>

#include "FaceFragment.h"
#include "FaceSender_win.h"
#include "FakeQQClient_win.h"
#include "MienkosPanel_win.h"
#include "PanelTestKit.h"
#include "TestKit.h"

using fakeqq::LogField;

TEST(FaceSendCodePage, ChineseProgramFolderIsNamedInTheSystemCodePage) {
    const std::string app = testkit::AppDir();
    ASSERT_FALSE(app.empty()) << "run through the harness (--install)";
    const std::string expectAcp = testkit::Env("FACELIB_EXPECT_ACP");
    if (!expectAcp.empty()) {
        ASSERT_EQ(expectAcp, std::to_string(GetACP())) << "the locale did not reach Wine";
    }
    fakeqq::FakeQQProcess qq;
    ASSERT_TRUE(qq.Start(app + "\\FakeQQ.exe", "--window classic" + fakeqq::SafetyLifetimeArg(),
                         testkit::RunDir() + "\\fakeqq-codepage.log"));
    ASSERT_TRUE(qq.WaitReady()) << testkit::ReadFile(qq.LogPath());
    HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, owner);

    const std::string dir = testkit::RunDir() + "\\\xe8\xa1\xa8\xe6\x83\x85\xe7\xb2\xbe\xe7\x81\xb5";  // 表情精灵
    ASSERT_TRUE(CreateDirectoryW(testkit::Wide(dir).c_str(), nullptr));
    PanelFace face;
    face.id = std::string(32, 'd');
    face.fileName = "smile.gif";
    face.image = panel_test::Sample("wide.gif");
    panel::FaceSender sender(dir);
    const size_t from = qq.Lines().size();
    ASSERT_TRUE(sender.SendFace(face, owner, qq.Window(1), false));
    const std::string path = dir + "\\face\\smile.gif";
    EXPECT_EQ(path, sender.LastFilePath());

    const std::wstring wide = testkit::Wide(path);
    std::string ansi(wide.size() * 4 + 1, '\0');
    BOOL lossy = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, ansi.data(),
                                      static_cast<int>(ansi.size()), nullptr, &lossy);
    ansi.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
    const std::string fragment = sender.LastFragment();
    if (!lossy) {
        EXPECT_EQ(panel::RichEditFragment(ansi), fragment) << "code page " << GetACP();
    } else {
        for (unsigned char c : fragment)
            EXPECT_LT(c, 0x80) << "a short name is plain ASCII";
    }
    const int line = qq.WaitLine({"FACE id=1 "}, from, std::chrono::seconds(15));
    ASSERT_GE(line, 0) << testkit::ReadFile(qq.LogPath());
    const std::string faceLine = qq.Lines()[static_cast<size_t>(line)];
    EXPECT_EQ("1", LogField(faceLine, "exists")) << "code page " << GetACP() << ": " << faceLine;
    if (!lossy) {
        EXPECT_EQ(path, LogField(faceLine, "path"));
    }
    DestroyWindow(owner);
}
