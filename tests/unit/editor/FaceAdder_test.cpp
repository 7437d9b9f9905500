// Adding files: duplicate rules, questions only when interactive, the category icon,
// folder import and files that are not there or too large.
#include <map>

#include "FaceAdder.h"
#include "LibraryFixture.h"

using namespace editor;

namespace {

class MemoryFiles : public FileAccess {
public:
    ReadStatus ReadWhole(const std::string& path, size_t limit,
                         std::vector<uint8_t>& bytes) override {
        auto it = files.find(path);
        if (it == files.end() || locked.count(path)) return ReadStatus::Unreadable;
        if (it->second.size() > limit) return ReadStatus::TooLarge;
        bytes = it->second;
        return ReadStatus::Ok;
    }
    bool ListFiles(const std::string& folder, std::vector<std::string>& names) override {
        if (folders.count(folder) == 0) return false;
        names = folders[folder];
        return true;
    }
    bool IsFolder(const std::string& path) override { return folders.count(path) != 0; }
    std::map<std::string, std::vector<uint8_t>> files;
    std::map<std::string, std::vector<std::string>> folders;
    std::map<std::string, bool> locked;  // held open by another program
};

class RecordedPrompts : public EditorPrompts {
public:
    void Notice(const std::string& text) override { notices.push_back(text); }
    bool Confirm(const std::string& text) override {
        questions.push_back(text);
        return answer;
    }
    std::vector<std::string> notices, questions;
    bool answer = true;
};

class AdderTest : public LibraryTest {
protected:
    void SetUp() override {
        LibraryTest::SetUp();
        cat = library.CreateCategory("mine", 0);
        other = library.CreateCategory("other", 0);
    }
    AddOutcome AddAs(const std::string& path, const std::string& name, bool interactive,
                     int category = 0) {
        int target = category ? category : cat;
        int& order = target == cat ? maxOrder : otherMaxOrder;
        return adder.AddFile(target, order, path, name, interactive).outcome;
    }
    MemoryFiles files;
    RecordedPrompts prompts;
    FaceAdder adder{library, files, prompts};
    int cat = 0, other = 0, maxOrder = 0, otherMaxOrder = 0;
};

TEST_F(AdderTest, SameBytesTwiceInOneCategoryTellsOnlyWhenInteractive) {
    files.files["C:\\a.gif"] = Bytes("GIF89a one");
    files.files["C:\\copy of a.gif"] = Bytes("GIF89a one");
    EXPECT_EQ(AddAs("C:\\a.gif", "a", true), AddOutcome::Added);
    EXPECT_EQ(AddAs("C:\\copy of a.gif", "b", false), AddOutcome::AlreadyInCategory);
    EXPECT_TRUE(prompts.notices.empty());
    EXPECT_EQ(AddAs("C:\\copy of a.gif", "b", true), AddOutcome::AlreadyInCategory);
    EXPECT_EQ(prompts.notices, std::vector<std::string>{"表情已在当前分类中。"});
    EXPECT_EQ(library.CountFaces(cat), 1);
    EXPECT_EQ(maxOrder, 1);
}

TEST_F(AdderTest, FaceInAnotherCategoryAsksAndCancelStoresNothing) {
    files.files["C:\\a.gif"] = Bytes("GIF89a shared");
    ASSERT_EQ(AddAs("C:\\a.gif", "first", false, other), AddOutcome::Added);
    prompts.answer = false;
    EXPECT_EQ(AddAs("C:\\a.gif", "second", true), AddOutcome::Declined);
    EXPECT_EQ(prompts.questions,
              std::vector<std::string>{"发现在其它分类中有相同的表情,是否要添加到当前分类。"});
    EXPECT_EQ(library.CountFaces(cat), 0);
    IndexRow row;
    ASSERT_TRUE(library.FindIndexRow(Digest(Bytes("GIF89a shared")), row));
    EXPECT_EQ(row.categories, "|2|");
    EXPECT_EQ(row.name, "first");

    prompts.answer = true;
    EXPECT_EQ(AddAs("C:\\a.gif", "second", true), AddOutcome::Added);
    ASSERT_TRUE(library.FindIndexRow(Digest(Bytes("GIF89a shared")), row));
    EXPECT_EQ(row.categories, "|2|1|");
    EXPECT_EQ(row.name, "second");
}

TEST_F(AdderTest, BatchAddsToOtherCategoriesWithoutAsking) {
    files.files["C:\\a.gif"] = Bytes("GIF89a shared");
    ASSERT_EQ(AddAs("C:\\a.gif", "first", false, other), AddOutcome::Added);
    prompts.answer = false;
    EXPECT_EQ(AddAs("C:\\a.gif", "again", false), AddOutcome::Added);
    EXPECT_TRUE(prompts.questions.empty());
}

TEST_F(AdderTest, FirstFaceOfACategorySetsItsIconLaterOnesDoNot) {
    files.files["C:\\1.gif"] = Bytes("GIF89a icon source");
    files.files["C:\\2.gif"] = Bytes("GIF89a later");
    AddResult first = adder.AddFile(cat, maxOrder, "C:\\1.gif", "1", false);
    EXPECT_TRUE(first.iconSet);
    AddResult second = adder.AddFile(cat, maxOrder, "C:\\2.gif", "2", false);
    EXPECT_FALSE(second.iconSet);
    std::vector<CategoryRow> rows;
    ASSERT_TRUE(library.ListCategories(rows));
    EXPECT_FALSE(rows[0].icon.empty());
    EXPECT_TRUE(rows[1].icon.empty());
}

TEST_F(AdderTest, FilesThatCannotBeFacesStoreNothingAndAreToldOnlyWhenInteractive) {
    files.files["C:\\empty.gif"] = {};
    files.files["C:\\huge.gif"] = std::vector<uint8_t>(kMaxPictureBytes + 1, 'G');
    files.files["C:\\text.gif"] = Bytes("just some words, not a picture");
    files.files["C:\\held.gif"] = Bytes("GIF89a held open elsewhere");
    files.locked["C:\\held.gif"] = true;
    const std::vector<std::pair<std::string, AddOutcome>> cases = {
        {"C:\\missing.gif", AddOutcome::Unreadable}, {"C:\\held.gif", AddOutcome::Unreadable},
        {"C:\\empty.gif", AddOutcome::NotAPicture}, {"C:\\text.gif", AddOutcome::NotAPicture},
        {"C:\\huge.gif", AddOutcome::TooLarge}};
    for (const auto& [path, outcome] : cases) EXPECT_EQ(AddAs(path, "x", false), outcome) << path;
    EXPECT_TRUE(prompts.notices.empty());
    for (const auto& [path, outcome] : cases) EXPECT_EQ(AddAs(path, "x", true), outcome) << path;
    EXPECT_EQ(prompts.notices,
              (std::vector<std::string>{
                  std::string(kCannotRead) + "C:\\missing.gif", std::string(kCannotRead) + "C:\\held.gif",
                  std::string(kNotAPicture) + "C:\\empty.gif", std::string(kNotAPicture) + "C:\\text.gif",
                  std::string(kTooLarge) + "C:\\huge.gif"}));
    EXPECT_EQ(library.CountFaces(cat), 0);
    EXPECT_EQ(maxOrder, 0);
    EXPECT_EQ(Query("select count(*) from mmImageFileMD5HashTable"), "0");
}

TEST_F(AdderTest, NamesWithQuotesBarsAndChineseAreStoredAsGiven) {
    const std::string name = "say \"hi\" | '你好' " + std::string(150, 'x');
    files.files["C:\\表情\\q.gif"] = Bytes("GIF89a quoted");
    ASSERT_EQ(AddAs("C:\\表情\\q.gif", name, true), AddOutcome::Added);
    std::vector<FaceRow> rows;
    ASSERT_TRUE(library.ReadPage(cat, 40, 0, false, rows));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, CutToChars(name, 50));  // the column's width
    EXPECT_EQ(rows[0].fileName, "C:\\表情\\q.gif");
}

TEST_F(AdderTest, LongNamesAndPathsAreCutToTheirColumnsWithoutSplittingCharacters) {
    EXPECT_EQ(CutToChars("开心笑脸", 2), "开心");
    EXPECT_EQ(CutToChars("ab", 5), "ab");
    EXPECT_EQ(CutToChars("", 0), "");
    const std::string deep = "C:\\" + std::string(200, 'd') + "\\f.gif";
    files.files[deep] = Bytes("GIF89a deep");
    const std::string name(60, 'n');
    ASSERT_EQ(AddAs(deep, "笑" + name, false), AddOutcome::Added);
    std::vector<FaceRow> rows;
    ASSERT_TRUE(library.ReadPage(cat, 40, 0, false, rows));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, "笑" + name.substr(0, 49));
    EXPECT_EQ(rows[0].fileName, deep.substr(0, 150));
}

TEST_F(AdderTest, FailedStoreShowsThePathWithAppendChunkFailed) {
    files.files["C:\\a.gif"] = Bytes("GIF89a x");
    ASSERT_TRUE(conn.Execute("drop table 1"));  // the category's table is gone
    EXPECT_EQ(AddAs("C:\\a.gif", "a", false), AddOutcome::Failed);
    EXPECT_EQ(prompts.notices, std::vector<std::string>{"C:\\a.gifAppend chunk failed!"});
    EXPECT_EQ(Query("select count(*) from mmImageFileMD5HashTable"), "0");  // nothing half-written
}

TEST_F(AdderTest, FolderImportTakesAcceptedFilesDirectlyInsideAndSkipsDuplicates) {
    files.folders["D:\\faces\\"] = {"a.gif", "b.JPG", "c.jpeg", "notes.txt", "noext", "d.bmp",
                                   "dup.gif"};
    files.files["D:\\faces\\a.gif"] = Bytes("GIF89a a");
    files.files["D:\\faces\\b.JPG"] = Bytes("\xFF\xD8\xFF\xE0 JFIF b");
    files.files["D:\\faces\\c.jpeg"] = Bytes("\xFF\xD8\xFF\xE0 JFIF c");
    files.files["D:\\faces\\notes.txt"] = Bytes("text");
    files.files["D:\\faces\\d.bmp"] = Bytes("BM d, a bitmap of 26 bytes or more");
    files.files["D:\\faces\\dup.gif"] = Bytes("GIF89a a");
    bool iconSet = false;
    EXPECT_EQ(adder.ImportFolder(cat, maxOrder, "D:\\faces", &iconSet), 3);
    EXPECT_TRUE(iconSet);
    EXPECT_TRUE(prompts.notices.empty());
    EXPECT_EQ(maxOrder, 3);
    std::vector<FaceRow> rows;
    ASSERT_TRUE(library.ReadPage(cat, 40, 0, false, rows));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].name, "a");
    EXPECT_EQ(rows[1].name, "b");
    EXPECT_EQ(rows[2].name, "d");
    EXPECT_EQ(rows[1].fileName, "D:\\faces\\b.JPG");
    EXPECT_EQ(adder.ImportFolder(cat, maxOrder, "D:\\nowhere\\"), -1);
}

TEST_F(AdderTest, FolderImportStopsAtTheFirstStoreFailureWithOneMessage) {
    files.folders["D:\\f\\"] = {"a.gif", "b.gif", "c.gif"};
    for (const char* n : {"a", "b", "c"})
        files.files[std::string("D:\\f\\") + n + ".gif"] = Bytes(std::string("GIF89a ") + n);
    ASSERT_TRUE(conn.Execute("drop table 1"));
    EXPECT_EQ(adder.ImportFolder(cat, maxOrder, "D:\\f\\"), 0);
    EXPECT_EQ(prompts.notices.size(), 1u);
}

TEST(PictureBytes, OnlyGifJpegAndBmpHeadersPassAsPictures) {
    auto bytes = [](const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); };
    EXPECT_TRUE(LooksLikePicture(bytes("GIF87a......")));
    EXPECT_TRUE(LooksLikePicture(bytes("GIF89a")));
    EXPECT_TRUE(LooksLikePicture(bytes("\xFF\xD8\xFF")));
    EXPECT_TRUE(LooksLikePicture(bytes("BM" + std::string(24, '\0'))));
    EXPECT_FALSE(LooksLikePicture(bytes("BM" + std::string(23, '\0'))));  // no room for a header
    EXPECT_FALSE(LooksLikePicture(bytes("GIF89")));
    EXPECT_FALSE(LooksLikePicture(bytes("GIF90a")));
    EXPECT_FALSE(LooksLikePicture(bytes("\xFF\xD8")));
    EXPECT_FALSE(LooksLikePicture(bytes("\x89PNG\r\n\x1a\n....")));
    EXPECT_FALSE(LooksLikePicture({}));
}

}  // namespace
