// The harness hands every Windows test its folders and answers screenshot requests.
#include <gtest/gtest.h>

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
