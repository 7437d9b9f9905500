// The import's work on a real library: categories from folders, pack lists, installed
// packs, the messages of damaged packs, and the cancel.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "LibraryFixture.h"
#include "PackHeader.h"
#include "PackImportRun.h"
#include "PackWriter.h"

using namespace editor;

namespace {

class FakeHost : public PackImportHost {
public:
    explicit FakeHost(FaceLibrary& library) : m_library(library) {}
    void* OwnerWindow() override { return nullptr; }
    FaceLibrary& Library() override { return m_library; }
    int OpenImportCategory(const std::string& name, int pack) override {
        if (open > 0) m_library.StoreMaxOrder(open, maxOrder);
        int id = m_library.CreateCategory(name, pack);
        CategoryRow row;
        if (id <= 0 || !m_library.ReadCategory(id, row)) return -1;
        open = id;
        maxOrder = row.maxOrder;
        opened.push_back(name);
        return id;
    }
    int& MaxOrder() override { return maxOrder; }
    int OpenCategoryNumber() override { return open; }
    void OnImportFinished() override {}

    int open = -1;
    int maxOrder = 0;
    std::vector<std::string> opened;

private:
    FaceLibrary& m_library;
};

class RecordingView : public ImportView {
public:
    void SetRange(int n) override { range = n; }
    void Advance() override {
        ++steps;
        if (cancelAfter > 0 && steps == cancelAfter && queue) queue->Clear();
    }
    void Status(const std::string& text) override { statuses.push_back(text); }
    void ShowFace(const std::vector<uint8_t>* p) override { shown.push_back(p != nullptr); }
    void Notice(const std::string& text) override { notices.push_back(text); }
    bool Confirm(const std::string& text) override {
        questions.push_back(text);
        return answer;
    }
    int range = -1, steps = 0, cancelAfter = 0;
    ImportQueue* queue = nullptr;
    bool answer = true;
    std::vector<std::string> statuses, notices, questions;
    std::vector<bool> shown;
};

class PackImportTest : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        view.queue = &queue;
        // Upper-case letters: the messages name the pack as the user spelled it.
        packs = dir.Path() + "-Packs";
        std::filesystem::create_directories(packs);
    }
    void TearDown() override { std::filesystem::remove_all(packs); }
    std::string File(const std::string& name) const { return packs + "/" + name; }
    std::string Pack(const std::string& file, const std::vector<unsigned char>& header,
                     const std::vector<mkpack::PackFile>& files) {
        std::string p = File(file);
        EXPECT_EQ(mkpack::WritePack(p, header, files, true), "");
        return p;
    }
    void Run(const std::string& path) {
        queue.Enqueue(path);
        RunImportQueue(context);
    }
    int Faces(const std::string& category) {
        CategoryRow row;
        return library.FindCategoryByName(category, row) ? library.CountFaces(row.id) : -1;
    }
    std::string PackList(const std::string& category) {
        CategoryRow row;
        return library.FindCategoryByName(category, row) ? row.packs : "?";
    }

    std::string packs;
    FakeHost host{library};
    ImportQueue queue;
    RecordingView view;
    PackImportContext context{host, queue, view, nullptr};
};

const std::vector<mkpack::PackFile> kExample = {
    {"开心/a.gif", "GIF89a-a"}, {"开心/b.jpg", "JFIF-b"}, {"readme.txt", "hello"},
    {"c.gif", "GIF89a-c"}};

}  // namespace

TEST_F(PackImportTest, ZipFoldersBecomeCategoriesTopLevelGoesToTheFileName) {
    std::string p = Pack("happy.zip", {}, kExample);
    Run(p);
    EXPECT_TRUE(view.notices.empty());
    EXPECT_EQ(Faces("开心"), 2);
    EXPECT_EQ(Faces("happy"), 1);
    EXPECT_EQ(PackList("开心"), "|0|");
    EXPECT_EQ(PackList("happy"), "|0|");
    EXPECT_EQ(view.range, 4);
    EXPECT_EQ(view.steps, 4);
    EXPECT_FALSE(queue.IsRunning());
    std::vector<FaceRow> faces;
    CategoryRow row;
    ASSERT_TRUE(library.FindCategoryByName("开心", row));
    ASSERT_TRUE(library.ReadPage(row.id, 20, 0, false, faces));
    ASSERT_EQ(faces.size(), 2u);
    EXPECT_EQ(faces[0].name, "开心");  // 7-bit file names take the folder's name
    EXPECT_EQ(faces[0].fileName, "开心/a.gif");
}

TEST_F(PackImportTest, SamePackTwiceAsksThenSkipsEveryFace) {
    std::string p = Pack("p.mpk", BuildPackHeader(77, "cute"), kExample);
    Run(p);
    EXPECT_TRUE(view.questions.empty());
    EXPECT_EQ(PackList("cute"), "|77|");
    EXPECT_EQ(Faces("cute"), 1);
    view.statuses.clear();
    Run(p);
    ASSERT_EQ(view.questions.size(), 1u);
    EXPECT_EQ(view.questions[0], "表情包: \"cute\" 已经存在，是否重新导入！");
    EXPECT_EQ(view.statuses,
              (std::vector<std::string>{"正在导入: 开心/a.gif 文件已存在正在跳过...",
                                        "正在导入: 开心/b.jpg 文件已存在正在跳过...",
                                        "正在导入: c.gif 文件已存在正在跳过..."}));
    EXPECT_EQ(Faces("开心"), 2);
    view.answer = false;
    view.statuses.clear();
    Run(p);
    EXPECT_EQ(view.questions.size(), 2u);
    EXPECT_TRUE(view.statuses.empty());
}

TEST_F(PackImportTest, DamagedPacksAreToldAndImportNothing) {
    const std::string version = Pack("Version.MPK", BuildPackHeader(5, "x", 2), kExample);
    const std::string marker = Pack("m.mpk", BuildPackHeader(5, "x", 1, 'q'), kExample);
    const std::string zero = Pack("z.mpk", BuildPackHeader(0, "x"), kExample);
    const std::string other = Pack("o.rar", {}, kExample);
    Run(version);
    Run(marker);
    Run(zero);
    Run(other);
    Run(File("missing.mpk"));
    WriteFile(File("notzip.zip"), Bytes("plain text, no archive"));
    Run(File("notzip.zip"));
    EXPECT_EQ(view.notices, (std::vector<std::string>{
                                "文件: " + version + " 版本错误。",
                                "文件: " + marker + " 格式错误。",
                                "文件: " + zero + " 格式错误。",
                                "文件: " + other + " 格式错误。",
                                "不能打开文件: " + File("missing.mpk") + "。",
                                "Could not determine archive type !"}));
    EXPECT_EQ(Faces("开心"), -1);
}

TEST_F(PackImportTest, EmptyingTheQueueStopsAfterTheCurrentEntryAndKeepsFaces) {
    std::vector<mkpack::PackFile> many;
    for (int i = 0; i < 20; ++i) many.push_back({"f/" + std::to_string(i) + ".gif", "GIF" + std::to_string(i)});
    std::string p = Pack("many.zip", {}, many);
    std::string second = Pack("second.zip", {}, {{"s/x.gif", "GIFx"}});
    queue.Enqueue(p);
    queue.Enqueue(second);
    view.cancelAfter = 5;
    RunImportQueue(context);
    EXPECT_EQ(Faces("f"), 6);  // the sixth was in progress when the queue was emptied
    EXPECT_EQ(Faces("s"), -1);  // the queued pack was cancelled too
    EXPECT_FALSE(queue.IsRunning());
}

TEST_F(PackImportTest, EntriesWithoutFaceNameOrWithHostileNamesStayData) {
    std::string p = Pack("odd.zip", {}, {{"/.gif", "GIFempty"},
                                         {"../../x/evil.gif", "GIFevil"},
                                         {std::string(300, 'n') + "/long.gif", "GIFlong"}});
    int cat = library.CreateCategory("open", 0);
    host.open = cat;
    Run(p);
    EXPECT_EQ(Faces("x"), 1);
    EXPECT_EQ(Faces("open"), 0);  // "/.gif": no category and no name, left out
    IndexRow row;
    EXPECT_FALSE(library.FindIndexRow(Digest(Bytes("GIFempty")), row));
}

TEST_F(PackImportTest, PackCutAnywhereIsTheFormatErrorOrImportsOnlyWholeEntries) {
    const std::string whole = Pack("whole.mpk", BuildPackHeader(31, "cut"), kExample);
    std::ifstream in(whole, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    const size_t archive = BuildPackHeader(31, "cut").size();
    for (size_t n = 0; n < bytes.size(); ++n) {
        const std::string cut = File("cut" + std::to_string(n) + ".mpk");
        WriteFile(cut, std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(n)));
        view.notices.clear();
        Run(cut);
        if (n <= archive) {
            // The header, or the archive behind it, is missing.
            EXPECT_EQ(view.notices, std::vector<std::string>{"文件: " + cut + " 格式错误。"}) << n;
        } else {
            EXPECT_LE(view.notices.size(), 1u) << n;
        }
    }
    // Cuts in the end record's last fields still open: only whole entries came in.
    EXPECT_LE(Faces("开心"), 2);
    EXPECT_LE(Faces("cut"), 1);
}

TEST_F(PackImportTest, ZipInsideAPackIsNotOpened) {
    std::string inner = Pack("inner.zip", {}, {{"里面/x.gif", "GIF89a-inner"}});
    std::ifstream in(inner, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    std::string p = Pack("outer.zip", {}, {{"外面/inner.zip", bytes}, {"外面/y.gif", "GIF89a-y"}});
    Run(p);
    EXPECT_TRUE(view.notices.empty());
    EXPECT_EQ(Faces("外面"), 1);
    EXPECT_EQ(Faces("里面"), -1);
}
