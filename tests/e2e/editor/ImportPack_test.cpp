// Importing face packs with the real editor: "-S path" imports and ends the program;
// a bare path shows the progress window, and closing it keeps the faces so far.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "EditorDriver_win.h"
#include "EditorIds.h"
#include "ImportQueue.h"
#include "PackHeader.h"
#include "PackWriter.h"
#include "TestKit.h"

using namespace edtest;

namespace {

class ImportPackTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = testkit::AppDir();
        ASSERT_FALSE(app.empty()) << "run through the harness (--install)";
    }
    static std::string Bytes(uint8_t seed) {
        std::vector<uint8_t> gif = ColourGif(seed);
        return std::string(gif.begin(), gif.end());
    }
    int CategoryId(Library& lib, const std::string& name, std::string* packs = nullptr) {
        CategoryRow row;
        if (!lib.Get().FindCategoryByName(name, row)) return -1;
        if (packs) *packs = row.packs;
        return row.id;
    }
    // The category list's items as "name:image" in the editor's process, read through memory
    // of that process (list-view messages carry pointers).
    static std::vector<std::string> CategoryImages(HWND editorWindow, DWORD pid) {
        std::vector<std::string> items;
        HWND list = GetDlgItem(editorWindow, editor::IDC_CATEGORY_LIST);
        HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (!process) return items;
        struct Remote {
            LVITEMW item;
            wchar_t text[260];
        };
        auto* remote = static_cast<Remote*>(
            VirtualAllocEx(process, nullptr, sizeof(Remote), MEM_COMMIT, PAGE_READWRITE));
        const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; remote && i < count; ++i) {
            Remote r{};
            r.item.mask = LVIF_TEXT | LVIF_IMAGE;
            r.item.iItem = i;
            r.item.pszText = remote->text;
            r.item.cchTextMax = 260;
            if (!WriteProcessMemory(process, remote, &r, sizeof r, nullptr)) break;
            SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote));
            if (!ReadProcessMemory(process, remote, &r, sizeof r, nullptr)) break;
            r.text[259] = L'\0';
            items.push_back(testkit::Narrow(r.text) + ":" + std::to_string(r.item.iImage));
        }
        if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        CloseHandle(process);
        return items;
    }
    static std::string Joined(const std::vector<std::string>& items) {
        std::string all;
        for (const std::string& item : items) all += item + " ";
        return all;
    }
    std::string app;
};

TEST_F(ImportPackTest, CommandLineZipFillsFolderAndFileNameCategoriesThenEnds) {
    const std::string pack = testkit::RunDir() + "\\happy.zip";
    ASSERT_EQ(mkpack::WritePack(pack, {},
                                {{"开心/a.gif", Bytes(1)}, {"开心/b.jpg", Bytes(2)},
                                 {"readme.txt", "not a face"}, {"c.gif", Bytes(3)}},
                                true),
              "");
    EditorProcess editor;
    ASSERT_TRUE(editor.Start("-S \"" + pack + "\""));
    DWORD code = 1;
    ASSERT_TRUE(editor.WaitForExit(60000, &code));
    Library lib(app);
    ASSERT_TRUE(lib.Ok());
    std::string packs;
    int happy = CategoryId(lib, "开心", &packs);
    ASSERT_GT(happy, 0);
    EXPECT_EQ(packs, "|0|");
    EXPECT_EQ(lib.Names(happy), (std::vector<std::string>{"开心", "开心"}));
    int base = CategoryId(lib, "happy", &packs);
    ASSERT_GT(base, 0);
    EXPECT_EQ(packs, "|0|");
    ASSERT_EQ(lib.Faces(base).size(), 1u);
    EXPECT_EQ(lib.Faces(base)[0].fileName, "c.gif");
}

TEST_F(ImportPackTest, ClosingTheProgressWindowKeepsFacesSoFarAndTheEditorRuns) {
    std::vector<mkpack::PackFile> files;
    for (int i = 0; i < 300; ++i)
        files.push_back({"多/" + std::to_string(i) + "表情.gif",
                         Bytes(uint8_t(i)) + std::to_string(i)});  // distinct digests
    const std::string pack = testkit::RunDir() + "\\many.mpk";
    ASSERT_EQ(mkpack::WritePack(pack, editor::BuildPackHeader(9, "many"), files, true), "");
    EditorProcess editor;
    ASSERT_TRUE(editor.Start("\"" + pack + "\""));
    HWND progress = WaitDialog(editor.Pid(), "导入表情包", 60000);
    ASSERT_TRUE(progress);
    testkit::WaitUntil([&] { return TextOf(GetDlgItem(progress, 1061)).find("正在导入") == 0; },
                       std::chrono::seconds(30));
    Settle(progress);
    testkit::Screenshot("e2e_import_progress");
    PostMessageW(progress, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitGone(progress, 30000));
    HWND w = editor.Window();
    ASSERT_TRUE(w);
    // The category the import made got its icon from its first face: the list shows it.
    const auto hasIcon = [&] {
        for (const std::string& item : CategoryImages(w, editor.Pid()))
            if (item.rfind("多:", 0) == 0 && std::stoi(item.substr(item.find(':') + 1)) >= 0) return true;
        return false;
    };
    EXPECT_TRUE(testkit::WaitUntil(hasIcon, std::chrono::seconds(30)))
        << "categories: " << Joined(CategoryImages(w, editor.Pid()));
    ASSERT_TRUE(editor.Close());
    Library lib(app);
    ASSERT_TRUE(lib.Ok());
    std::string packs;
    int many = CategoryId(lib, "多", &packs);
    ASSERT_GT(many, 0);
    EXPECT_EQ(packs, "|9|");
    size_t kept = lib.Faces(many).size();
    EXPECT_GE(kept, 1u);
    EXPECT_LT(kept, 300u);
}

TEST_F(ImportPackTest, DamagedPackIsToldInTheImportBoxAndNothingIsImported) {
    const std::string pack = testkit::RunDir() + "\\Version2.mpk";
    ASSERT_EQ(mkpack::WritePack(pack, editor::BuildPackHeader(4, "v2", 2), {{"v/a.gif", Bytes(5)}},
                                true),
              "");
    EditorProcess editor;
    ASSERT_TRUE(editor.Start("-S \"" + pack + "\""));
    HWND box = WaitDialog(editor.Pid(), "导入", 60000);
    ASSERT_TRUE(box);
    EXPECT_EQ(MessageOf(box), "文件: " + pack + " 版本错误。");  // as the user spelled it
    ClickButton(box, IDOK);
    EXPECT_TRUE(editor.WaitForExit(60000));
    Library lib(app);
    ASSERT_TRUE(lib.Ok());
    EXPECT_EQ(CategoryId(lib, "v"), -1);
    EXPECT_EQ(CategoryId(lib, "v2"), -1);
}

TEST_F(ImportPackTest, SamePackAgainAsksAndOnOkSkipsEveryFace) {
    const std::string pack = testkit::RunDir() + "\\twice.mpk";
    ASSERT_EQ(mkpack::WritePack(pack, editor::BuildPackHeader(12, "twice"),
                                {{"两次/a.gif", Bytes(7)}, {"b.gif", Bytes(8)}}, true),
              "");
    {
        EditorProcess first;
        ASSERT_TRUE(first.Start("-S \"" + pack + "\""));
        ASSERT_TRUE(first.WaitForExit(60000));
    }
    EditorProcess again;
    ASSERT_TRUE(again.Start("-S \"" + pack + "\""));
    HWND box = WaitDialog(again.Pid(), "导入", 60000);
    ASSERT_TRUE(box);
    EXPECT_EQ(MessageOf(box), "表情包: \"twice\" 已经存在，是否重新导入！");
    ClickButton(box, IDOK);
    EXPECT_TRUE(again.WaitForExit(60000));
    Library lib(app);
    ASSERT_TRUE(lib.Ok());
    EXPECT_EQ(lib.Faces(CategoryId(lib, "两次")).size(), 1u);
    EXPECT_EQ(lib.Faces(CategoryId(lib, "twice")).size(), 1u);
}

}  // namespace
