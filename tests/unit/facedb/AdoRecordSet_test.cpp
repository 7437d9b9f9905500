#include <gtest/gtest.h>

#include "AdoConnection.h"
#include "AdoRecordSet.h"
#include "TestDb.h"

namespace {

class AdoRecordSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.File("t.db");
        ASSERT_TRUE(DbCreateFile(path, "pw"));
        ASSERT_TRUE(conn.OpenJetDatabase(path, "pw"));
        ASSERT_TRUE(conn.Execute("CREATE TABLE cats(id int identity(1,1) not null,name char(8),"
                                 "pic image,ok bit,n int)"));
        rs.SetConnection(&conn);
        ASSERT_TRUE(rs.UseClientCursor());
    }
    void AddCat(const std::string& name, int n) {
        ASSERT_TRUE(rs.Open("select top 1 * from cats", adCmdText));
        ASSERT_TRUE(rs.AddNew());
        ASSERT_TRUE(rs.PutCollect("name", name));
        ASSERT_TRUE(rs.PutCollect("n", n));
        ASSERT_TRUE(rs.Update());
    }
    ScratchDir dir;
    std::string path;
    RecordingSink sink;
    CAdoConnection conn;
    CAdoRecordSet rs{&sink};
};

}  // namespace

TEST_F(AdoRecordSetTest, AddedRowReadsBackItsIdentity) {
    AddCat("tom", 1);
    int32_t id = 0;
    EXPECT_TRUE(rs.GetCollect("id", id));
    EXPECT_EQ(id, 1);
    AddCat("kit", 2);
    EXPECT_TRUE(rs.GetCollect("id", id));
    EXPECT_EQ(id, 2);
    EXPECT_TRUE(rs.GetCollect(0, id));  // by position
    EXPECT_EQ(id, 2);
    EXPECT_EQ(rs.GetEditMode(), adEditNone);
}

TEST_F(AdoRecordSetTest, OpenReplacesThePreviousResultAndMissingTableFails) {
    AddCat("tom", 1);
    AddCat("kit", 2);
    ASSERT_TRUE(rs.Open("select * from cats where name = \"kit\"", adCmdText));
    EXPECT_EQ(rs.GetRecordCount(), 1);
    ASSERT_TRUE(rs.Open("cats", adCmdTable));
    EXPECT_EQ(rs.GetRecordCount(), 2);
    EXPECT_EQ(rs.GetSource(), "cats");
    EXPECT_FALSE(rs.Open("mmNameIndexTable", adCmdTable));
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_FALSE(rs.Open("select * from nosuch", adCmdText));
    EXPECT_TRUE(rs.Open("", adCmdText) == false);  // reuses the failing source
    EXPECT_EQ(rs.GetSource(), "select * from nosuch");
}

TEST_F(AdoRecordSetTest, OpenWithoutConnectionOrSourceFails) {
    CAdoRecordSet fresh;
    fresh.SetConnection(&conn);
    EXPECT_FALSE(fresh.Open("", adCmdTable));  // no source yet
    CAdoRecordSet lone;
    EXPECT_FALSE(lone.Open("cats", adCmdTable));  // no connection, but the source is kept
    lone.SetConnection(&conn);
    EXPECT_TRUE(lone.Open("", adCmdTable));
    EXPECT_TRUE(lone.Open("cats", adCmdTable));
}

TEST_F(AdoRecordSetTest, TextComparisonsIgnoreCaseAsJetDoes) {
    AddCat("Tom", 1);
    ASSERT_TRUE(rs.Open("select * from cats where name = \"TOM\"", adCmdText));
    EXPECT_FALSE(rs.IsEOF());
    ASSERT_TRUE(rs.Open("select * from cats where name like '%o%'", adCmdText));
    EXPECT_FALSE(rs.IsEOF());
}

TEST_F(AdoRecordSetTest, NavigationFollowsStaticCursorRules) {
    for (int i = 1; i <= 5; ++i) AddCat("c" + std::to_string(i), i);
    ASSERT_TRUE(rs.Open("select * from cats order by n", adCmdText));
    EXPECT_EQ(rs.GetAbsolutePosition(), 1);
    EXPECT_FALSE(rs.MovePrevious() == false);
    EXPECT_EQ(rs.GetAbsolutePosition(), adPosBOF);
    EXPECT_FALSE(rs.MovePrevious());  // already before the first
    EXPECT_TRUE(rs.MoveFirst());
    EXPECT_TRUE(rs.Move(3));
    int32_t n = 0;
    rs.GetCollect("n", n);
    EXPECT_EQ(n, 4);
    EXPECT_TRUE(rs.Move(-1));
    rs.GetCollect("n", n);
    EXPECT_EQ(n, 3);
    EXPECT_TRUE(rs.Move(1, Variant::Long(adBookmarkFirst)));
    rs.GetCollect("n", n);
    EXPECT_EQ(n, 2);
    EXPECT_TRUE(rs.Move(0, Variant::Long(adBookmarkLast)));
    rs.GetCollect("n", n);
    EXPECT_EQ(n, 5);
    EXPECT_FALSE(rs.Move(1, Variant::Text("bookmark")));
    EXPECT_TRUE(rs.Move(10));
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_EQ(rs.GetAbsolutePosition(), adPosEOF);
    EXPECT_FALSE(rs.MoveNext());
    EXPECT_FALSE(rs.Move(1));
    EXPECT_TRUE(rs.SetAbsolutePosition(2));
    rs.GetCollect("n", n);
    EXPECT_EQ(n, 2);
    EXPECT_FALSE(rs.SetAbsolutePosition(6));
    EXPECT_FALSE(rs.SetAbsolutePosition(0));
}

TEST_F(AdoRecordSetTest, EmptyResultIsAtEofAndCannotMove) {
    ASSERT_TRUE(rs.Open("cats", adCmdTable));
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_FALSE(rs.MoveFirst());
    EXPECT_FALSE(rs.Move(0));
    EXPECT_EQ(rs.GetRecordCount(), 0);
    EXPECT_EQ(rs.GetAbsolutePosition(), adPosUnknown);
    int32_t n = 7;
    EXPECT_FALSE(rs.GetCollect("n", n));
    EXPECT_EQ(n, 0);
}

TEST_F(AdoRecordSetTest, RecordCountOfServerCursorIsWalkedAndCursorStays) {
    for (int i = 1; i <= 4; ++i) AddCat("c" + std::to_string(i), i);
    CAdoRecordSet server;
    server.SetConnection(&conn);  // no client cursor: the count is not known up front
    ASSERT_TRUE(server.Open("cats", adCmdTable));
    ASSERT_TRUE(server.Move(2));
    EXPECT_EQ(server.GetRecordCount(), 4);
    EXPECT_EQ(server.GetAbsolutePosition(), 3);
    server.Move(5);
    EXPECT_EQ(server.GetRecordCount(), 4);
    EXPECT_TRUE(server.IsEOF());
}

TEST_F(AdoRecordSetTest, NullTextReadsEmptyAndEmptyTextStoresNull) {
    AddCat("tom", 1);
    ASSERT_TRUE(rs.PutCollect("name", std::string()));
    ASSERT_TRUE(rs.Update());
    EXPECT_EQ(SqliteQueryText(path, "select name is null from cats"), "1");
    ASSERT_TRUE(rs.Open("cats", adCmdTable));
    std::string text = "unchanged";
    EXPECT_TRUE(rs.GetCollect("name", text));
    EXPECT_EQ(text, "");
}

TEST_F(AdoRecordSetTest, BooleansAndBinariesReadAsTheirTexts) {
    AddCat("tom", 1);
    ASSERT_TRUE(rs.PutCollect("ok", Variant::Bool(true)));
    auto pic = Bytes("GIF89a");
    ASSERT_TRUE(rs.PutCollectBytes("pic", pic.data(), pic.size()));
    ASSERT_TRUE(rs.Update());
    ASSERT_TRUE(rs.Open("cats", adCmdTable));
    std::string text;
    EXPECT_TRUE(rs.GetCollect("ok", text));
    EXPECT_EQ(text, "TRUE");
    EXPECT_TRUE(rs.GetCollect("pic", text));
    EXPECT_EQ(text, "[BLOB]");
    int32_t flag = 0;
    EXPECT_TRUE(rs.GetCollect("ok", flag));
    EXPECT_EQ(flag, -1);
    ASSERT_TRUE(rs.PutCollect("ok", Variant::Bool(false)));
    ASSERT_TRUE(rs.Update());
    EXPECT_TRUE(rs.GetCollect("ok", text));
    EXPECT_EQ(text, "FALSE");
}

TEST_F(AdoRecordSetTest, FailedUpdateLeavesNoPendingEdit) {
    AddCat("tom", 1);
    ASSERT_TRUE(rs.Open("select top 1 * from cats", adCmdText));
    ASSERT_TRUE(rs.AddNew());
    EXPECT_EQ(rs.GetEditMode(), adEditAdd);
    ASSERT_TRUE(rs.PutCollect("name", std::string("far too long")));  // char(8)
    EXPECT_FALSE(rs.Update());
    EXPECT_EQ(rs.GetEditMode(), adEditNone);
    EXPECT_EQ(SqliteQueryText(path, "select count(*) from cats"), "1");
    ASSERT_TRUE(rs.PutCollect("name", std::string("exactly8")));
    EXPECT_EQ(rs.GetEditMode(), adEditInProgress);
    EXPECT_TRUE(rs.Update());
    EXPECT_EQ(SqliteQueryText(path, "select name from cats"), "exactly8");
}

TEST_F(AdoRecordSetTest, CharWidthCountsCharactersNotBytes) {
    AddCat("表情表情表情表情", 1);  // eight characters, 24 bytes
    EXPECT_EQ(SqliteQueryText(path, "select name from cats"), "表情表情表情表情");
}

TEST_F(AdoRecordSetTest, CancelUpdateDropsTheNewRowAndReturnsToTheRowBefore) {
    AddCat("tom", 1);
    ASSERT_TRUE(rs.Open("cats", adCmdTable));
    EXPECT_TRUE(rs.CancelUpdate());  // nothing pending
    ASSERT_TRUE(rs.AddNew());
    rs.PutCollect("name", std::string("ghost"));
    EXPECT_TRUE(rs.CancelUpdate());
    std::string name;
    EXPECT_TRUE(rs.GetCollect("name", name));
    EXPECT_EQ(name, "tom");
    EXPECT_EQ(rs.GetRecordCount(), 1);
}

TEST_F(AdoRecordSetTest, ReadOnlyResultsRefuseEdits) {
    AddCat("tom", 1);
    ASSERT_TRUE(rs.Open("select count(*) from cats", adCmdText));
    int32_t count = 0;
    EXPECT_TRUE(rs.GetCollect(0, count));
    EXPECT_EQ(count, 1);
    EXPECT_FALSE(rs.AddNew());
    EXPECT_FALSE(rs.PutCollect("name", std::string("x")));
    ASSERT_TRUE(rs.Open("cats", adCmdTable));
    EXPECT_FALSE(rs.PutCollect("id", 5));  // identity
    EXPECT_FALSE(rs.PutCollect("nosuch", 5));
}

TEST_F(AdoRecordSetTest, TextReadOnClosedRecordsetShowsTheDisconnectNotice) {
    std::string text = "kept";
    EXPECT_FALSE(rs.GetCollect("name", text));
    EXPECT_EQ(text, "kept");
    ASSERT_EQ(sink.texts.size(), 1u);
    EXPECT_EQ(sink.texts[0], "数据库可能已经断开,\r\n请重新连接、然后重试.");
    EXPECT_EQ(sink.captions[0], "提示");
    ASSERT_TRUE(rs.Open("cats", adCmdTable));  // empty: at EOF
    EXPECT_FALSE(rs.GetCollect("name", text));
    EXPECT_EQ(sink.texts.size(), 1u);  // silent at EOF
    int32_t n = 3;
    rs.Close();
    EXPECT_FALSE(rs.GetCollect("n", n));  // the long form never shows anything
    EXPECT_EQ(n, 0);
    EXPECT_EQ(sink.texts.size(), 1u);
}

TEST_F(AdoRecordSetTest, FieldAttributesComeFromDeclaredTypes) {
    ASSERT_TRUE(rs.Open("cats", adCmdTable));
    EXPECT_NE(rs.GetFieldAttributes("pic") & adFldLong, 0);
    EXPECT_EQ(rs.GetFieldAttributes("name") & adFldLong, 0);
    EXPECT_NE(rs.GetFieldAttributes("name") & adFldUpdatable, 0);
    EXPECT_EQ(rs.GetFieldAttributes("nosuch"), -1);
    EXPECT_EQ(rs.GetFieldActualSize("name"), -1);  // no current record
    ASSERT_NE(rs.GetFields(), nullptr);
    EXPECT_EQ(rs.GetFields()->Count(), 5);
    EXPECT_EQ(rs.GetField("nosuch"), nullptr);
}

TEST_F(AdoRecordSetTest, ActualSizeIsTheCurrentValuesByteCount) {
    AddCat("tom", 1);
    auto pic = PatternBytes(300, 1);
    ASSERT_TRUE(rs.PutCollectBytes("pic", pic.data(), pic.size()));
    ASSERT_TRUE(rs.Update());
    ASSERT_TRUE(rs.Open("cats", adCmdTable));
    EXPECT_EQ(rs.GetFieldActualSize("pic"), 300);
    EXPECT_EQ(rs.GetFieldActualSize("name"), 3);
    EXPECT_EQ(rs.GetFieldActualSize("ok"), 0);  // NULL
}

TEST(AdoRecordSetNoEngine, EveryOperationFails) {
    CAdoRecordSet rs(nullptr, nullptr);
    CAdoConnection conn;
    rs.SetConnection(&conn);
    EXPECT_FALSE(rs.UseClientCursor());
    EXPECT_FALSE(rs.Open("x", adCmdTable));
    EXPECT_EQ(rs.GetState(), -1);
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_EQ(rs.GetEditMode(), adEditNone);
    EXPECT_FALSE(rs.AddNew());
    EXPECT_FALSE(rs.Update());
    EXPECT_FALSE(rs.CancelUpdate());
    EXPECT_FALSE(rs.MoveFirst());
    EXPECT_FALSE(rs.MoveNext());
    EXPECT_FALSE(rs.MovePrevious());
    EXPECT_FALSE(rs.Move(1));
    EXPECT_FALSE(rs.IsEOF());
    EXPECT_EQ(rs.GetRecordCount(), -1);
    EXPECT_EQ(rs.GetAbsolutePosition(), -1);
    EXPECT_FALSE(rs.SetAbsolutePosition(1));
    EXPECT_EQ(rs.GetFields(), nullptr);
    EXPECT_EQ(rs.GetFieldAttributes("a"), -1);
    EXPECT_EQ(rs.GetFieldActualSize("a"), -1);
    int32_t n = 5;
    EXPECT_FALSE(rs.GetCollect("a", n));
    EXPECT_EQ(n, 0);
    EXPECT_FALSE(rs.PutCollect("a", 1));
    char buf[4];
    EXPECT_FALSE(rs.PutCollectBytes("a", buf, 4));
    EXPECT_FALSE(rs.AppendChunk("a", buf, 4));
    EXPECT_FALSE(rs.GetChunk("a", buf, 4));
    rs.Close();
}
