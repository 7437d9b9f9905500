// A Chinese system (code page 936) with the programs in a folder named in Chinese: the
// forwarded command line and the fragment's path cross as GBK bytes and arrive intact.
#include <gtest/gtest.h>

#include <windows.h>

#include "FakeQQClient_win.h"
#include "PelumoKit_win.h"
#include "RecStubClient_win.h"
#include "TestKit.h"

namespace {

using fakeqq::LogField;
using testkit::Wide;

bool CopyFolder(const std::wstring& from, const std::wstring& to) {
    CreateDirectoryW(to.c_str(), nullptr);
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((from + L"\\*").c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    do {
        const std::wstring name = fd.cFileName;
        if (name == L"." || name == L"..") continue;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = CopyFolder(from + L"\\" + name, to + L"\\" + name) && ok;
        else
            ok = CopyFileW((from + L"\\" + name).c_str(), (to + L"\\" + name).c_str(), FALSE) && ok;
    } while (FindNextFileW(find, &fd));
    FindClose(find);
    return ok;
}

TEST(PelumoChinese, ForwardedTextAndFacePathSurviveTheCodePage) {
    const std::string expectAcp = testkit::Env("FACELIB_EXPECT_ACP");
    if (expectAcp.empty() && GetACP() != 936) {
        GTEST_SKIP() << "needs a Chinese system code page";
    }
    if (!expectAcp.empty()) {
        ASSERT_EQ(expectAcp, std::to_string(GetACP())) << "the locale did not reach Wine";
    }
    const std::string source = testkit::AppDir();
    const std::string app = testkit::RunDir() + "\\表情精灵 程序";
    ASSERT_TRUE(CreateDirectoryW(Wide(app).c_str(), nullptr));
    ASSERT_TRUE(CopyFolder(Wide(source + "\\skin"), Wide(app + "\\skin")));
    CreateDirectoryW(Wide(app + "\\data").c_str(), nullptr);
    CreateDirectoryW(Wide(app + "\\face").c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(Wide(source + "\\Pelumo.exe").c_str(), Wide(app + "\\Pelumo.exe").c_str(), FALSE));
    ASSERT_TRUE(recstub::PlaceStub(source, app, "Tessel.exe"));
    ASSERT_TRUE(recstub::PlaceStub(source, app, "Volte.exe"));
    ASSERT_TRUE(pelumo::MakeLibrary(app, {{"默认表情", 3}}));
    pelumo::QuietUpdates();

    fakeqq::FakeQQProcess qq;
    ASSERT_TRUE(qq.Start(source + "\\FakeQQ.exe", "--window classic" + fakeqq::SafetyLifetimeArg(),
                         testkit::RunDir() + "\\fakeqq-zh.log"));
    ASSERT_TRUE(qq.WaitReady()) << testkit::ReadFile(qq.LogPath());
    pelumo::Picker picker;
    ASSERT_TRUE(picker.Start(app));
    ASSERT_TRUE(picker.WaitWindow());

    // A second start's Chinese text reaches the editor unchanged.
    const std::string params = "-AddFace 1|微笑|C:\\表情\\笑脸.gif";
    ASSERT_TRUE(pelumo::RunSecond(app, params));
    ASSERT_TRUE(pelumo::WaitFor([&] { return !recstub::RecordedArguments(app, "Tessel").empty(); }));
    EXPECT_EQ(recstub::RecordedArguments(app, "Tessel"), std::vector<std::string>{params});

    // A face sent from there names its file in the Chinese folder, and the file is there.
    ASSERT_TRUE(pelumo::WaitFor([&] { return picker.Cell(0) != nullptr; }));
    PostMessageW(picker.Window(), pelumo::kChatActive, reinterpret_cast<WPARAM>(qq.Window(1)), 0);
    const size_t from = qq.Lines().size();
    PostMessageW(picker.Cell(0), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
    const int face = qq.WaitLine({"FACE id=1 "}, from);
    ASSERT_GE(face, 0) << testkit::ReadFile(qq.LogPath());
    const std::string line = qq.Lines()[static_cast<size_t>(face)];
    EXPECT_EQ(LogField(line, "exists"), "1") << line;
    EXPECT_EQ(LogField(line, "path"), app + "\\face\\f0.gif") << line;

    // The configuration is written into the Chinese folder at exit.
    PostMessageW(picker.Window(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(picker.WaitExit(30000));
    EXPECT_NE(testkit::ReadFile(app + "\\config.xml").find("<SendFaceList>"), std::string::npos);
}

}  // namespace
