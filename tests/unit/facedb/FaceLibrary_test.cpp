// Categories, tables and the picker's queries.
#include "LibraryFixture.h"

#include "BarList.h"
#include "DbConnection.h"
#include "FaceStatements.h"

TEST_F(LibraryTest, EmptyLibraryGetsOneDefaultCategoryWithPackZero) {
    std::vector<CategoryRow> rows;
    ASSERT_TRUE(library.ListCategories(rows));
    EXPECT_TRUE(rows.empty());
    int id = library.EnsureDefaultCategory();
    EXPECT_EQ(id, 1);
    EXPECT_EQ(library.EnsureDefaultCategory(), 1);  // only once
    ASSERT_TRUE(library.ListCategories(rows));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, "<Default>");
    EXPECT_EQ(Query("select packid, maxorder from mmNameIndexTable"), "|0||0");
}

TEST_F(LibraryTest, NewCategoryOwnsATableNamedByItsNumber) {
    int a = library.CreateCategory("Cats", 0);
    int b = library.CreateCategory("Dogs", 0);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    EXPECT_EQ(Query("select count(*) from sqlite_master where name in ('1','2')"), "2");
    EXPECT_EQ(library.CountFaces(b), 0);
    std::vector<CategoryRow> rows;
    ASSERT_TRUE(library.ListCategories(rows));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "Cats");  // creation order
    EXPECT_EQ(rows[1].name, "Dogs");
}

TEST_F(LibraryTest, CreatingAnExistingCategoryAddsThePackNumberOnce) {
    int id = library.CreateCategory("Pack", 0);
    EXPECT_EQ(library.CreateCategory("Pack", 5), id);
    EXPECT_EQ(library.CreateCategory("pack", 5), id);  // names compare without case
    CategoryRow row;
    ASSERT_TRUE(library.ReadCategory(id, row));
    EXPECT_EQ(row.packs, "|0|5|");
    EXPECT_TRUE(library.IsPackInstalled(5));
    EXPECT_TRUE(library.IsPackInstalled(0));
    EXPECT_FALSE(library.IsPackInstalled(50));
    std::vector<std::string> packs;
    ASSERT_TRUE(library.ListPackLists(packs));
    EXPECT_EQ(packs, std::vector<std::string>{"|0|5|"});
}

TEST_F(LibraryTest, FullPackListKeepsItsValueAndTheCategory) {
    int id = library.CreateCategory("Pack", 1000000000);
    for (int p = 1000000001; p < 1000000010; ++p) EXPECT_EQ(library.CreateCategory("Pack", p), id);
    CategoryRow row;
    ASSERT_TRUE(library.ReadCategory(id, row));
    EXPECT_LE(row.packs.size(), 50u);
    EXPECT_TRUE(BarListContains(row.packs, "1000000000"));
}

TEST_F(LibraryTest, CategoryNamesFullOfQuotesAndPercentsAreData) {
    std::string name = "a\"b'c%d\"\"";
    int id = library.CreateCategory(name, 0);
    ASSERT_GT(id, 0);
    CategoryRow row;
    ASSERT_TRUE(library.FindCategoryByName(name, row));
    EXPECT_EQ(row.id, id);
    EXPECT_EQ(row.name, name);
    EXPECT_FALSE(library.FindCategoryByName("a%", row));
    EXPECT_EQ(library.CreateCategory(name, 0), id);
}

TEST_F(LibraryTest, OverlongCategoryNameCreatesNothing) {
    EXPECT_EQ(library.CreateCategory(std::string(157, 'x'), 0), -1);
    EXPECT_EQ(Query("select count(*) from mmNameIndexTable"), "0");
    EXPECT_GT(library.CreateCategory(std::string(156, 'x'), 0), 0);
}

TEST_F(LibraryTest, DeletingCategorySevenCleansTheIndex) {
    for (int i = 1; i <= 7; ++i) library.CreateCategory("c" + std::to_string(i), 0);
    auto only7 = Bytes("GIF-only-in-7"), both = Bytes("GIF-in-2-and-7"), only2 = Bytes("GIF-2");
    EXPECT_EQ(Add(7, only7, "seven"), AddFaceResult::Added);
    EXPECT_EQ(Add(2, both, "both"), AddFaceResult::Added);
    EXPECT_EQ(Add(7, both, "both"), AddFaceResult::Added);
    EXPECT_EQ(Add(2, only2, "two"), AddFaceResult::Added);
    ASSERT_TRUE(library.DeleteCategory(7));
    EXPECT_EQ(Query("select count(*) from sqlite_master where name = '7'"), "0");
    EXPECT_EQ(Query("select count(*) from mmNameIndexTable where id = 7"), "0");
    IndexRow row;
    EXPECT_FALSE(library.FindIndexRow(Digest(only7), row));
    ASSERT_TRUE(library.FindIndexRow(Digest(both), row));
    EXPECT_EQ(row.categories, "|2|");
    ASSERT_TRUE(library.FindIndexRow(Digest(only2), row));
    EXPECT_EQ(row.categories, "|2|");
    EXPECT_FALSE(library.DeleteCategory(7));  // gone already
    EXPECT_EQ(library.CreateCategory("c8", 0), 8);  // numbers are not reused
}

TEST_F(LibraryTest, EnsureTablesCreatesMissingTablesOnce) {
    std::string bare = dir.File("bare.db");
    ASSERT_TRUE(DbCreateFile(bare, "x"));
    CAdoConnection c;
    ASSERT_TRUE(c.OpenJetDatabase(bare, "x"));
    CAdoRecordSet r;
    r.SetConnection(&c);
    FaceLibrary lib(c, r, nullptr);
    EXPECT_TRUE(lib.EnsureTables());
    EXPECT_TRUE(lib.EnsureTables());
    EXPECT_GT(lib.CreateCategory("x", 0), 0);  // the category table has maxorder
    EXPECT_EQ(SqliteQueryText(bare, "select maxorder from mmNameIndexTable"), "0");
}

TEST_F(LibraryTest, PagesComeInOrderAndStopAtTheEnd) {
    int cat = library.CreateCategory("c", 0);
    for (int i = 0; i < 10; ++i)
        ASSERT_EQ(Add(cat, Bytes("face" + std::to_string(i)), "n" + std::to_string(i)),
                  AddFaceResult::Added);
    std::vector<FaceRow> page;
    ASSERT_TRUE(library.ReadPage(cat, 4, 0, true, page));
    ASSERT_EQ(page.size(), 4u);
    EXPECT_EQ(page[0].name, "n0");
    EXPECT_EQ(page[0].image, Bytes("face0"));
    EXPECT_EQ(page[0].orderId, 1);
    ASSERT_TRUE(library.ReadPage(cat, 4, 2, false, page));
    ASSERT_EQ(page.size(), 2u);
    EXPECT_EQ(page[0].name, "n8");
    EXPECT_EQ(page[1].name, "n9");
    EXPECT_TRUE(page[1].image.empty());
    EXPECT_FALSE(page[1].thumbnail.empty());
    ASSERT_TRUE(library.ReadPage(cat, 4, 3, false, page));
    EXPECT_TRUE(page.empty());
    EXPECT_FALSE(library.ReadPage(cat, 0, 0, false, page));
    EXPECT_FALSE(library.ReadPage(99, 4, 0, false, page));  // no such table
    EXPECT_EQ(library.CountFaces(cat), 10);
    EXPECT_EQ(library.CountFaces(99), -1);
}

TEST_F(LibraryTest, SearchFindsNamesWithoutRegardToCase) {
    int cat = library.CreateCategory("c", 0);
    Add(cat, Bytes("1"), "Happy cat");
    Add(cat, Bytes("2"), "sad dog");
    Add(cat, Bytes("3"), "it's 100% \"fun\"");
    std::vector<IndexRow> hits;
    ASSERT_TRUE(library.SearchFaces("CAT", hits));
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].name, "Happy cat");
    EXPECT_EQ(hits[0].categories, "|1|");
    EXPECT_EQ(hits[0].digest, Digest(Bytes("1")));
    ASSERT_TRUE(library.SearchFaces("it's", hits));
    EXPECT_EQ(hits.size(), 1u);
    ASSERT_TRUE(library.SearchFaces("\"fun\"", hits));
    EXPECT_EQ(hits.size(), 1u);
    ASSERT_TRUE(library.SearchFaces("'\"'\"%%'", hits));  // quotes are data; no crash
    EXPECT_TRUE(hits.empty());
    ASSERT_TRUE(library.SearchFaces("%", hits));  // "%" stays the wildcard it always was
    EXPECT_EQ(hits.size(), 3u);
}

TEST_F(LibraryTest, FetchByDigestReadsSeveralFacesOfOneCategory) {
    int a = library.CreateCategory("a", 0);
    int b = library.CreateCategory("b", 0);
    Add(a, Bytes("x1"), "x1");
    Add(a, Bytes("x2"), "x2");
    Add(b, Bytes("y1"), "y1");
    std::vector<FaceRow> rows;
    ASSERT_TRUE(library.FetchFacesByDigest(a, {Digest(Bytes("x2")), Digest(Bytes("x1")),
                                               Digest(Bytes("y1"))}, true, rows));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].image, Bytes("x1"));
    EXPECT_EQ(rows[1].image, Bytes("x2"));
    ASSERT_TRUE(library.FetchFacesByDigest(b, {Digest(Bytes("y1"))}, false, rows));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, "y1");
    ASSERT_TRUE(library.FetchFacesByDigest(b, {"it's' or '1'='1"}, false, rows));
    EXPECT_TRUE(rows.empty());
}
