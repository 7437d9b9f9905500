// The recording stub stands in for a sibling program: started under that program's name it
// records the parameter text and the command line it was given.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "RecStubClient_win.h"
#include "TestKit.h"

namespace {

using testkit::Wide;

// ShellExecute the way our programs start their siblings, and wait for the stub to end.
bool ShellRun(const std::string& exe, const std::string& params, DWORD* exitCode = nullptr) {
    const std::wstring file = Wide(exe), args = Wide(params);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.lpParameters = args.empty() ? nullptr : args.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExW(&info) || !info.hProcess) return false;
    const bool ended = WaitForSingleObject(info.hProcess, testkit::ScaledMs(15000)) == WAIT_OBJECT_0;
    if (ended && exitCode) GetExitCodeProcess(info.hProcess, exitCode);
    CloseHandle(info.hProcess);
    return ended;
}

class RecStub : public ::testing::Test {
protected:
    void SetUp() override {
        folder = testkit::RunDir() + "\\sibling dir";
        CreateDirectoryW(Wide(folder).c_str(), nullptr);
        ASSERT_TRUE(recstub::PlaceStub(testkit::AppDir(), folder, "Tessel.exe"));
        exe = folder + "\\Tessel.exe";
    }
    std::string folder, exe;
};

TEST_F(RecStub, RecordsTheParameterTextOfEachStartInOrder) {
    DWORD code = 99;
    ASSERT_TRUE(ShellRun(exe, "-AddFace 0|微笑|C:\\x y\\smile.gif", &code));
    EXPECT_EQ(code, 0u);
    ASSERT_TRUE(ShellRun(exe, "-quit"));
    ASSERT_TRUE(ShellRun(exe, ""));
    const auto args = recstub::RecordedArguments(folder, "Tessel");
    ASSERT_EQ(args.size(), 3u);
    EXPECT_EQ(args[0], "-AddFace 0|微笑|C:\\x y\\smile.gif");
    EXPECT_EQ(args[1], "-quit");
    EXPECT_EQ(args[2], "");
}

TEST_F(RecStub, RecordsTheWholeCommandLineAndFolder) {
    ASSERT_TRUE(ShellRun(exe, "-S \"C:\\temp\\a pack.mpk\""));
    const auto launches = recstub::RecordedLaunches(folder, "Tessel");
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_NE(launches[0].find("cmdline="), std::string::npos);
    EXPECT_NE(launches[0].find("Tessel.exe"), std::string::npos) << launches[0];
    EXPECT_NE(launches[0].find("-S \"C:\\temp\\a pack.mpk\""), std::string::npos) << launches[0];
    EXPECT_NE(launches[0].find("\tcwd="), std::string::npos);
    EXPECT_EQ(recstub::RecordedArguments(folder, "Tessel").at(0), "-S \"C:\\temp\\a pack.mpk\"");
}

TEST_F(RecStub, WritesToTheFolderTheEnvironmentNames) {
    const std::string elsewhere = testkit::RunDir() + "\\records";
    CreateDirectoryW(Wide(elsewhere).c_str(), nullptr);
    ASSERT_TRUE(SetEnvironmentVariableW(L"RECSTUB_DIR", Wide(elsewhere).c_str()));
    const bool ran = ShellRun(exe, "-upgrade -s");
    SetEnvironmentVariableW(L"RECSTUB_DIR", nullptr);
    ASSERT_TRUE(ran);
    EXPECT_EQ(recstub::RecordedArguments(elsewhere, "Tessel"),
              std::vector<std::string>{"-upgrade -s"});
    EXPECT_TRUE(recstub::RecordedArguments(folder, "Tessel").empty());
}

TEST_F(RecStub, PlacingTheStubAgainForgetsEarlierStarts) {
    ASSERT_TRUE(ShellRun(exe, "-quit"));
    ASSERT_EQ(recstub::RecordedArguments(folder, "Tessel").size(), 1u);
    ASSERT_TRUE(recstub::PlaceStub(testkit::AppDir(), folder, "Tessel.exe"));
    EXPECT_TRUE(recstub::RecordedArguments(folder, "Tessel").empty());
}

}  // namespace
