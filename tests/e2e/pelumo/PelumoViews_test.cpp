// The views: pages and their controls, resizing, search with its history, the category
// selector's order by use, and what is kept at exit.
#include <gtest/gtest.h>

#include <windows.h>

#include "PelumoKit_win.h"
#include "RecStubClient_win.h"
#include "TestKit.h"

namespace {

using pelumo::Picker;
using testkit::Wide;

class PelumoViews : public ::testing::Test {
protected:
    void SetUp() override {
        app = testkit::AppDir();
        ASSERT_FALSE(app.empty()) << "run through the harness (--install)";
        ASSERT_TRUE(recstub::PlaceStub(app, app, "Tessel.exe"));
        ASSERT_TRUE(recstub::PlaceStub(app, app, "Volte.exe"));
        DeleteFileW(Wide(app + "\\config.xml").c_str());
        pelumo::QuietUpdates();
    }
    void TearDown() override { pelumo::ClearRegistry(); }

    void StartPicker() {
        ASSERT_TRUE(picker.Start(app));
        ASSERT_TRUE(picker.WaitWindow());
    }
    bool LabelIs(const std::string& text) {
        return pelumo::WaitFor([&] { return picker.Text(pelumo::kPageLabel) == text; }, 10000);
    }
    void Exit() {
        PostMessageW(picker.Window(), WM_CLOSE, 0, 0);
        ASSERT_TRUE(picker.WaitExit(30000));
    }
    std::string Config() { return testkit::ReadFile(app + "\\config.xml"); }

    std::string app;
    Picker picker;
};

TEST_F(PelumoViews, PagesResizeSearchAndExitKeepTheLists) {
    ASSERT_TRUE(pelumo::MakeStandardLibrary(app));
    CreateDirectoryW(Wide(app + "\\face").c_str(), nullptr);
    ASSERT_TRUE(testkit::FileExists(app + "\\face") || true);
    HANDLE f = CreateFileW(Wide(app + "\\face\\old.gif").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(f);
    f = CreateFileW(Wide(app + "\\face\\.keep").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(f);
    StartPicker();
    ASSERT_TRUE(LabelIs("[页:1/3]"));

    // Page buttons, previous and next; next past the end stays.
    picker.Click(pelumo::kPage1 + 2);
    EXPECT_TRUE(LabelIs("[页:3/3]"));
    picker.Click(pelumo::kNextPage);
    EXPECT_TRUE(LabelIs("[页:3/3]"));
    picker.Click(pelumo::kPrevPage);
    EXPECT_TRUE(LabelIs("[页:2/3]"));

    // One column more: 48 faces a page; face 40 (first of page 2) is on page 1 of 2 now.
    RECT r;
    GetWindowRect(picker.Window(), &r);
    SetWindowPos(picker.Window(), nullptr, 0, 0, r.right - r.left + 46, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(LabelIs("[页:1/2]"));
    EXPECT_TRUE(pelumo::WaitFor([&] { return picker.VisibleCells() == 48; }, 10000)) << picker.VisibleCells();
    SetWindowPos(picker.Window(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(pelumo::WaitFor([&] { return picker.VisibleCells() == 40; }, 10000)) << picker.VisibleCells();

    // Search: a hit shows the results; a miss says so and the category returns.
    picker.Search("smile");  // 48 of the 98 faces
    EXPECT_TRUE(LabelIs("[页:1/2]"));
    testkit::Screenshot("e2e_pelumo_search_result");
    picker.Search("zz'\"");
    EXPECT_EQ(picker.TakeMessageBox(), "没有找到与“zz'\"”相匹配的表情！");
    picker.Search("微笑 9");  // 微笑 9, 微笑 91, 微笑 93, ...
    EXPECT_TRUE(LabelIs("[页:1/1]"));
    picker.Search("%");  // the wildcard as typed: every face
    EXPECT_TRUE(LabelIs("[页:1/3]"));
    picker.Search(std::string(500, 'x'));
    EXPECT_EQ(picker.TakeMessageBox().find("没有找到与“xxxx"), 0u);
    picker.Search("");
    EXPECT_EQ(picker.TakeMessageBox(), "请先输入要搜索的字符串！");
    picker.Search("smile");
    EXPECT_TRUE(LabelIs("[页:1/2]"));

    Exit();
    // The face cache is emptied (names starting with "." stay) and the lists are kept.
    EXPECT_FALSE(testkit::FileExists(app + "\\face\\old.gif"));
    EXPECT_TRUE(testkit::FileExists(app + "\\face\\.keep"));
    const std::string config = Config();
    const size_t s1 = config.find("<Item str=\"smile\"");
    const size_t s2 = config.find("<Item str=\"%\"");
    const size_t s3 = config.find("<Item str=\"微笑 9\"");
    EXPECT_NE(s1, std::string::npos) << config;
    EXPECT_LT(s1, s2) << config;
    EXPECT_LT(s2, s3) << config;
    EXPECT_NE(config.find("<StartShowTool bool=\"0\""), std::string::npos) << config;
    EXPECT_NE(config.find("<TableList>"), std::string::npos) << config;
}

TEST_F(PelumoViews, SelectorOrderFollowsUseAndIsSavedAtExit) {
    // Ids 1 ... 8: Big, A ... G.
    ASSERT_TRUE(pelumo::MakeLibrary(app, {{"Big", 41}, {"A", 1}, {"B", 1}, {"C", 1}, {"D", 1},
                                          {"E", 1}, {"F", 1}, {"G", 1}}));
    StartPicker();
    ASSERT_TRUE(LabelIs("[页:1/2]"));  // Big: 41 faces
    // Positions as the selector shows them: [frequent, Big, A, B, C, D, E, F, G].
    picker.ChooseCategory(2);  // A
    EXPECT_TRUE(LabelIs("[页:1/1]"));
    picker.ChooseCategory(1);  // A again
    picker.ChooseCategory(3);  // B
    picker.ChooseCategory(4);  // C
    picker.ChooseCategory(5);  // D
    picker.ChooseCategory(6);  // E: B, pushed to position 4, passes A and stops behind Big
    picker.ChooseCategory(5);  // Big, now at position 5
    EXPECT_TRUE(LabelIs("[页:1/2]"));
    picker.ChooseCategory(0);  // my frequent faces: none yet, page 1 of none
    EXPECT_TRUE(LabelIs("[页:1/0]"));
    EXPECT_FALSE(picker.Visible(pelumo::kPage1));
    Exit();
    // [f, E, D, C, A, Big, B, F, G] after E; then Big to 1 pushes C to 4, which passes
    // A (twice) and goes behind B: [f, Big, E, D, A, B, C, F, G].
    const std::string config = Config();
    const std::string expected =
        "<TableList>\n        <Item id=\"1\" n=\"1\" />\n        <Item id=\"6\" n=\"1\" />\n"
        "        <Item id=\"5\" n=\"1\" />\n        <Item id=\"2\" n=\"2\" />\n"
        "        <Item id=\"3\" n=\"1\" />\n        <Item id=\"4\" n=\"1\" />\n"
        "        <Item id=\"7\" n=\"0\" />\n        <Item id=\"8\" n=\"0\" />\n    </TableList>";
    EXPECT_NE(config.find(expected), std::string::npos) << config;

    // The next start shows the saved order: position 1 is Big again.
    Picker again;
    ASSERT_TRUE(again.Start(app));
    ASSERT_TRUE(again.WaitWindow());
    EXPECT_TRUE(pelumo::WaitFor([&] { return again.Text(pelumo::kPageLabel) == "[页:1/2]"; }, 10000));
    PostMessageW(again.Window(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(again.WaitExit(30000));
}

}  // namespace
