// The editor beside the real picker: the picker shows what the editor committed without a
// restart, and the editor's close makes it reload once more.
#include <gtest/gtest.h>

#include "EditorDriver_win.h"
#include "EditorIds.h"
#include "PelumoKit_win.h"
#include "TestKit.h"

using namespace edtest;

TEST(EditorWithPicker, PickerShowsCommittedFacesAndReloadsWhenTheEditorCloses) {
    const std::string app = testkit::AppDir();
    ASSERT_FALSE(app.empty()) << "run through the harness (--install)";
    pelumo::QuietUpdates();
    ASSERT_TRUE(pelumo::MakeLibrary(app, {{"默认表情", 40}}));
    const std::string face = testkit::RunDir() + "\\新表情.gif";
    ASSERT_TRUE(WriteBytes(face, ColourGif(77)));

    pelumo::Picker picker;
    ASSERT_TRUE(picker.Start(app));
    ASSERT_TRUE(picker.WaitWindow());
    ASSERT_TRUE(pelumo::WaitFor([&] { return picker.Text(pelumo::kPageLabel) == "[页:1/1]"; }, 20000));

    EditorProcess editor;
    ASSERT_TRUE(editor.Start());
    HWND w = editor.Window();
    ASSERT_TRUE(w);
    EditorProcess second;
    ASSERT_TRUE(second.Start("-AddFace 1|新的|" + face));
    HWND dialog = WaitDialog(editor.Pid(), "添加表情");
    ASSERT_TRUE(dialog);
    ClickButton(dialog, IDOK);
    // Committed after the passed-on command line: the picker reloads and has a second page.
    EXPECT_TRUE(pelumo::WaitFor([&] { return picker.Text(pelumo::kPageLabel) == "[页:1/2]"; }, 20000));

    // A later delete is committed at once but announced only when the editor closes.
    ASSERT_TRUE(testkit::WaitUntil([&] { return PageLabel(w) == "第1页/共2页"; }));
    std::vector<HWND> cells = Cells(w);
    ASSERT_EQ(cells.size(), 40u);
    LeftClickCell(cells[0]);
    PostMessageW(w, WM_COMMAND, MAKEWPARAM(editor::IDC_DELETE_FACES, BN_CLICKED), 0);
    HWND box = nullptr;
    ASSERT_TRUE(testkit::WaitUntil([&] { return (box = OtherWindowOf(editor.Pid(), w)) != nullptr; }));
    ClickButton(box, IDOK);
    ASSERT_TRUE(testkit::WaitUntil([&] { return PageLabel(w) == "第1页/共1页"; }));
    EXPECT_EQ(picker.Text(pelumo::kPageLabel), "[页:1/2]");
    ASSERT_TRUE(editor.Close());
    EXPECT_TRUE(pelumo::WaitFor([&] { return picker.Text(pelumo::kPageLabel) == "[页:1/1]"; }, 20000));
}
