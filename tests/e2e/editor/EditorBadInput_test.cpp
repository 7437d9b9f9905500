// What the editor does with input that is not what it expects: files that cannot be faces
// (text under a picture's name, empty, held open by another program), a 50 MB picture,
// long names with quotes and bars, a 200-character category name, and a face database that
// another process holds locked for writing.
#include <gtest/gtest.h>

#include <cstdio>

#include "EditorDriver_win.h"
#include "EditorIds.h"
#include "FaceAdder.h"
#include "FaceDatabase.h"
#include "Md5.h"
#include "TestKit.h"

using namespace edtest;

namespace {

constexpr const char* kProgramTitle = "PeluQQ表情编辑器";

// A 24-bit BMP of width x height pixels of one colour.
std::vector<uint8_t> Bitmap(int width, int height) {
    const uint32_t row = static_cast<uint32_t>(width) * 3;  // a multiple of 4 for our sizes
    const uint32_t pixels = row * static_cast<uint32_t>(height);
    std::vector<uint8_t> b(54 + pixels, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, static_cast<uint32_t>(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    b[26] = 1;
    b[28] = 24;
    put32(34, pixels);
    for (size_t i = 54; i + 2 < b.size(); i += 3) {
        b[i] = 0x30;
        b[i + 1] = 0x90;
        b[i + 2] = 0xE0;
    }
    return b;
}

std::vector<uint8_t> ReadBack(const std::string& path) {
    std::string bytes = testkit::ReadFile(path);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

class BadInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = testkit::AppDir();
        ASSERT_FALSE(app.empty()) << "run through the harness (--install)";
        dir = testkit::RunDir() + "\\坏 输入";
        CreateDirectoryW(Wide(dir).c_str(), nullptr);
    }
    void StartEditor() {
        ASSERT_TRUE(editor.Start());
        w = editor.Window();
        ASSERT_TRUE(w);
    }
    // A second start's "-AddFace " passed on; the add-face dialog is confirmed, with
    // `name` typed over the proposed one when it is given.
    void AddThroughDialog(const std::string& path, const std::string* name = nullptr) {
        ASSERT_TRUE(SendCommandLine(w, "-AddFace 1||" + path));
        HWND dialog = WaitDialog(editor.Pid(), "添加表情");
        ASSERT_TRUE(dialog);
        if (name) SetWindowTextW(GetDlgItem(dialog, 1054), Wide(*name).c_str());
        ClickButton(dialog, IDOK);
        ASSERT_TRUE(WaitGone(dialog));
    }
    // The message box the editor shows next, answered with `button`; its text.
    // A window of the editor that is busy does not tell its title: wait for the box's.
    std::string Answer(int button, DWORD ms = 20000) {
        HWND box = nullptr;
        testkit::WaitUntil(
            [&] {
                box = OtherWindowOf(editor.Pid(), w);
                return box && TextOf(box) == kProgramTitle;
            },
            std::chrono::milliseconds(ms));
        if (!box) return "(no message)";
        std::string text = TextOf(box) == kProgramTitle ? MessageOf(box) : "(" + TextOf(box) + ")";
        ClickButton(box, button);
        WaitGone(box);
        return text;
    }
    std::string app, dir;
    EditorProcess editor;
    HWND w = nullptr;
};

TEST_F(BadInputTest, FilesThatCannotBeFacesAreToldAndStoreNothing) {
    ASSERT_TRUE(SeedLibrary({"坏文件"}, {0}));
    const std::string text = dir + "\\文字.gif", empty = dir + "\\empty.gif", held = dir + "\\held.gif";
    ASSERT_TRUE(WriteBytes(text, {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'}));
    ASSERT_TRUE(WriteBytes(empty, {}));
    ASSERT_TRUE(WriteBytes(held, ColourGif(7)));
    // Another program holds it open without sharing: the editor cannot open it.
    HANDLE lock = CreateFileW(Wide(held).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    StartEditor();

    AddThroughDialog(text);
    EXPECT_EQ(Answer(IDOK), editor::kNotAPicture + text);
    AddThroughDialog(empty);
    EXPECT_EQ(Answer(IDOK), editor::kNotAPicture + empty);
    AddThroughDialog(held);
    EXPECT_EQ(Answer(IDOK), editor::kCannotRead + held);
    CloseHandle(lock);
    Settle(w);
    EXPECT_TRUE(Library(app).Faces(1).empty());
    EXPECT_EQ(PageLabel(w), "第0页/共0页");

    // Released, the same file is a face.
    AddThroughDialog(held);
    EXPECT_TRUE(testkit::WaitUntil([&] { return Library(app).Faces(1).size() == 1; }));
    ASSERT_TRUE(editor.Close());
    IndexRow row;
    const std::vector<uint8_t> textBytes(ReadBack(text));
    Library lib(app);
    EXPECT_FALSE(lib.Get().FindIndexRow(FaceDigestText(textBytes.data(), textBytes.size()), row));
}

TEST_F(BadInputTest, FiftyMegabytePictureAndLongNamesAreStoredCutToTheirColumns) {
    ASSERT_TRUE(SeedLibrary({"大图"}, {0}));
    const std::vector<uint8_t> big = Bitmap(4096, 4096);  // 48 MiB of pixels, 50.3 MB
    const std::string path = dir + "\\大 图.bmp";
    ASSERT_TRUE(WriteBytes(path, big));
    StartEditor();

    const std::string name = "say \"hi\" | '你好' |" + std::string(200, 'n');
    const auto started = std::chrono::steady_clock::now();
    AddThroughDialog(path, &name);
    std::vector<FaceRow> rows;
    EXPECT_TRUE(testkit::WaitUntil([&] { return (rows = Library(app).Faces(1)).size() == 1; },
                                   std::chrono::seconds(60)));
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - started);
    std::printf("measured: adding the 50 MB picture took %lld ms\n", static_cast<long long>(ms.count()));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, editor::CutToChars(name, editor::kFaceNameChars));
    EXPECT_EQ(rows[0].fileName, path);
    EXPECT_FALSE(rows[0].thumbnail.empty());
    std::vector<FaceRow> withImage;
    Library lib(app);
    ASSERT_TRUE(lib.Get().ReadPage(1, 40, 0, true, withImage));
    ASSERT_EQ(withImage.size(), 1u);
    EXPECT_EQ(withImage[0].image.size(), big.size());
    EXPECT_EQ(withImage[0].digest, FaceDigestText(big.data(), big.size()));

    // A category name of 200 characters: kept to the column's 156, shown in the list.
    PostMessageW(w, WM_COMMAND, MAKEWPARAM(editor::IDC_ADD_CATEGORY, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(w, editor::IDC_ADD_CATEGORY)));
    HWND entry = nullptr;
    ASSERT_TRUE(testkit::WaitUntil([&] { return (entry = OtherWindowOf(editor.Pid(), w)) != nullptr; }));
    HWND field = FindWindowExW(entry, nullptr, L"Edit", nullptr);
    ASSERT_TRUE(field);
    std::string longName;
    for (int i = 0; i < 200; ++i) longName += i % 2 ? "类" : "\"";
    SetWindowTextW(field, Wide(longName).c_str());
    ClickButton(entry, IDOK);
    ASSERT_TRUE(WaitGone(entry));
    EXPECT_TRUE(testkit::WaitUntil([&] { return CategoryCount(w) == 2; }));
    // The new category is open.
    EXPECT_TRUE(testkit::WaitUntil([&] { return PageLabel(w) == "第0页/共0页"; }));
    ASSERT_TRUE(editor.Close());
    std::vector<CategoryRow> categories;
    ASSERT_TRUE(Library(app).Get().ListCategories(categories));
    ASSERT_EQ(categories.size(), 2u);
    EXPECT_EQ(categories[1].name, editor::CutToChars(longName, editor::kCategoryNameChars));
}

// Another program writing to the library: the editor waits for it; when it writes for
// longer than the editor waits, the add is reported and nothing of it is stored.
TEST_F(BadInputTest, DatabaseLockedByAnotherWriterWaitsOrReportsWithNothingHalfWritten) {
    ASSERT_TRUE(SeedLibrary({"锁"}, {0}));
    const std::string first = dir + "\\first.gif", second = dir + "\\second.gif";
    ASSERT_TRUE(WriteBytes(first, ColourGif(11)));
    ASSERT_TRUE(WriteBytes(second, ColourGif(12)));
    StartEditor();

    CAdoConnection writer;
    ASSERT_TRUE(FaceDatabase::Open(writer, app + "\\data\\mienko.db"));
    CAdoRecordSet rs;
    rs.SetConnection(&writer);
    rs.UseClientCursor();
    FaceLibrary writing(writer, rs, nullptr);

    // A short writer: the editor's add waits (its window does not answer) and then goes on.
    ASSERT_GT(writer.BeginTrans(), 0);
    ASSERT_GT(writing.CreateCategory("写入者", 0), 0);
    AddThroughDialog(first);
    auto answers = [&] {
        DWORD_PTR r = 0;
        return SendMessageTimeoutW(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 300, &r) != 0;
    };
    EXPECT_TRUE(testkit::WaitUntil([&] { return !answers(); }));
    ASSERT_TRUE(writer.CommitTrans());
    EXPECT_TRUE(testkit::WaitUntil([&] { return Library(app).Names(1) == std::vector<std::string>{"first"}; }));

    // A writer longer than the editor waits: one message, nothing of the face stored.
    ASSERT_GT(writer.BeginTrans(), 0);
    ASSERT_GT(writing.CreateCategory("长写入者", 0), 0);
    AddThroughDialog(second);
    EXPECT_EQ(Answer(IDOK, 60000), second + editor::kAppendFailed);
    IndexRow row;
    const std::vector<uint8_t> secondBytes = ColourGif(12);
    EXPECT_FALSE(writing.FindIndexRow(FaceDigestText(secondBytes.data(), secondBytes.size()), row));
    EXPECT_EQ(writing.CountFaces(1), 1);
    ASSERT_TRUE(writer.RollbackTrans());
    Library after(app);
    EXPECT_EQ(after.Names(1), std::vector<std::string>{"first"});
    EXPECT_FALSE(after.Get().FindIndexRow(FaceDigestText(secondBytes.data(), secondBytes.size()), row));

    // The writer gone, the same add succeeds.
    AddThroughDialog(second);
    EXPECT_TRUE(testkit::WaitUntil(
        [&] { return Library(app).Names(1) == std::vector<std::string>{"first", "second"}; }));
    ASSERT_TRUE(editor.Close());
}

}  // namespace
