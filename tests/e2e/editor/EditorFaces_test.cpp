// Faces in the grid: the cell menu, reordering by position, deleting, moving and copying
// faces that other categories share, and renaming.
#include <gtest/gtest.h>

#include <algorithm>

#include "BarList.h"
#include "EditorDriver_win.h"
#include "EditorIds.h"
#include "TestKit.h"

using namespace edtest;

namespace {

class FacesTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = testkit::AppDir();
        ASSERT_FALSE(app.empty()) << "run through the harness (--install)";
        SetCursorPos(0, 0);  // no cell under the mouse: hover handling stays out of the way
    }
    void Start() {
        ASSERT_TRUE(editor.Start());
        w = editor.Window();
        ASSERT_TRUE(w);
        cells = Cells(w);
        ASSERT_EQ(cells.size(), 40u);
    }
    void Command(int id) { PostMessageW(w, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    // The message box the editor shows now, its text, answered with `button`.
    std::string Answer(int button) {
        HWND box = nullptr;
        testkit::WaitUntil([&] { return (box = OtherWindowOf(editor.Pid(), w)) != nullptr; });
        if (!box) return "(no message)";
        std::string text = MessageOf(box);
        ClickButton(box, button);
        WaitGone(box);
        return text;
    }
    // Right-click `cell`, close the menu, and choose `command` as the menu would.
    void MenuCommand(int cell, UINT command) {
        RightClickCell(cells[static_cast<size_t>(cell)]);
        HWND menu = WaitMenu(5000);
        if (!menu) {  // the click came while the window was still busy with the last command
            Settle(w);
            RightClickCell(cells[static_cast<size_t>(cell)]);
            menu = WaitMenu();
        }
        ASSERT_TRUE(menu);
        PostMessageW(w, WM_KEYDOWN, VK_ESCAPE, 0);
        testkit::WaitUntil([&] { return !IsWindowVisible(menu); });
        Command(static_cast<int>(command));
    }
    void TypePosition(int cell, const std::string& text) {
        MenuCommand(cell, editor::ID_FACE_TO_POSITION);
        HWND dialog = WaitDialog(editor.Pid(), "移动到指定位置");
        ASSERT_TRUE(dialog);
        SendMessageW(GetDlgItem(dialog, 1051), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
        ClickButton(dialog, IDOK);
        ASSERT_TRUE(WaitGone(dialog));
    }
    std::vector<std::string> Order(int category) {
        std::vector<std::string> out;
        for (const FaceRow& r : Library(app).Faces(category))
            out.push_back(r.name + "=" + std::to_string(r.orderId));
        return out;
    }

    std::string app;
    EditorProcess editor;
    HWND w = nullptr;
    std::vector<HWND> cells;
};

TEST_F(FacesTest, MoveToPositionRotatesOrderIdsAsInTheExample) {
    // Faces A B C D with orderid 1, 2, 5, 9: nine faces, five of them deleted.
    ASSERT_TRUE(SeedLibrary({"序"}, {9}));
    {
        Library lib(app);
        std::vector<FaceRow> rows = lib.Faces(1);
        ASSERT_EQ(rows.size(), 9u);
        std::vector<std::string> gone{rows[2].digest, rows[3].digest, rows[5].digest, rows[6].digest,
                                      rows[7].digest};
        ASSERT_TRUE(lib.Get().RemoveFaces(1, gone));
        const char* names[] = {"A", "B", "C", "D"};
        std::vector<FaceRow> left = lib.Faces(1);
        for (size_t i = 0; i < 4; ++i) ASSERT_TRUE(lib.Get().RenameFace(1, left[i].digest, names[i]));
    }
    Start();
    RightClickCell(cells[3]);
    HWND menu = WaitMenu();
    ASSERT_TRUE(menu);
    Settle(w);
    testkit::Screenshot("e2e_editor_cell_menu");
    PostMessageW(w, WM_KEYDOWN, VK_ESCAPE, 0);
    testkit::WaitUntil([&] { return !IsWindowVisible(menu); });

    TypePosition(3, "2");
    ASSERT_TRUE(testkit::WaitUntil([&] { return PageLabel(w) == "第1页/共1页"; }));
    ASSERT_TRUE(editor.Close());
    EXPECT_EQ(Order(1), (std::vector<std::string>{"A=1", "D=2", "B=5", "C=9"}));
}

TEST_F(FacesTest, TypedPositionsZeroTextAndBeyondTheEnd) {
    ASSERT_TRUE(SeedLibrary({"位置"}, {5}));
    Start();
    TypePosition(4, "0");  // the last face to the front
    TypePosition(4, "abc");
    TypePosition(0, "500");
    EXPECT_EQ(Answer(IDOK), "您的输入超过最大值:5. \n该表情将被移动到最末尾.");
    // Closed at once: a close arriving while the message is still open waits for the move.
    ASSERT_TRUE(editor.Close());
    // 4 to 0: 位置-4 first; then 位置-3 (now at 4) to the front; then the first to the end.
    std::vector<std::string> order = Order(1);
    ASSERT_EQ(order.size(), 5u);
    EXPECT_EQ(order[0], "位置-4=1");
    EXPECT_EQ(order[1], "位置-0=2");
    EXPECT_EQ(order[4], "位置-3=5");
}

TEST_F(FacesTest, EarlierAndLaterCrossThePageBoundary) {
    ASSERT_TRUE(SeedLibrary({"翻页"}, {42}));
    Start();
    Command(editor::IDC_NEXT_PAGE);
    ASSERT_TRUE(testkit::WaitUntil([&] { return PageLabel(w) == "第2页/共2页"; }));
    MenuCommand(0, editor::ID_FACE_EARLIER);  // position 40 -> 39: ends page 1
    ASSERT_TRUE(testkit::WaitUntil([&] { return TextOf(GetDlgItem(w, editor::IDC_PAGE_LABEL)) == "第2页/共2页"; }));
    MenuCommand(1, editor::ID_FACE_LATER);    // position 41 is the last: nothing happens
    MenuCommand(0, editor::ID_FACE_ROW_UP);   // position 40 -> 32
    Settle(w);
    ASSERT_TRUE(editor.Close());
    std::vector<std::string> order = Order(1);
    ASSERT_EQ(order.size(), 42u);
    // "前移" put 40 before 39, so "上移" took 39 from position 40 to 32; 32 ... 38 shifted.
    EXPECT_EQ(order[32].substr(0, 9), "翻页-39");  // "翻页" is 6 bytes
    EXPECT_EQ(order[33].substr(0, 9), "翻页-32");
    EXPECT_EQ(order[39].substr(0, 9), "翻页-38");
    EXPECT_EQ(order[40].substr(0, 9), "翻页-40");
    EXPECT_EQ(order[41].substr(0, 9), "翻页-41");
}

TEST_F(FacesTest, DeleteMoveAndCopyKeepSharedFacesInTheirOtherCategories) {
    ASSERT_TRUE(SeedLibrary({"甲", "乙", "丙"}, {3, 0, 0}));
    {
        // 甲-0 is also in 乙.
        Library lib(app);
        std::vector<FaceRow> rows = lib.Faces(1);
        std::vector<FaceRecord> records;
        ASSERT_TRUE(lib.Get().GatherFaceRecords(1, {rows[0].digest}, records));
        ASSERT_EQ(lib.Get().CopyFaces(records, 2), 1);
    }
    const std::vector<FaceRow> seeded = Library(app).Faces(1);
    Start();

    Command(editor::IDC_DELETE_FACES);  // nothing selected
    EXPECT_EQ(Answer(IDOK), "请先单击选中要删除的表情!");
    Command(editor::IDC_MOVE_FACES);
    HWND choose = WaitDialog(editor.Pid(), "选择分类");
    ASSERT_TRUE(choose);
    SendMessageW(GetDlgItem(choose, 1056), LB_SETCURSEL, 2, 0);
    ClickButton(choose, IDOK);
    ASSERT_TRUE(WaitGone(choose));
    EXPECT_EQ(Answer(IDOK), "当前没有选定任何表情。");

    LeftClickCell(cells[0]);  // 甲-0, shared with 乙
    Command(editor::IDC_DELETE_FACES);
    EXPECT_EQ(Answer(IDOK), "确定要删除以上选中的 1 个表情吗？");
    ASSERT_TRUE(testkit::WaitUntil([&] { return PageLabel(w) == "第1页/共1页"; }));

    LeftClickCell(cells[0]);  // 甲-1 now: copy to 丙
    Command(editor::IDC_COPY_FACES);
    choose = WaitDialog(editor.Pid(), "选择分类");
    ASSERT_TRUE(choose);
    SendMessageW(GetDlgItem(choose, 1056), LB_SETCURSEL, 2, 0);
    ClickButton(choose, IDOK);
    ASSERT_TRUE(WaitGone(choose));

    LeftClickCell(cells[1]);  // 甲-2: move to 乙
    Command(editor::IDC_MOVE_FACES);
    choose = WaitDialog(editor.Pid(), "选择分类");
    ASSERT_TRUE(choose);
    SendMessageW(GetDlgItem(choose, 1056), LB_SETCURSEL, 1, 0);
    ClickButton(choose, IDOK);
    ASSERT_TRUE(WaitGone(choose));
    Settle(w);
    ASSERT_TRUE(editor.Close());

    Library lib(app);
    std::vector<std::string> names1 = lib.Names(1), names2 = lib.Names(2), names3 = lib.Names(3);
    EXPECT_EQ(names1, std::vector<std::string>{"甲-1"});
    EXPECT_EQ(names2, (std::vector<std::string>{"甲-0", "甲-2"}));
    EXPECT_EQ(names3, std::vector<std::string>{"甲-1"});
    IndexRow row;
    ASSERT_TRUE(lib.Get().FindIndexRow(seeded[0].digest, row));
    EXPECT_EQ(row.categories, "|2|");  // deleted from 1, kept for 2
    ASSERT_TRUE(lib.Get().FindIndexRow(seeded[1].digest, row));
    EXPECT_EQ(row.categories, "|1|3|");
    ASSERT_TRUE(lib.Get().FindIndexRow(seeded[2].digest, row));
    EXPECT_EQ(row.categories, "|2|");
}

TEST_F(FacesTest, RenameKeepsThePageAndItsSelection) {
    ASSERT_TRUE(SeedLibrary({"改名"}, {100}));
    Start();
    PostMessageW(w, WM_COMMAND, MAKEWPARAM(editor::IDC_PAGE_FIRST + 2, STN_CLICKED), 0);
    ASSERT_TRUE(testkit::WaitUntil([&] { return PageLabel(w) == "第3页/共3页"; }));
    LeftClickCell(cells[5]);
    MenuCommand(2, editor::ID_FACE_RENAME);
    HWND dialog = WaitDialog(editor.Pid(), "表情重命名");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(TextOf(GetDlgItem(dialog, 1057)), "改名-82");
    SendMessageW(GetDlgItem(dialog, 1057), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"新名字 \"引号\""));
    ClickButton(dialog, IDOK);
    ASSERT_TRUE(WaitGone(dialog));
    EXPECT_EQ(PageLabel(w), "第3页/共3页");
    Command(editor::IDC_DELETE_FACES);  // acts on page 3's selection
    EXPECT_EQ(Answer(IDOK), "确定要删除以上选中的 1 个表情吗？");
    Settle(w);
    ASSERT_TRUE(editor.Close());
    std::vector<std::string> names = Library(app).Names(1);
    ASSERT_EQ(names.size(), 99u);
    EXPECT_EQ(names[82], "新名字 \"引号\"");
    EXPECT_EQ(std::count(names.begin(), names.end(), "改名-85"), 0);
}

}  // namespace
