// "导入目录" through the shell's real folder browser, on a folder of 5,000 files under a
// Chinese path: only the pictures directly inside are added (text under a picture's name,
// empty files, other files and subfolders are passed over), long file names are cut to
// their columns, and the editor then shows the last category of its list.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "EditorDriver_win.h"
#include "EditorIds.h"
#include "FaceAdder.h"
#include "FolderBrowser_win.h"
#include "TestKit.h"

using namespace edtest;

namespace {

constexpr int kFiles = 5000;
constexpr int kPictures = 40;

int FilesIn(const std::string& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW(Wide(folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int files = 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
    } while (FindNextFileW(find, &found));
    FindClose(find);
    return files;
}

long long MsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start)
        .count();
}

TEST(EditorFolderImport, FolderChosenInTheBrowserAddsOnlyThePicturesDirectlyInside) {
    const std::string app = testkit::AppDir();
    ASSERT_FALSE(app.empty()) << "run through the harness (--install)";
    ASSERT_TRUE(SeedLibrary({"目录", "最后"}, {0, 2}, 90));
    // Below the program folder, so the browser's walk from the desktop stays short. Its
    // 4,956 empty text files come from the harness (big-folder.sh).
    const std::string folder = app + "\\导入 表情";
    ASSERT_TRUE(CreateDirectoryW(Wide(folder + "\\子目录").c_str(), nullptr));
    ASSERT_TRUE(WriteBytes(folder + "\\子目录\\deep.gif", ColourGif(3)));

    auto started = std::chrono::steady_clock::now();
    std::vector<std::string> expected;
    for (int i = 0; i < kPictures; ++i) {
        char name[32];
        snprintf(name, sizeof name, "f%03d", i);
        ASSERT_TRUE(WriteBytes(folder + "\\" + name + ".gif", ColourGif(static_cast<uint8_t>(100 + i))));
        expected.push_back(name);
    }
    // 200 characters with its extension.
    const std::string longName = "长名" + std::string(194, 'L');
    const std::string longFile = longName + ".gif";
    ASSERT_TRUE(WriteBytes(folder + "\\" + longFile, ColourGif(99)));
    expected.push_back(editor::CutToChars(longName, editor::kFaceNameChars));
    ASSERT_TRUE(WriteBytes(folder + "\\不是图片.gif", {'t', 'e', 'x', 't'}));
    ASSERT_TRUE(WriteBytes(folder + "\\空.jpg", {}));
    ASSERT_TRUE(WriteBytes(folder + "\\a.jpeg", ColourGif(4)));  // only jpg, gif, bmp
    ASSERT_EQ(FilesIn(folder), kFiles);
    std::printf("measured: writing the pictures took %lld ms\n", MsSince(started));

    EditorProcess editor;
    ASSERT_TRUE(editor.Start());
    HWND w = editor.Window();
    ASSERT_TRUE(w);
    EXPECT_EQ(PageLabel(w), "第0页/共0页");  // "目录" is open: the faces go there
    PostMessageW(w, WM_COMMAND, MAKEWPARAM(editor::IDC_IMPORT_FOLDER, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(w, editor::IDC_IMPORT_FOLDER)));
    HWND browser = WaitFolderBrowser(editor.Pid());
    ASSERT_TRUE(browser);
    ASSERT_TRUE(SelectFolder(browser, folder));
    EXPECT_EQ(SelectedFolderName(browser), "导入 表情");
    Settle(browser);
    testkit::Screenshot("e2e_editor_folder_browser");
    started = std::chrono::steady_clock::now();
    ClickButton(browser, IDOK);
    ASSERT_TRUE(WaitGone(browser));

    // The import commits when it is done: then another connection sees every face.
    std::vector<std::string> names;
    EXPECT_TRUE(testkit::WaitUntil([&] { return (names = Library(app).Names(1)).size() >= expected.size(); },
                                   std::chrono::seconds(60)));
    std::printf("measured: importing the folder took %lld ms (to the commit)\n", MsSince(started));
    std::sort(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
    // The last category of the list is shown.
    EXPECT_TRUE(testkit::WaitUntil([&] { return PageLabel(w) == "第1页/共1页"; }));
    ASSERT_TRUE(editor.Close());

    Library lib(app);
    CategoryRow imported;
    ASSERT_TRUE(lib.Get().ReadCategory(1, imported));
    EXPECT_EQ(imported.maxOrder, static_cast<int>(expected.size()));
    bool cut = false;
    for (const FaceRow& row : lib.Faces(1)) {
        EXPECT_EQ(row.fileName.rfind(folder + "\\", 0), 0u) << row.fileName;
        if (row.name.rfind("长名", 0) == 0)
            cut = row.fileName ==
                  editor::CutToChars(folder + "\\" + longFile, editor::kFileNameChars);
    }
    EXPECT_TRUE(cut);
}

}  // namespace
