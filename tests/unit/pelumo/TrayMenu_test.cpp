#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "Config.h"
#include "TrayMenu.h"

namespace {

class TrayMenuState : public ::testing::Test {
protected:
    void SetUp() override {
        path = ::testing::TempDir() + "pelumo_tray_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".xml";
        std::remove(path.c_str());
    }
    void TearDown() override { std::remove(path.c_str()); }
    // A configuration whose root holds `body`.
    void Load(const std::string& body) {
        std::ofstream(path, std::ios::binary) << "<ROOT version=\"1\">" << body << "</ROOT>";
        config.Load(path);
    }
    std::string path;
    CConfig config;
};

TEST_F(TrayMenuState, DockItemIsCheckedUnlessTheSettingSaysZero) {
    config.Load(path);  // no file at all
    EXPECT_TRUE(traymenu::StateFor(config, true).dockChecked);
    Load("<Menu_QQHook />");  // no "bool": the default
    EXPECT_TRUE(traymenu::StateFor(config, true).dockChecked);
    Load("<Menu_QQHook bool=\"1\" />");
    EXPECT_TRUE(traymenu::StateFor(config, true).dockChecked);
    Load("<Menu_QQHook bool=\"0\" />");
    EXPECT_FALSE(traymenu::StateFor(config, true).dockChecked);
    // Only a leading "1" is true.
    Load("<Menu_QQHook bool=\"true\" />");
    EXPECT_FALSE(traymenu::StateFor(config, true).dockChecked);
    Load("<Menu_QQHook bool=\"\" />");
    EXPECT_FALSE(traymenu::StateFor(config, true).dockChecked);
    Load("<Other><Menu_QQHook bool=\"0\" /></Other>");  // not directly under the root
    EXPECT_TRUE(traymenu::StateFor(config, true).dockChecked);
}

TEST_F(TrayMenuState, DockItemFollowsAToggleBeforeTheFileIsSaved) {
    Load("<Menu_QQHook bool=\"1\" />");
    config.SetBool("Menu_QQHook", false);
    EXPECT_FALSE(traymenu::StateFor(config, false).dockChecked);
    config.SetBool("Menu_QQHook", true);
    EXPECT_TRUE(traymenu::StateFor(config, false).dockChecked);
}

TEST_F(TrayMenuState, FirstItemOffersTheOppositeOfWhatTheMainWindowIs) {
    config.Load(path);
    const traymenu::State shown = traymenu::StateFor(config, true);
    EXPECT_STREQ(shown.firstText, "隐藏主窗口");
    EXPECT_TRUE(shown.firstChecked);
    const traymenu::State hidden = traymenu::StateFor(config, false);
    EXPECT_STREQ(hidden.firstText, "显示主窗口");
    EXPECT_FALSE(hidden.firstChecked);
}

}  // namespace
