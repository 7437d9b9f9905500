// Packs arriving while an import runs, packs whose names are in the zip's UTF-8 flag or
// in the system code page, damaged packs told in the import box, the "导入表情包" file
// dialog, and the real picker showing an import as soon as it is over.
#include <gtest/gtest.h>

#include "DropSource_win.h"
#include "EditorDriver_win.h"

#include <commctrl.h>

#include "EditorIds.h"
#include "Md5.h"
#include "PackHeader.h"
#include "PackWriter.h"
#include "PelumoKit_win.h"
#include "TestKit.h"

using namespace edtest;
using testkit::DropPaths;

namespace {

constexpr int kFileTypeCombo = 0x470;  // the file dialog's cmb1
constexpr int kFileNameCombo = 0x47c;  // cmb13, the name the user types

std::string Bytes(uint8_t seed) {
    std::vector<uint8_t> gif = ColourGif(seed);
    return std::string(gif.begin(), gif.end());
}

// UTF-8 text in code page 936, as a Chinese zip tool without the UTF-8 flag writes names.
std::string Gbk(const std::string& utf8) {
    std::wstring wide = Wide(utf8);
    int n = WideCharToMultiByte(936, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(936, 0, wide.c_str(), static_cast<int>(wide.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

// A gzip member holding `data` (stored blocks: no compressor needed to make one).
std::vector<uint8_t> GzipOf(const std::string& data) {
    std::vector<uint8_t> out = {0x1f, 0x8b, 8, 0, 0, 0, 0, 0, 0, 0xff};
    size_t n = data.size();
    out.push_back(1);  // one final stored block (data under 64 KiB)
    out.push_back(static_cast<uint8_t>(n));
    out.push_back(static_cast<uint8_t>(n >> 8));
    out.push_back(static_cast<uint8_t>(~n));
    out.push_back(static_cast<uint8_t>(~n >> 8));
    out.insert(out.end(), data.begin(), data.end());
    uint32_t crc = 0xffffffffu;
    for (unsigned char c : data) {
        crc ^= c;
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1)));
    }
    crc = ~crc;
    for (uint32_t v : {crc, static_cast<uint32_t>(n)})
        for (int k = 0; k < 4; ++k) out.push_back(static_cast<uint8_t>(v >> (8 * k)));
    return out;
}

class ImportQueueingTest : public ::testing::Test {
protected:
    void SetUp() override {
        app = testkit::AppDir();
        ASSERT_FALSE(app.empty()) << "run through the harness (--install)";
        dir = testkit::RunDir();
    }
    int CategoryId(Library& lib, const std::string& name, std::string* packs = nullptr) {
        CategoryRow row;
        if (!lib.Get().FindCategoryByName(name, row)) return -1;
        if (packs) *packs = row.packs;
        return row.id;
    }
    std::string app, dir;
};

TEST_F(ImportQueueingTest, DamagedMarkerIsToldWithTheUsersSpellingAndGzipNamedZipAddsNothing) {
    const std::string marker = dir + "\\Marker.MPK";
    ASSERT_EQ(mkpack::WritePack(marker, editor::BuildPackHeader(6, "m", 1, 'q'),
                                {{"m/a.gif", Bytes(40)}}, true),
              "");
    EditorProcess first;
    ASSERT_TRUE(first.Start("-S \"" + marker + "\""));
    HWND box = WaitDialog(first.Pid(), "导入", 60000);
    ASSERT_TRUE(box);
    EXPECT_EQ(MessageOf(box), "文件: " + marker + " 格式错误。");
    ClickButton(box, IDOK);
    ASSERT_TRUE(first.WaitForExit(60000));

    // One entry, "unknown": no extension, so skipped without a word.
    const std::string gz = dir + "\\Squeezed.zip";
    ASSERT_TRUE(WriteBytes(gz, GzipOf(Bytes(41))));
    EditorProcess second;
    ASSERT_TRUE(second.Start("-S \"" + gz + "\""));
    ASSERT_TRUE(second.WaitForExit(60000)) << "a message held the editor: "
                                           << MessageOf(OtherWindowOf(second.Pid(), nullptr));
    Library lib(app);
    ASSERT_TRUE(lib.Ok());
    EXPECT_EQ(CategoryId(lib, "m"), -1);
    int squeezed = CategoryId(lib, "Squeezed");
    if (squeezed > 0) {
        EXPECT_TRUE(lib.Faces(squeezed).empty());
    }
    IndexRow row;
    const std::string gif = Bytes(41);
    EXPECT_FALSE(lib.Get().FindIndexRow(FaceDigestText(gif.data(), gif.size()), row));
}

// The first pack is an installed one, so the import waits on its question: packs dropped
// meanwhile are queued behind it for certain, and a second question would mean the
// running pack was queued twice.
TEST_F(ImportQueueingTest, PacksDroppedDuringAnImportQueueOnceAndChineseNamesReadEitherWay) {
    const std::string again = dir + "\\Again.mpk";
    ASSERT_EQ(mkpack::WritePack(again, editor::BuildPackHeader(21, "again"), {{"又/x.gif", Bytes(50)}},
                                true),
              "");
    {
        EditorProcess install;
        ASSERT_TRUE(install.Start("-S \"" + again + "\""));
        ASSERT_TRUE(install.WaitForExit(60000));
    }
    const std::string utf8Pack = dir + "\\flagged.zip";
    ASSERT_EQ(mkpack::WritePack(utf8Pack, {},
                                {{"开心/a.gif", Bytes(51)}, {"开心/大笑.gif", Bytes(52)}}, true),
              "");
    const std::string ansiPack = dir + "\\plain.zip";
    ASSERT_EQ(mkpack::WritePack(ansiPack, {},
                                {{Gbk("难过/b.gif"), Bytes(53)}, {Gbk("难过/哭泣.gif"), Bytes(54)}},
                                false),
              "");

    EditorProcess editor;
    ASSERT_TRUE(editor.Start("\"" + again + "\""));
    HWND question = WaitDialog(editor.Pid(), "导入", 60000);
    ASSERT_TRUE(question);
    EXPECT_EQ(MessageOf(question), "表情包: \"again\" 已经存在，是否重新导入！");
    // The import starts once the editor window shows, not before it.
    HWND w = FindWindowW(L"#32770", editor::kEditorTitle);
    ASSERT_TRUE(w);
    EXPECT_TRUE(IsWindowVisible(w));
    HWND progress = WaitDialog(editor.Pid(), "导入表情包", 5000);
    ASSERT_TRUE(progress);
    EXPECT_EQ(GetWindow(progress, GW_OWNER), w);

    RECT list{};
    GetWindowRect(GetDlgItem(w, editor::IDC_CATEGORY_LIST), &list);
    const POINT target{list.left + 40, list.bottom - 20};
    EXPECT_EQ(DropPaths(target, {dir + "\\again.MPK", utf8Pack, ansiPack}),
              static_cast<DWORD>(DROPEFFECT_COPY));
    // The drop posted its work to the editor's thread; a message posted behind it shows
    // when that work is done, before the running pack may finish.
    HWND categories = GetDlgItem(w, editor::IDC_CATEGORY_LIST);
    const COLORREF colour = static_cast<COLORREF>(SendMessageW(categories, LVM_GETBKCOLOR, 0, 0));
    PostMessageW(categories, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(colour ^ 1));
    ASSERT_TRUE(testkit::WaitUntil([&] {
        return static_cast<COLORREF>(SendMessageW(categories, LVM_GETBKCOLOR, 0, 0)) == (colour ^ 1);
    }));
    PostMessageW(categories, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(colour));
    ClickButton(question, IDOK);

    int questions = 0;
    ASSERT_TRUE(testkit::WaitUntil(
        [&] {
            HWND box = WaitDialog(editor.Pid(), "导入", 0);
            if (box && box != question) {
                ++questions;
                question = box;
                ClickButton(box, IDCANCEL);
            }
            return !IsWindow(progress);
        },
        std::chrono::seconds(60)));
    EXPECT_EQ(questions, 0);
    ASSERT_TRUE(editor.Close());

    Library lib(app);
    ASSERT_TRUE(lib.Ok());
    int happy = CategoryId(lib, "开心");
    ASSERT_GT(happy, 0);
    EXPECT_EQ(lib.Names(happy), (std::vector<std::string>{"开心", "大笑"}));
    std::string packs;
    int sad = CategoryId(lib, "难过", &packs);
    ASSERT_GT(sad, 0) << "names in the system code page are read as such";
    EXPECT_EQ(lib.Names(sad), (std::vector<std::string>{"难过", "哭泣"}));
    EXPECT_EQ(packs, "|0|");
    ASSERT_EQ(lib.Faces(sad).size(), 2u);
    EXPECT_EQ(lib.Faces(sad)[1].fileName, "难过/哭泣.gif");
    EXPECT_EQ(lib.Faces(CategoryId(lib, "又")).size(), 1u);
}

// The button's dialog offers the pack kinds; the chosen pack is imported, and the running
// picker shows it while the editor stays open.
TEST_F(ImportQueueingTest, ImportButtonOffersPackFilesAndThePickerShowsTheImport) {
    pelumo::QuietUpdates();
    ASSERT_TRUE(pelumo::MakeLibrary(app, {{"默认表情", 40}}));
    // The writer takes 8-bit paths: the Chinese name is given afterwards.
    const std::string pack = dir + "\\更多表情.zip";
    ASSERT_EQ(mkpack::WritePack(dir + "\\more.zip", {}, {{"默认表情/新.gif", Bytes(60)}}, true), "");
    ASSERT_TRUE(MoveFileW(Wide(dir + "\\more.zip").c_str(), Wide(pack).c_str()));

    pelumo::Picker picker;
    ASSERT_TRUE(picker.Start(app));
    ASSERT_TRUE(picker.WaitWindow());
    ASSERT_TRUE(pelumo::WaitFor([&] { return picker.Text(pelumo::kPageLabel) == "[页:1/1]"; }, 20000));

    EditorProcess editor;
    ASSERT_TRUE(editor.Start());
    HWND w = editor.Window();
    ASSERT_TRUE(w);
    PostMessageW(w, WM_COMMAND, MAKEWPARAM(editor::IDC_IMPORT_PACK, BN_CLICKED), 0);
    HWND chooser = nullptr;
    ASSERT_TRUE(testkit::WaitUntil([&] { return (chooser = OtherWindowOf(editor.Pid(), w)) != nullptr; }));
    HWND types = GetDlgItem(chooser, kFileTypeCombo);
    ASSERT_TRUE(types);
    std::vector<std::string> offered;
    int count = static_cast<int>(SendMessageW(types, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = {};
        if (SendMessageW(types, CB_GETLBTEXTLEN, i, 0) < 256)
            SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        offered.push_back(Narrow(text));
    }
    EXPECT_EQ(offered, (std::vector<std::string>{"Zip压缩包或表情包(*.zip; *.mpk)", "Zip压缩包(*.zip)",
                                                 "表情包文件 (*.mpk)", "All Files (*.*)"}));
    testkit::Screenshot("e2e_import_pack_chooser");
    SetDlgItemTextW(chooser, kFileNameCombo, Wide(pack).c_str());
    ClickButton(chooser, IDOK);

    EXPECT_TRUE(pelumo::WaitFor([&] { return picker.Text(pelumo::kPageLabel) == "[页:1/2]"; }, 60000))
        << "the picker still shows " << picker.Text(pelumo::kPageLabel);
    EXPECT_TRUE(IsWindow(w));  // told by the import's end, not by the editor closing
    ASSERT_TRUE(editor.Close());
}

}  // namespace
