// The harness hands every Windows test its folders and answers screenshot requests.
#include <gtest/gtest.h>

#include <windows.h>

#include "TestKit.h"

TEST(HarnessEnvironment, RunAndSourceFoldersExist) {
    ASSERT_FALSE(testkit::RunDir().empty());
    EXPECT_TRUE(testkit::FileExists(testkit::RunDir()));
    EXPECT_TRUE(testkit::FileExists(testkit::SourcePath("CMakeLists.txt")));
}

TEST(HarnessEnvironment, ScreenshotRequestIsAnswered) {
    ASSERT_TRUE(testkit::Screenshot("harness_environment_test"));
    EXPECT_TRUE(testkit::FileExists(testkit::Env("FACELIB_SHOTS") + "\\harness_environment_test.png"));
}

// The tests run what ships: the i686 build in a 32-bit prefix (not WoW64 in a 64-bit one),
// unless the harness was switched to the x86_64 build.
TEST(HarnessEnvironment, ProgramRunsInThePrefixOfItsOwnWidth) {
    const std::string arch = testkit::Env("FACELIB_WINE_ARCH");
    ASSERT_TRUE(arch == "win32" || arch == "win64") << arch;
    EXPECT_EQ(sizeof(void*) == 4, arch == "win32");
    BOOL wow64 = TRUE;
    ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64));
    EXPECT_FALSE(wow64);
    SYSTEM_INFO si{};
    GetNativeSystemInfo(&si);
    EXPECT_EQ(si.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_INTEL, arch == "win32");
}

TEST(HarnessEnvironment, PollsAreScaledForEmulation) {
    const int scale = testkit::TimeScale();
    EXPECT_GE(scale, testkit::Env("FACELIB_WINE_ARCH") == "win32" ? 2 : 1);
    EXPECT_EQ(testkit::Scaled(std::chrono::milliseconds(100)).count(), 100 * scale);
    // A condition that never holds gives up after the scaled time, not before.
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(testkit::WaitUntil([] { return false; }, std::chrono::milliseconds(60)));
    EXPECT_GE(GetTickCount64() - start, 60ull * scale - 20);
}
