// The editor's window and its command line: the default category of an empty library,
// paging, and "-AddFace " passed on by a second start or by the web component.
#include <gtest/gtest.h>

#include "EditorDriver_win.h"
#include "EditorIds.h"
#include "FaceDatabase.h"
#include "PictureFaceRenderer_win.h"
#include "TestKit.h"

using namespace edtest;

namespace {

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = testkit::AppDir();
        ASSERT_FALSE(app.empty()) << "run through the harness (--install)";
        faces = testkit::RunDir() + "\\表情 faces";
        CreateDirectoryW(Wide(faces).c_str(), nullptr);
    }
    std::string Face(const std::string& name, uint8_t seed) {
        std::string path = faces + "\\" + name;
        EXPECT_TRUE(WriteBytes(path, ColourGif(seed)));
        return path;
    }
    std::string app, faces;
};

TEST_F(EditorTest, EmptyLibraryShowsTheDefaultCategoryAndAnEmptyPage) {
    EditorProcess editor;
    ASSERT_TRUE(editor.Start());
    HWND w = editor.Window();
    ASSERT_TRUE(w);
    EXPECT_EQ(CategoryCount(w), 1);
    EXPECT_EQ(PageLabel(w), "第0页/共0页");
    EXPECT_FALSE(IsControlVisible(w, editor::IDC_NEXT_PAGE));
    EXPECT_FALSE(IsControlVisible(w, editor::IDC_PAGE_FIRST));
    Settle(w);
    testkit::Screenshot("e2e_editor_empty");
    ASSERT_TRUE(editor.Close());
    Library lib(app);
    ASSERT_TRUE(lib.Ok());
    std::vector<CategoryRow> rows;
    ASSERT_TRUE(lib.Get().ListCategories(rows));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, "<Default>");
}

TEST_F(EditorTest, SecondStartWithAddFaceOpensTheCategoryAndAddsAfterTheDialog) {
    {
        Library lib(app);
        ASSERT_TRUE(lib.Ok());
        lib.Get().EnsureTables();
        for (const char* name : {"<Default>", "动物", "猫", "狗", "表情5"}) lib.Get().CreateCategory(name, 0);
    }
    const std::string smile = Face("b.gif", 1), second = Face("second.gif", 2), web = Face("web.gif", 3);
    FakePicker picker;
    EditorProcess editor;
    ASSERT_TRUE(editor.Start());
    HWND w = editor.Window();
    ASSERT_TRUE(w);

    EditorProcess forward;
    ASSERT_TRUE(forward.Start("-AddFace 5|smile|\"" + smile + "\""));
    EXPECT_TRUE(forward.WaitForExit(30000));
    HWND dialog = WaitDialog(editor.Pid(), "添加表情");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1054)), "smile");
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1052)), smile);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1055)), "表情5");  // category 5 was opened
    Settle(dialog);
    testkit::Screenshot("e2e_editor_addface_dialog");
    ClickButton(dialog, IDOK);
    ASSERT_TRUE(WaitGone(dialog));
    // Committed after the passed-on command: visible to another connection, picker told.
    EXPECT_TRUE(testkit::WaitUntil([&] { return Library(app).Names(5) == std::vector<std::string>{"smile"}; }));
    EXPECT_TRUE(testkit::WaitUntil([&] { return picker.Reloads() >= 1; }));
    EXPECT_EQ(PageLabel(w), "第1页/共1页");

    // One bar only, and a path that is no picture: nothing opens. The next command's
    // dialog is the proof that these two were passed over.
    ASSERT_TRUE(SendCommandLine(w, "-AddFace 5|smile"));
    ASSERT_TRUE(SendCommandLine(w, "-AddFace 5||C:\\x\\readme.txt"));
    ASSERT_TRUE(SendCommandLine(w, "-AddFace 5|second|" + second));
    dialog = WaitDialog(editor.Pid(), "添加表情");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1054)), "second");
    ClickButton(dialog, IDCANCEL);
    ASSERT_TRUE(WaitGone(dialog));

    // The web component's form: no "$", no terminator; category 0 keeps the open one.
    ASSERT_TRUE(SendCommandLine(w, "-AddFace 0|网页|" + web, false));
    dialog = WaitDialog(editor.Pid(), "添加表情");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1054)), "网页");
    ClickButton(dialog, IDOK);
    ASSERT_TRUE(WaitGone(dialog));
    EXPECT_TRUE(testkit::WaitUntil(
        [&] { return Library(app).Names(5) == std::vector<std::string>{"smile", "网页"}; }));

    // "-quit" from a second start ends the editor, which commits and tells the picker.
    const int before = picker.Reloads();
    EditorProcess quit;
    ASSERT_TRUE(quit.Start("-quit"));
    EXPECT_TRUE(editor.WaitForExit(30000));
    EXPECT_GT(picker.Reloads(), before);
}

TEST_F(EditorTest, PagingLabelAndButtonsFollowTheFaceCount) {
    {
        Library lib(app);
        ASSERT_TRUE(lib.Ok());
        PictureFaceRenderer renderer;
        CAdoConnection c;
        ASSERT_TRUE(FaceDatabase::Open(c, app + "\\data\\mienko.db"));
        CAdoRecordSet rs;
        rs.SetConnection(&c);
        rs.UseClientCursor();
        FaceLibrary library(c, rs, &renderer);
        library.EnsureTables();
        int cat = library.CreateCategory("<Default>", 0);
        int maxOrder = 0;
        for (int i = 0; i < 81; ++i)
            library.AddFace(cat, maxOrder, "C:\\f" + std::to_string(i) + ".gif", "f" + std::to_string(i),
                            ColourGif(static_cast<uint8_t>(i)));
        library.StoreMaxOrder(cat, maxOrder);
    }
    SetCursorPos(0, 0);  // no face under the mouse: the preview stays hidden until hovered
    EditorProcess editor;
    ASSERT_TRUE(editor.Start());
    HWND w = editor.Window();
    ASSERT_TRUE(w);
    EXPECT_EQ(PageLabel(w), "第1页/共3页");
    for (int id : std::initializer_list<int>{editor::IDC_PREVIOUS_PAGE, editor::IDC_NEXT_PAGE, editor::IDC_PAGE_FIRST,
                   editor::IDC_PAGE_FIRST + 1, editor::IDC_PAGE_FIRST + 2})
        EXPECT_TRUE(IsControlVisible(w, id)) << id;
    EXPECT_FALSE(IsControlVisible(w, editor::IDC_PAGE_FIRST + 3));
    // The empty preview does not cover the first faces; hovering a face shows it.
    HWND preview = PreviewOf(w);
    ASSERT_TRUE(preview);
    EXPECT_FALSE(IsWindowVisible(preview));
    Settle(w);
    testkit::Screenshot("e2e_editor_full_page");
    std::vector<HWND> cells = Cells(w);
    ASSERT_TRUE(cells[20]);
    PostMessageW(cells[20], WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(testkit::WaitUntil([&] { return IsWindowVisible(preview) != FALSE; }));
    Settle(w);
    testkit::Screenshot("e2e_editor_full_page_hover");

    PostMessageW(w, WM_COMMAND, MAKEWPARAM(editor::IDC_NEXT_PAGE, STN_CLICKED), 0);
    EXPECT_TRUE(testkit::WaitUntil([&] { return PageLabel(w) == "第2页/共3页"; }));
    PostMessageW(w, WM_COMMAND, MAKEWPARAM(editor::IDC_PAGE_FIRST + 2, STN_CLICKED), 0);
    EXPECT_TRUE(testkit::WaitUntil([&] { return PageLabel(w) == "第3页/共3页"; }));
    PostMessageW(w, WM_COMMAND, MAKEWPARAM(editor::IDC_NEXT_PAGE, STN_CLICKED), 0);  // no page 4
    PostMessageW(w, WM_COMMAND, MAKEWPARAM(editor::IDC_PREVIOUS_PAGE, STN_CLICKED), 0);
    EXPECT_TRUE(testkit::WaitUntil([&] { return PageLabel(w) == "第2页/共3页"; }));
    ASSERT_TRUE(editor.Close());
}

}  // namespace
