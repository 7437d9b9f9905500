#include <gtest/gtest.h>

#include "FaceStatements.h"
#include "JetDialect.h"

namespace {

using Params = std::vector<std::string>;

void ExpectSql(const std::string& jet, const std::string& sqlite, const Params& params = {}) {
    JetStatement st = TranslateJet(jet);
    ASSERT_TRUE(st.ok) << jet;
    EXPECT_EQ(st.sql, sqlite) << jet;
    EXPECT_EQ(st.params, params) << jet;
}

const char* kIdColumn = "id   CHAR(32) COLLATE NOCASE CHECK(length(\"id\")<=32)  Primary   Key";

}  // namespace

TEST(JetDialect, IndexTableCreationKeepsColumnsAndBoundsTexts) {
    ExpectSql(FaceSql::kCreateIndexTable,
              std::string("CREATE TABLE mmImageFileMD5HashTable(") + kIdColumn +
                  ",name CHAR(32) COLLATE NOCASE CHECK(length(\"name\")<=32),"
                  "demo CHAR(50) COLLATE NOCASE CHECK(length(\"demo\")<=50))");
    EXPECT_TRUE(TranslateJet(FaceSql::kCreateIndexTable).isSchemaChange);
}

TEST(JetDialect, CategoryTableIdentityBecomesAutoincrementKey) {
    ExpectSql(FaceSql::kCreateCategoryTable,
              "CREATE TABLE mmNameIndexTable(id INTEGER PRIMARY KEY AUTOINCREMENT not null,"
              "name CHAR(156) COLLATE NOCASE CHECK(length(\"name\")<=156),zoomimg BLOB,"
              "packid CHAR(50) COLLATE NOCASE CHECK(length(\"packid\")<=50),maxorder int)");
}

TEST(JetDialect, PickerCategoryTableWithOrderColumnGetsAnIndex) {
    ExpectSql("CREATE TABLE mmNameIndexTable(id int identity(1,1) not null,name char(156),"
              "zoomimg image,packid char(50),orderid int)",
              "CREATE TABLE mmNameIndexTable(id INTEGER PRIMARY KEY AUTOINCREMENT not null,"
              "name CHAR(156) COLLATE NOCASE CHECK(length(\"name\")<=156),zoomimg BLOB,"
              "packid CHAR(50) COLLATE NOCASE CHECK(length(\"packid\")<=50),orderid int);"
              "CREATE INDEX \"ix_mmNameIndexTable_orderid\" ON \"mmNameIndexTable\"(orderid)");
}

TEST(JetDialect, FaceTableNamedByNumberIsQuotedAndIndexedByOrder) {
    ExpectSql(FaceSql::CreateFaceTable(7),
              std::string("CREATE TABLE \"7\"(") + kIdColumn +
                  ",filename CHAR(150) COLLATE NOCASE CHECK(length(\"filename\")<=150),"
                  "zoomimg BLOB,img BLOB,demo CHAR(50) COLLATE NOCASE CHECK(length(\"demo\")<=50),"
                  "orderid int);CREATE INDEX \"ix_7_orderid\" ON \"7\"(orderid)");
}

TEST(JetDialect, TopBecomesLimitAndDoubleQuotedTextsBecomeParameters) {
    ExpectSql(FaceSql::FindCategoryByName("Cats"),
              "select * from  mmNameIndexTable where name = ? LIMIT 1", {"Cats"});
    ExpectSql(FaceSql::kAppendCategory, "select * from mmNameIndexTable LIMIT 1");
    ExpectSql(FaceSql::kAppendIndexRow, "select * from mmImageFileMD5HashTable LIMIT 1");
    ExpectSql(FaceSql::ReadCategory(7), "select * from  mmNameIndexTable where id = 7 LIMIT 1");
    ExpectSql(FaceSql::AppendFace(12), "select * from \"12\" LIMIT 1");
}

TEST(JetDialect, CountsAndPagesOverNumberedTables) {
    JetStatement count = TranslateJet(FaceSql::CountFaces(7));
    EXPECT_EQ(count.sql, "select count(*) from \"7\"");
    EXPECT_FALSE(count.singleTableStar);
    JetStatement page = TranslateJet(FaceSql::PageOfFaces(7, 4040));
    EXPECT_EQ(page.sql, "select * from \"7\" order by orderid LIMIT 4040");
    EXPECT_TRUE(page.singleTableStar);
    EXPECT_EQ(page.table, "7");
    EXPECT_EQ(page.tail, " order by orderid");
    EXPECT_EQ(page.limit, 4040);
}

TEST(JetDialect, LookupsWithTrailingSemicolon) {
    const std::string d = "0cc175b9c0f1b6a831c399e269772661";
    JetStatement index = TranslateJet(FaceSql::FindInIndex(d));
    EXPECT_EQ(index.sql, "select * from mmImageFileMD5HashTable where id = ?");
    EXPECT_EQ(index.params, Params{d});
    EXPECT_EQ(index.tail, " where id = ?");
    ExpectSql(FaceSql::FindInCategory(7, d), "select * from \"7\" where id = ? LIMIT 1", {d});
}

TEST(JetDialect, DeletesAndIndexQueriesOverSeveralDigests) {
    Params ds = {"a1", "b2", "c3"};
    ExpectSql(FaceSql::DeleteFaces(7, ds), "delete from \"7\" where id = ? or id = ? or id = ?", ds);
    ExpectSql(FaceSql::IndexRowsOf(ds),
              "select * from mmImageFileMD5HashTable where id = ? or id = ? or id = ?", ds);
    ExpectSql(FaceSql::DeleteIndexRows(ds),
              "delete from mmImageFileMD5HashTable where id = ? or id = ? or id = ?", ds);
}

TEST(JetDialect, CategoryDeletionStatements) {
    ExpectSql(FaceSql::DeleteCategoryRow(7), "delete from mmNameIndexTable where id = 7");
    ExpectSql(FaceSql::DeleteSoleIndexRows(7),
              "delete from mmImageFileMD5HashTable where name = ?", {"|7|"});
    ExpectSql(FaceSql::IndexRowsListing(7),
              "select * from  mmImageFileMD5HashTable where name like ?", {"%|7|%"});
    JetStatement drop = TranslateJet(FaceSql::DropFaceTable(7));
    EXPECT_EQ(drop.sql, "drop table \"7\"");
    EXPECT_TRUE(drop.isSchemaChange);
    EXPECT_FALSE(drop.isQuery);
}

TEST(JetDialect, PackAndSearchAndFetchStatements) {
    ExpectSql(FaceSql::PackInstalled(5),
              "select * from  mmNameIndexTable where packid like ?", {"%|5|%"});
    ExpectSql(FaceSql::SearchFaces("smile"),
              "select * from mmImageFileMD5HashTable where demo like ?", {"%smile%"});
    ExpectSql(FaceSql::FetchByDigest("7", {"a1", "b2"}),
              "select * from \"7\" where id=? or id=?", {"a1", "b2"});
}

TEST(FaceStatements, TextsAreExactlyTheLibrarysBlanksIncluded) {
    EXPECT_EQ(FaceSql::FindCategoryByName("Cats"),
              "select top 1 * from  mmNameIndexTable where name = \"Cats\"");
    EXPECT_EQ(FaceSql::CreateFaceTable(7),
              "CREATE TABLE 7(id   char(32)  Primary   Key,filename char(150),zoomimg image,"
              "img image,demo char(50),orderid int)");
    EXPECT_EQ(FaceSql::ReadCategory(3), "select top 1 * from  mmNameIndexTable where id = 3");
    EXPECT_EQ(FaceSql::CountFaces(3), "select count(*) from 3");
    EXPECT_EQ(FaceSql::PageOfFaces(3, 80), "select top 80 * from 3 order by orderid");
    EXPECT_EQ(FaceSql::FindInIndex("ab"), "select * from mmImageFileMD5HashTable where id = \"ab\";");
    EXPECT_EQ(FaceSql::AppendFace(3), "select top 1 * from 3");
    EXPECT_EQ(FaceSql::FindInCategory(3, "ab"), "select top 1 * from 3 where id = \"ab\";");
    EXPECT_EQ(FaceSql::DeleteFaces(3, {"a", "b"}), "delete from 3 where id = \"a\" or id = \"b\"");
    EXPECT_EQ(FaceSql::IndexRowsOf({"a"}), "select * from mmImageFileMD5HashTable where id = \"a\"");
    EXPECT_EQ(FaceSql::DeleteIndexRows({"a", "b"}),
              "delete from mmImageFileMD5HashTable where id = \"a\" or id = \"b\"");
    EXPECT_EQ(FaceSql::DeleteCategoryRow(3), "delete from mmNameIndexTable where id = 3");
    EXPECT_EQ(FaceSql::DeleteSoleIndexRows(3),
              "delete from mmImageFileMD5HashTable where name = \"|3|\"");
    EXPECT_EQ(FaceSql::IndexRowsListing(3),
              "select * from  mmImageFileMD5HashTable where name like '%|3|%'");
    EXPECT_EQ(FaceSql::DropFaceTable(3), "drop table 3");
    EXPECT_EQ(FaceSql::PackInstalled(5), "select * from  mmNameIndexTable where packid like '%|5|%'");
    EXPECT_EQ(FaceSql::SearchFaces("hi"), "select * from mmImageFileMD5HashTable where demo like '%hi%'");
    EXPECT_EQ(FaceSql::FetchByDigest("3", {"a", "b", "c"}),
              "select * from 3 where id='a' or id='b' or id='c'");
}

TEST(FaceStatements, DigestListsSplitOnlyPastOneStatementsShare) {
    auto digests = [](size_t n) {
        std::vector<std::string> v;
        for (size_t i = 0; i < n; ++i) v.push_back("d" + std::to_string(i));
        return v;
    };
    EXPECT_TRUE(FaceSql::DigestBatches({}).empty());
    auto page = FaceSql::DigestBatches(digests(40));
    ASSERT_EQ(page.size(), 1u);
    EXPECT_EQ(page[0], digests(40)) << "a page goes out as one statement";
    EXPECT_EQ(FaceSql::DigestBatches(digests(FaceSql::kDigestsPerStatement)).size(), 1u);
    auto split = FaceSql::DigestBatches(digests(2 * FaceSql::kDigestsPerStatement + 1));
    ASSERT_EQ(split.size(), 3u);
    EXPECT_EQ(split[0].front(), "d0");
    EXPECT_EQ(split[1].front(), "d" + std::to_string(FaceSql::kDigestsPerStatement));
    ASSERT_EQ(split[2].size(), 1u);
    EXPECT_EQ(split[2][0], "d" + std::to_string(2 * FaceSql::kDigestsPerStatement));
}

TEST(FaceStatements, QuotesInNamesAndSearchTextsStayData) {
    std::string name = "say \"hi\" it's 100%";
    EXPECT_EQ(FaceSql::FindCategoryByName(name),
              "select top 1 * from  mmNameIndexTable where name = \"say \"\"hi\"\" it's 100%\"");
    ExpectSql(FaceSql::FindCategoryByName(name),
              "select * from  mmNameIndexTable where name = ? LIMIT 1", {name});
    EXPECT_EQ(FaceSql::SearchFaces("it's"),
              "select * from mmImageFileMD5HashTable where demo like '%it''s%'");
    ExpectSql(FaceSql::SearchFaces("'\"'%"),
              "select * from mmImageFileMD5HashTable where demo like ?", {"%'\"'%%"});
}

TEST(JetDialect, OpenLiteralsAndBracketsDoNotTranslate) {
    EXPECT_FALSE(TranslateJet("select * from t where name = \"abc").ok);
    EXPECT_FALSE(TranslateJet("select * from t where name = 'abc").ok);
    EXPECT_FALSE(TranslateJet("select * from [t where").ok);
    EXPECT_FALSE(TranslateJet("select * from t where a = 'x''").ok);
}

TEST(JetDialect, BracketNamesAndSelectsOverSeveralTables) {
    ExpectSql("select * from [my table]", "select * from \"my table\"");
    EXPECT_FALSE(TranslateJet("select * from a, b").singleTableStar);
    EXPECT_FALSE(TranslateJet("select * from a join b on a.x = b.x").singleTableStar);
    EXPECT_FALSE(TranslateJet("select id from a").singleTableStar);
    EXPECT_TRUE(TranslateJet("SELECT TOP 3 * FROM a WHERE x = 1").singleTableStar);
}

TEST(JetDialect, NumbersOutsideTablePositionsStayNumbers) {
    ExpectSql("select top 5 * from 12 where orderid > 3 and id = \"7\"",
              "select * from \"12\" where orderid > 3 and id = ? LIMIT 5", {"7"});
    ExpectSql("update 4 set orderid = 9", "update \"4\" set orderid = 9");
    ExpectSql("insert into 4(orderid) values(1)", "insert into \"4\"(orderid) values(1)");
}

TEST(QuoteIdentifier, DoublesInnerQuotes) {
    EXPECT_EQ(QuoteIdentifier("7"), "\"7\"");
    EXPECT_EQ(QuoteIdentifier("a\"b"), "\"a\"\"b\"");
}
