// Adding, removing, copying, moving and renaming faces.
#include "LibraryFixture.h"

#include <cstdio>
#include <set>

#include "BarList.h"

namespace {

std::vector<std::string> PageNames(FaceLibrary& library, int category) {
    std::vector<FaceRow> rows;
    EXPECT_TRUE(library.ReadPage(category, 100, 0, false, rows));
    std::vector<std::string> names;
    for (const FaceRow& r : rows) names.push_back(r.name);
    return names;
}

}  // namespace

TEST_F(LibraryTest, SamePictureUnderTwoFileNamesIsStoredOnce) {
    int cat = library.CreateCategory("c", 0);
    auto gif = Bytes("GIF89a same bytes");
    EXPECT_EQ(Add(cat, gif, "one", "C:\\a.gif"), AddFaceResult::Added);
    EXPECT_EQ(Add(cat, gif, "two", "C:\\b.gif"), AddFaceResult::AlreadyInCategory);
    EXPECT_EQ(library.CountFaces(cat), 1);
    IndexRow row;
    ASSERT_TRUE(library.FindIndexRow(Digest(gif), row));
    EXPECT_EQ(row.name, "one");
    EXPECT_TRUE(library.IsFaceInCategory(cat, Digest(gif)));
}

TEST_F(LibraryTest, AddingToASecondCategoryExtendsTheIndexListAndName) {
    for (int i = 1; i <= 5; ++i) library.CreateCategory("c" + std::to_string(i), 0);
    auto gif = Bytes("GIF shared");
    ASSERT_EQ(Add(3, gif, "old name"), AddFaceResult::Added);
    ASSERT_EQ(Add(5, gif, "new name"), AddFaceResult::Added);
    IndexRow row;
    ASSERT_TRUE(library.FindIndexRow(Digest(gif), row));
    EXPECT_EQ(row.categories, "|3|5|");
    EXPECT_EQ(row.name, "new name");
    EXPECT_EQ(PageNames(library, 3), std::vector<std::string>{"old name"});
    EXPECT_EQ(PageNames(library, 5), std::vector<std::string>{"new name"});
}

TEST_F(LibraryTest, AddedFacesTakeMaxOrderPlusOneAndStoreTheirBytes) {
    int cat = library.CreateCategory("c", 0);
    int maxOrder = 0;
    auto gif = PatternBytes(5000, 1);
    ASSERT_EQ(library.AddFace(cat, maxOrder, "C:\\x\\y.gif", "y", gif), AddFaceResult::Added);
    ASSERT_EQ(library.AddFace(cat, maxOrder, "C:\\x\\z.gif", "z", PatternBytes(10, 2)),
              AddFaceResult::Added);
    EXPECT_EQ(maxOrder, 2);
    EXPECT_EQ(library.AddFace(cat, maxOrder, "C:\\x\\z.gif", "z", PatternBytes(10, 2)),
              AddFaceResult::AlreadyInCategory);
    EXPECT_EQ(maxOrder, 2);
    EXPECT_EQ(Query("select '0'||maxorder from mmNameIndexTable"), "00");  // written back later
    ASSERT_TRUE(library.StoreMaxOrder(cat, maxOrder));
    EXPECT_EQ(Query("select maxorder from mmNameIndexTable"), "2");
    std::vector<FaceRow> rows;
    ASSERT_TRUE(library.ReadPage(cat, 10, 0, true, rows));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].digest, Digest(gif));
    EXPECT_EQ(rows[0].fileName, "C:\\x\\y.gif");
    EXPECT_EQ(rows[0].image, gif);
    EXPECT_EQ(rows[0].orderId, 1);
    EXPECT_EQ(rows[1].orderId, 2);
    EXPECT_EQ(rows[0].thumbnail[0], 'J');
    EXPECT_EQ(rows[0].thumbnail[1], FaceLibrary::kThumbnailSize);
}

TEST_F(LibraryTest, FirstFaceSetsTheIconAndTheIconOutlivesItsFaces) {
    int cat = library.CreateCategory("c", 0);
    Add(cat, Bytes("first"), "1");
    Add(cat, Bytes("second"), "2");
    std::vector<CategoryRow> rows;
    ASSERT_TRUE(library.ListCategories(rows));
    std::vector<uint8_t> firstIcon = {'J', FaceLibrary::kIconSize, 'f', 'i', 'r', 's', 't'};
    EXPECT_EQ(rows[0].icon, firstIcon);
    ASSERT_TRUE(library.RemoveFaces(cat, {Digest(Bytes("first")), Digest(Bytes("second"))}));
    ASSERT_TRUE(library.ListCategories(rows));
    EXPECT_EQ(rows[0].icon, firstIcon);
    Add(cat, Bytes("third"), "3");
    ASSERT_TRUE(library.ListCategories(rows));
    EXPECT_EQ(rows[0].icon, (std::vector<uint8_t>{'J', 16, 't', 'h', 'i', 'r', 'd'}));
}

TEST_F(LibraryTest, PictureThatCannotBeDrawnIsStoredWithoutThumbnail) {
    int cat = library.CreateCategory("c", 0);
    ASSERT_EQ(Add(cat, Bytes("BAD picture"), "bad"), AddFaceResult::Added);
    std::vector<FaceRow> rows;
    ASSERT_TRUE(library.ReadPage(cat, 10, 0, true, rows));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_TRUE(rows[0].thumbnail.empty());
    EXPECT_EQ(rows[0].image, Bytes("BAD picture"));
}

TEST_F(LibraryTest, DeepPathsKeepTheirLongestTailThatStartsAtASeparator) {
    int cat = library.CreateCategory("c", 0);
    auto stored = [&](const std::string& path, const char* picture) {
        EXPECT_EQ(Add(cat, Bytes(picture), picture, path), AddFaceResult::Added) << path;
        std::vector<FaceRow> rows;
        EXPECT_TRUE(library.FetchFacesByDigest(cat, {Digest(Bytes(picture))}, false, rows));
        return rows.empty() ? std::string("(none)") : rows[0].fileName;
    };
    // 2 + 40 * 6 + 9 = 251 characters: a Windows path near MAX_PATH.
    std::string deep = "C:";
    for (int i = 0; i < 40; ++i) deep += "\\dir" + std::to_string(10 + i);
    std::string tail = stored(deep + "\\face.gif", "deep");
    EXPECT_EQ(tail.size(), 147u) << tail;  // one more folder would make 153
    EXPECT_EQ(tail.substr(0, 7), "\\dir27\\");
    EXPECT_EQ(tail.substr(tail.size() - 9), "\\face.gif");
    EXPECT_EQ(deep.substr(deep.size() - 138) + "\\face.gif", tail);

    std::string exact = "C:\\" + std::string(141, 'x') + "\\a.gif";  // 150 characters
    ASSERT_EQ(exact.size(), 150u);
    EXPECT_EQ(stored(exact, "exact"), exact);
    EXPECT_EQ(stored(exact + "f", "one over"), "\\" + std::string(141, 'x') + "\\a.giff");

    // Width counts characters: 100 three-byte characters fit.
    std::string wide = "D:\\";
    for (int i = 0; i < 100; ++i) wide += "\xe8\xa1\xa8";
    wide += "\\b.gif";
    EXPECT_EQ(stored(wide, "wide"), wide);

    std::string name150(150, 'n'), name151(151, 'n');
    EXPECT_EQ(stored("C:\\d\\" + name150, "bare name"), name150);
    int maxOrder = 0;
    EXPECT_EQ(library.AddFace(cat, maxOrder, "C:\\d\\" + name151, "long name", Bytes("too long")),
              AddFaceResult::Failed);
    EXPECT_EQ(library.AddFace(cat, maxOrder, name151, "no folder", Bytes("too long")),
              AddFaceResult::Failed);
}

TEST_F(LibraryTest, FailedAddLeavesNeitherIndexNorFaceRow) {
    int cat = library.CreateCategory("c", 0);
    auto gif = Bytes("GIF long name");
    int maxOrder = 0;
    EXPECT_EQ(library.AddFace(cat, maxOrder, "f", std::string(51, 'n'), gif), AddFaceResult::Failed);
    EXPECT_EQ(maxOrder, 0);
    IndexRow row;
    EXPECT_FALSE(library.FindIndexRow(Digest(gif), row));
    EXPECT_EQ(library.CountFaces(cat), 0);
    // A face listed in categories filling its 32-character list cannot join another.
    for (int i = 2; i <= 20; ++i) library.CreateCategory("c" + std::to_string(i), 0);
    auto shared = Bytes("GIF everywhere");
    int added = 0;
    for (int c = 1; c <= 20; ++c) {
        int m = 0;
        if (library.AddFace(c, m, "f", "s", shared) == AddFaceResult::Added) ++added;
    }
    ASSERT_TRUE(library.FindIndexRow(Digest(shared), row));
    EXPECT_LE(row.categories.size(), 32u);
    EXPECT_LT(added, 20);
    for (int c = 1; c <= 20; ++c)
        EXPECT_EQ(library.IsFaceInCategory(c, Digest(shared)), BarListContains(row.categories, std::to_string(c)))
            << c;
}

TEST_F(LibraryTest, RemovingFacesShrinksOrDropsIndexRows) {
    for (int i = 1; i <= 5; ++i) library.CreateCategory("c" + std::to_string(i), 0);
    auto gif = Bytes("GIF 3 and 5");
    Add(3, gif, "g");
    Add(5, gif, "g");
    ASSERT_TRUE(library.RemoveFaces(3, {Digest(gif)}));
    IndexRow row;
    ASSERT_TRUE(library.FindIndexRow(Digest(gif), row));
    EXPECT_EQ(row.categories, "|5|");
    EXPECT_FALSE(library.IsFaceInCategory(3, Digest(gif)));
    ASSERT_TRUE(library.RemoveFaces(5, {Digest(gif)}));
    EXPECT_FALSE(library.FindIndexRow(Digest(gif), row));
    EXPECT_EQ(Query("select count(*) from mmImageFileMD5HashTable"), "0");
    EXPECT_TRUE(library.RemoveFaces(5, {}));
    EXPECT_TRUE(library.RemoveFaces(5, {"not-a-digest\"'"}));
}

TEST_F(LibraryTest, CopyAppendsAfterTheTargetsLastFaceInRecordOrder) {
    int src = library.CreateCategory("src", 0);
    int dst = library.CreateCategory("dst", 0);
    for (const char* n : {"a", "b", "c"}) Add(src, Bytes(std::string("pic ") + n), n);
    Add(dst, Bytes("pic x"), "x");
    Add(dst, Bytes("pic b"), "b in dst");  // already there: skipped by the copy
    std::vector<FaceRecord> records;
    ASSERT_TRUE(library.GatherFaceRecords(src, {Digest(Bytes("pic c")), Digest(Bytes("pic a")),
                                                Digest(Bytes("pic b"))}, records));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].faceName, "c");
    EXPECT_EQ(records[0].image, Bytes("pic c"));
    EXPECT_FALSE(records[0].thumbnail.empty());
    EXPECT_EQ(library.CopyFaces(records, dst), 2);
    EXPECT_EQ(PageNames(library, dst), (std::vector<std::string>{"x", "b in dst", "c", "a"}));
    EXPECT_EQ(PageNames(library, src), (std::vector<std::string>{"a", "b", "c"}));
    CategoryRow row;
    ASSERT_TRUE(library.ReadCategory(dst, row));
    EXPECT_EQ(row.maxOrder, 4);
    IndexRow index;
    ASSERT_TRUE(library.FindIndexRow(Digest(Bytes("pic c")), index));
    EXPECT_EQ(index.categories, "|1|2|");
    EXPECT_EQ(index.name, "c");
    std::vector<FaceRow> copied;
    ASSERT_TRUE(library.FetchFacesByDigest(dst, {Digest(Bytes("pic c"))}, true, copied));
    ASSERT_EQ(copied.size(), 1u);
    EXPECT_EQ(copied[0].thumbnail, records[0].thumbnail);
    EXPECT_EQ(copied[0].image, Bytes("pic c"));
}

TEST_F(LibraryTest, MoveTakesTheFacesOutOfTheSource) {
    int src = library.CreateCategory("src", 0);
    int dst = library.CreateCategory("dst", 0);
    Add(src, Bytes("m1"), "m1");
    Add(src, Bytes("m2"), "m2");
    Add(src, Bytes("stay"), "stay");
    Add(dst, Bytes("m2"), "m2 there");
    std::vector<FaceRecord> records;
    ASSERT_TRUE(library.GatherFaceRecords(src, {Digest(Bytes("m1")), Digest(Bytes("m2"))}, records));
    EXPECT_EQ(library.MoveFaces(records, src, dst), 1);
    EXPECT_EQ(PageNames(library, src), std::vector<std::string>{"stay"});
    EXPECT_EQ(PageNames(library, dst), (std::vector<std::string>{"m2 there", "m1"}));
    IndexRow index;
    ASSERT_TRUE(library.FindIndexRow(Digest(Bytes("m1")), index));
    EXPECT_EQ(index.categories, "|2|");
    ASSERT_TRUE(library.FindIndexRow(Digest(Bytes("m2")), index));
    EXPECT_EQ(index.categories, "|2|");
    EXPECT_EQ(library.MoveFaces(records, dst, dst), 0);
}

TEST_F(LibraryTest, MovedFaceIsSearchedUnderTheNameItHadInTheSource) {
    int a = library.CreateCategory("a", 0);
    int b = library.CreateCategory("b", 0);
    int c = library.CreateCategory("c", 0);
    auto gif = Bytes("one picture");
    Add(b, gif, "name in b");
    Add(a, gif, "name in a");  // the index now says "name in a"
    ASSERT_TRUE(library.RemoveFaces(a, {Digest(gif)}));
    std::vector<FaceRecord> records;
    ASSERT_TRUE(library.GatherFaceRecords(b, {Digest(gif)}, records));
    EXPECT_EQ(library.MoveFaces(records, b, c), 1);
    IndexRow index;
    ASSERT_TRUE(library.FindIndexRow(Digest(gif), index));
    EXPECT_EQ(index.categories, "|3|");
    EXPECT_EQ(index.name, "name in b");
    std::vector<IndexRow> hits;
    ASSERT_TRUE(library.SearchFaces("name in a", hits));
    EXPECT_TRUE(hits.empty());
    EXPECT_EQ(PageNames(library, c), std::vector<std::string>{"name in b"});
}

TEST_F(LibraryTest, MoveThatFailsHalfWayLeavesTheSourceWhole) {
    int src = library.CreateCategory("src", 0);
    int dst = library.CreateCategory("dst", 0);
    Add(src, Bytes("p1"), "p1");
    Add(src, Bytes("p2"), "p2");
    std::vector<FaceRecord> records;
    ASSERT_TRUE(library.GatherFaceRecords(src, {Digest(Bytes("p1")), Digest(Bytes("p2"))}, records));
    records[1].faceName = std::string(51, 'n');  // too long for the target's face row
    EXPECT_EQ(library.MoveFaces(records, src, dst), -1);
    EXPECT_EQ(PageNames(library, src), (std::vector<std::string>{"p1", "p2"}));
    EXPECT_EQ(library.CountFaces(dst), 0);
    IndexRow index;
    ASSERT_TRUE(library.FindIndexRow(Digest(Bytes("p1")), index));
    EXPECT_EQ(index.categories, "|1|");
    EXPECT_EQ(index.name, "p1");
}

TEST_F(LibraryTest, CopyOrMoveIntoAnEmptyCategoryLeavesItWithoutIcon) {
    int src = library.CreateCategory("src", 0);
    int copyTarget = library.CreateCategory("copy here", 0);
    int moveTarget = library.CreateCategory("move here", 0);
    Add(src, Bytes("one"), "one");
    Add(src, Bytes("two"), "two");
    std::vector<FaceRecord> records;
    ASSERT_TRUE(library.GatherFaceRecords(src, {Digest(Bytes("one"))}, records));
    EXPECT_EQ(library.CopyFaces(records, copyTarget), 1);
    ASSERT_TRUE(library.GatherFaceRecords(src, {Digest(Bytes("two"))}, records));
    EXPECT_EQ(library.MoveFaces(records, src, moveTarget), 1);
    std::vector<CategoryRow> cats;
    ASSERT_TRUE(library.ListCategories(cats));
    ASSERT_EQ(cats.size(), 3u);
    EXPECT_FALSE(cats[0].icon.empty()) << "the source's icon came from an add";
    EXPECT_TRUE(cats[1].icon.empty());
    EXPECT_TRUE(cats[2].icon.empty());
    // A later add into the still icon-less but no longer empty category keeps it so.
    Add(copyTarget, Bytes("three"), "three");
    ASSERT_TRUE(library.ListCategories(cats));
    EXPECT_TRUE(cats[1].icon.empty());
}

TEST_F(LibraryTest, CopyToMissingCategoryChangesNothing) {
    int src = library.CreateCategory("src", 0);
    Add(src, Bytes("m1"), "m1");
    std::vector<FaceRecord> records;
    ASSERT_TRUE(library.GatherFaceRecords(src, {Digest(Bytes("m1"))}, records));
    EXPECT_EQ(library.CopyFaces(records, 42), -1);
    EXPECT_EQ(library.MoveFaces(records, src, 42), -1);
    IndexRow index;
    ASSERT_TRUE(library.FindIndexRow(Digest(Bytes("m1")), index));
    EXPECT_EQ(index.categories, "|1|");
    EXPECT_EQ(library.CountFaces(src), 1);
}

TEST_F(LibraryTest, RenameChangesIndexAndOpenCategoryOnly) {
    library.CreateCategory("a", 0);
    library.CreateCategory("b", 0);
    auto gif = Bytes("r");
    Add(1, gif, "old");
    Add(2, gif, "old");
    ASSERT_TRUE(library.RenameFace(2, Digest(gif), "new \"name\""));
    IndexRow index;
    ASSERT_TRUE(library.FindIndexRow(Digest(gif), index));
    EXPECT_EQ(index.name, "new \"name\"");
    EXPECT_EQ(PageNames(library, 1), std::vector<std::string>{"old"});
    EXPECT_EQ(PageNames(library, 2), std::vector<std::string>{"new \"name\""});
    EXPECT_FALSE(library.RenameFace(2, Digest(Bytes("nope")), "x"));
    EXPECT_FALSE(library.RenameFace(2, Digest(gif), std::string(51, 'x')));
    ASSERT_TRUE(library.FindIndexRow(Digest(gif), index));
    EXPECT_EQ(index.name, "new \"name\"");
}

// Far beyond a page: lists of this length once exceeded SQLite's expression depth.
TEST_F(LibraryTest, ThousandsOfDigestsAreRemovedAndFetchedInBatches) {
    int a = library.CreateCategory("a", 0);
    int b = library.CreateCategory("b", 0);
    const int kFaces = 2300;
    // Faces 1..kFaces in a; every tenth one in b as well.
    const std::string rows = "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                             "WHERE i < " + std::to_string(kFaces) + ") ";
    Query("INSERT INTO \"1\"(id, filename, img, demo, orderid) " + rows +
          "SELECT printf('%032d', i), 'f', x'4749', 'n' || i, i FROM n");
    Query("INSERT INTO \"2\"(id, filename, img, demo, orderid) " + rows +
          "SELECT printf('%032d', i), 'f', x'4749', 'n' || i, i FROM n WHERE i % 10 = 0");
    Query("INSERT INTO mmImageFileMD5HashTable(id, name, demo) " + rows +
          "SELECT printf('%032d', i), CASE WHEN i % 10 = 0 THEN '|1|2|' ELSE '|1|' END, 'n' || i "
          "FROM n");
    ASSERT_EQ(library.CountFaces(a), kFaces);
    ASSERT_EQ(library.CountFaces(b), kFaces / 10);
    std::vector<std::string> digests;
    for (int i = 1; i <= kFaces; ++i) {
        char d[40];
        std::snprintf(d, sizeof d, "%032d", i);
        digests.push_back(d);
    }
    std::vector<FaceRow> fetched;
    ASSERT_TRUE(library.FetchFacesByDigest(a, digests, true, fetched));
    ASSERT_EQ(fetched.size(), static_cast<size_t>(kFaces));
    EXPECT_EQ(fetched.back().image, Bytes("GI"));
    std::set<std::string> distinct;
    for (const FaceRow& r : fetched) distinct.insert(r.digest);
    EXPECT_EQ(distinct.size(), static_cast<size_t>(kFaces));

    ASSERT_TRUE(library.RemoveFaces(a, digests));
    EXPECT_EQ(library.CountFaces(a), 0);
    EXPECT_EQ(library.CountFaces(b), kFaces / 10);
    EXPECT_EQ(Query("select count(*) from mmImageFileMD5HashTable"), std::to_string(kFaces / 10));
    EXPECT_EQ(Query("select count(*) from mmImageFileMD5HashTable where name = '|2|'"),
              std::to_string(kFaces / 10));
}
