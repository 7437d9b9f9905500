// Adding faces by OLE drag and drop from another program: one file (the add-face dialog,
// and the duplicate message the second time), several files (no questions), a folder (only
// the pictures directly inside), and a face that another category already holds.
#include <gtest/gtest.h>

#include "DropSource_win.h"
#include "EditorDriver_win.h"
#include "EditorIds.h"
#include "TestKit.h"

using namespace edtest;
using testkit::DropPaths;

namespace {

TEST(EditorDrop, FilesAndFoldersDroppedFromAnotherProgramAreAdded) {
    const std::string app = testkit::AppDir();
    ASSERT_FALSE(app.empty()) << "run through the harness (--install)";
    ASSERT_TRUE(SeedLibrary({"拖放", "其它"}, {0, 1}, 200));
    const std::string dir = testkit::RunDir() + "\\拖 放";
    CreateDirectoryW(Wide(dir).c_str(), nullptr);
    CreateDirectoryW(Wide(dir + "\\folder").c_str(), nullptr);
    CreateDirectoryW(Wide(dir + "\\folder\\sub").c_str(), nullptr);
    ASSERT_TRUE(WriteBytes(dir + "\\one.gif", ColourGif(1)));
    ASSERT_TRUE(WriteBytes(dir + "\\two.gif", ColourGif(2)));
    ASSERT_TRUE(WriteBytes(dir + "\\three.bmp", ColourGif(3)));  // a GIF under a .bmp name
    ASSERT_TRUE(WriteBytes(dir + "\\folder\\f1.gif", ColourGif(4)));
    ASSERT_TRUE(WriteBytes(dir + "\\folder\\f2.JPG", ColourGif(5)));
    ASSERT_TRUE(WriteBytes(dir + "\\folder\\notes.txt", {'h', 'i'}));
    ASSERT_TRUE(WriteBytes(dir + "\\folder\\empty.gif", {}));
    ASSERT_TRUE(WriteBytes(dir + "\\folder\\sub\\deep.gif", ColourGif(6)));
    // The same bytes as the face of "其它".
    ASSERT_TRUE(WriteBytes(dir + "\\shared.gif", ColourGif(static_cast<uint8_t>(200 + 50))));

    EditorProcess editor;
    ASSERT_TRUE(editor.Start());
    HWND w = editor.Window();
    ASSERT_TRUE(w);
    SetForegroundWindow(w);
    RECT panel{};
    GetWindowRect(GetDlgItem(w, editor::IDC_FACES_PANEL), &panel);
    const POINT target{panel.left + 200, panel.top + 150};
    auto answer = [&](int button) {
        HWND box = nullptr;
        testkit::WaitUntil([&] { return (box = OtherWindowOf(editor.Pid(), w)) != nullptr; });
        if (!box) return std::string("(none)");
        std::string text = TextOf(box) == "添加表情" ? "添加表情" : MessageOf(box);
        ClickButton(box, button);
        WaitGone(box);
        return text;
    };

    // One file: the add-face dialog; the second time the same file is reported.
    EXPECT_EQ(DropPaths(target, {dir + "\\one.gif"}), static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(answer(IDOK), "添加表情");
    ASSERT_TRUE(testkit::WaitUntil([&] { return PageLabel(w) == "第1页/共1页"; }));
    DropPaths(target, {dir + "\\one.gif"});
    EXPECT_EQ(answer(IDOK), "添加表情");
    EXPECT_EQ(answer(IDOK), "表情已在当前分类中。");

    // A face another category holds: asked; Cancel adds nothing.
    DropPaths(target, {dir + "\\shared.gif"});
    EXPECT_EQ(answer(IDOK), "添加表情");
    EXPECT_EQ(answer(IDCANCEL), "发现在其它分类中有相同的表情,是否要添加到当前分类。");

    // Two files and a folder at once: no dialog, no question.
    DropPaths(target, {dir + "\\two.gif", dir + "\\three.bmp", dir + "\\folder"});
    // Posted after the drop's own message, the close comes after the adds are done.
    Settle(w);
    EXPECT_EQ(OtherWindowOf(editor.Pid(), w), nullptr);
    ASSERT_TRUE(editor.Close());

    std::vector<std::string> names = Library(app).Names(1);
    EXPECT_EQ(names, (std::vector<std::string>{"one", "two", "three", "f1", "f2"}));
    IndexRow shared;
    Library lib(app);
    std::vector<FaceRow> other = lib.Faces(2);
    ASSERT_EQ(other.size(), 1u);
    ASSERT_TRUE(lib.Get().FindIndexRow(other[0].digest, shared));
    EXPECT_EQ(shared.categories, "|2|");
}

}  // namespace
