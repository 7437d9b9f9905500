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
    ASSERT_TRUE(testkit::FileExists(app + "\\face"));
    HANDLE f = CreateFileW(Wide(app + "\\face\\old.gif").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(f);
    f = CreateFileW(Wide(app + "\\face\\.keep").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(f);
    StartPicker();
    ASSERT_TRUE(LabelIs("[页:1/3]"));

    // The empty preview covers none of the first faces; a hovered face shows it, enlarged.
    HWND preview = picker.Preview();
    ASSERT_TRUE(preview);
    EXPECT_FALSE(IsWindowVisible(preview));
    RECT cr;
    GetWindowRect(picker.Cell(13), &cr);
    SetCursorPos((cr.left + cr.right) / 2, (cr.top + cr.bottom) / 2);
    PostMessageW(picker.Cell(13), WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
    EXPECT_TRUE(pelumo::WaitFor([&] { return IsWindowVisible(preview) != FALSE; }));
    SetCursorPos(1270, 1010);  // off the panel, so the next page's faces are not hovered

    // Page buttons, previous and next; next past the end stays. A new page hides the
    // preview again.
    picker.Click(pelumo::kPage1 + 2);
    EXPECT_TRUE(LabelIs("[页:3/3]"));
    EXPECT_TRUE(pelumo::WaitFor([&] { return !IsWindowVisible(preview); }));
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

namespace {

HWND ChildWithText(HWND parent, const std::string& text) {
    const std::wstring want = testkit::Wide(text);
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t buf[256] = {};
        GetWindowTextW(c, buf, 256);
        if (want == buf) return c;
    }
    return nullptr;
}

DWORD UpdateFlag() {
    DWORD v = 0, size = sizeof v;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Pelux\\AppUpdate", L"NextFaceUpdateFlag", RRF_RT_REG_DWORD,
                     nullptr, &v, &size) != ERROR_SUCCESS)
        return 0xDEADBEEF;
    return v;
}

TEST_F(PelumoViews, EditorChangesShowAfterItSaysSoAndManageStartsTheEditor) {
    ASSERT_TRUE(pelumo::MakeLibrary(app, {{"默认表情", 45}}));
    StartPicker();
    picker.Click(pelumo::kPage1 + 1);
    ASSERT_TRUE(LabelIs("[页:2/2]"));
    // The editor adds faces and a category while the picker holds its transaction open.
    ASSERT_TRUE(pelumo::AddToLibrary(app, "默认表情", 45, 40));
    ASSERT_TRUE(pelumo::AddToLibrary(app, "新分类", 85, 1));
    EXPECT_TRUE(LabelIs("[页:2/2]"));  // nothing shows before the editor says so
    SendMessageW(picker.Window(), pelumo::kLibraryChanged, 0, 0);
    EXPECT_TRUE(LabelIs("[页:2/3]")) << "same category, same page, new count";
    EXPECT_EQ(SendMessageW(GetDlgItem(picker.Window(), pelumo::kCategoryCombo), CB_GETCOUNT, 0, 0), 3);

    // "管理" saves the lists and starts the editor with no parameters.
    PostMessageW(GetDlgItem(picker.Window(), 1000), BM_CLICK, 0, 0);
    ASSERT_TRUE(pelumo::WaitFor([&] { return !recstub::RecordedArguments(app, "Tessel").empty(); }));
    EXPECT_EQ(recstub::RecordedArguments(app, "Tessel"), std::vector<std::string>{""});
    EXPECT_NE(Config().find("<TableList>"), std::string::npos);
    Exit();
}

TEST_F(PelumoViews, OptionsDialogStoresDockSideAndUpdateSchedule) {
    ASSERT_TRUE(pelumo::MakeLibrary(app, {{"默认表情", 3}}));
    StartPicker();
    PostMessageW(picker.Window(), WM_COMMAND, 32781, 0);  // tray menu "设 置..."
    HWND options = picker.FindOwnWindow("选项设置");
    ASSERT_TRUE(options);
    testkit::Screenshot("e2e_pelumo_options");
    // Opened as the settings say: docked on the right, faces never checked (flag 4).
    HWND right = ChildWithText(options, "吸附在QQ聊天窗口右侧");
    HWND left = ChildWithText(options, "吸附在QQ聊天窗口左侧");
    HWND never = ChildWithText(options, "从不检查新表情");
    HWND weekly = ChildWithText(options, "每周检查一次新表情");
    ASSERT_TRUE(right && left && never && weekly);
    EXPECT_EQ(SendMessageW(right, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(never, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(left, BM_CLICK, 0, 0);
    SendMessageW(weekly, BM_CLICK, 0, 0);
    EXPECT_TRUE(pelumo::WaitFor([&] { return SendMessageW(never, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }, 10000));
    // "ok" is a skin button drawn at its place in the skin ("156,298,228,322").
    HWND ok = ChildWindowFromPointEx(options, POINT{190, 310}, CWP_SKIPINVISIBLE);
    ASSERT_TRUE(ok && ok != options);
    PostMessageW(ok, BM_CLICK, 0, 0);
    ASSERT_TRUE(pelumo::WaitFor([&] { return !IsWindow(options); }));
    EXPECT_EQ(UpdateFlag(), 2u);
    Exit();
    const std::string config = Config();
    EXPECT_NE(config.find("<hook_win_show_left bool=\"1\""), std::string::npos) << config;
    EXPECT_NE(config.find("<Menu_QQHook bool=\"1\""), std::string::npos) << config;
}

TEST_F(PelumoViews, AboutDialogShowsTheVersionAndCloses) {
    ASSERT_TRUE(pelumo::MakeLibrary(app, {{"默认表情", 3}}));
    StartPicker();
    PostMessageW(picker.Window(), WM_COMMAND, 32776, 0);  // tray menu "关 于..."
    HWND about = picker.FindOwnWindow("关于 PeluQQ表情精灵");
    ASSERT_TRUE(about);
    EXPECT_TRUE(ChildWithText(about, "PeluQQ表情精灵 1.1 版"));
    testkit::Screenshot("e2e_pelumo_about");
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(pelumo::WaitFor([&] { return !IsWindow(about); }));
    EXPECT_TRUE(IsWindowVisible(picker.Window()));
    Exit();
}

}  // namespace
