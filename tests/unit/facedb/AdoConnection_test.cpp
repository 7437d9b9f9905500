#include <gtest/gtest.h>

#include <fstream>

#include "AdoConnection.h"
#include "AdoRecordSet.h"
#include "ConnectionString.h"
#include "DbPassword.h"
#include "FaceDatabase.h"
#include "TestDb.h"

namespace {

class AdoConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.File("mienko.db");
        ASSERT_TRUE(DbCreateFile(path, "s3cret"));
    }
    ScratchDir dir;
    std::string path;
};

}  // namespace

TEST(ConnectionStringParse, ReadsKeysWithoutRegardToCaseAndBlanks) {
    ConnectionString cs;
    ASSERT_TRUE(cs.Parse("Provider=Microsoft.Jet.OLEDB.4.0; Data Source=C:\\a b\\m.db;"
                         "Jet OLEDB:Database Password=p=w;"));
    EXPECT_EQ(cs.Get("provider"), "Microsoft.Jet.OLEDB.4.0");
    EXPECT_EQ(cs.Get("DATA SOURCE"), "C:\\a b\\m.db");
    EXPECT_EQ(cs.Get("Jet OLEDB:Database Password"), "p=w");
    EXPECT_FALSE(cs.Has("User ID"));
}

TEST(ConnectionStringParse, QuotedValuesMayHoldSemicolons) {
    ConnectionString cs;
    ASSERT_TRUE(cs.Parse("Data Source=\"x;y.db\"; Password='it''s'"));
    EXPECT_EQ(cs.Get("Data Source"), "x;y.db");
    EXPECT_EQ(cs.Get("Password"), "it's");
    EXPECT_FALSE(cs.Parse("Data Source=\"open"));
    EXPECT_FALSE(cs.Parse("no equals sign"));
}

// Sized so that a parser quadratic in runs of empty parts does not finish within the
// test's time limit; a linear one takes milliseconds.
TEST(ConnectionStringParse, LongRunsOfEmptyPartsAreReadInOnePass) {
    const size_t kRun = 8u << 20;
    ConnectionString cs;
    std::string text(kRun, ';');
    ASSERT_TRUE(cs.Parse(text));
    EXPECT_FALSE(cs.Has("a"));
    ASSERT_TRUE(cs.Parse(text + "Data Source=x.db" + text));
    EXPECT_EQ(cs.Get("data source"), "x.db");
    EXPECT_FALSE(cs.Parse(text + " stray " + text)) << "a part without \"=\"";
    std::string blanks(kRun, ' ');
    EXPECT_FALSE(cs.Parse(blanks + "a" + blanks));
    ASSERT_TRUE(cs.Parse("k=" + blanks + "v" + blanks + ";"));
    EXPECT_EQ(cs.Get("k"), "v");
}

TEST_F(AdoConnectionTest, JetConnectionStringEndsAfterPathWithoutPassword) {
    CAdoConnection conn;
    conn.OpenJetDatabase(dir.File("missing.db"), "", adConnectUnspecified);
    EXPECT_EQ(conn.GetConnectionString(),
              "Provider=Microsoft.Jet.OLEDB.4.0; Data Source=" + dir.File("missing.db"));
    conn.OpenJetDatabase(path, "pw", adConnectUnspecified);
    EXPECT_EQ(conn.GetConnectionString(), "Provider=Microsoft.Jet.OLEDB.4.0; Data Source=" + path +
                                              ";Jet OLEDB:Database Password=pw;");
}

TEST_F(AdoConnectionTest, RightPasswordOpens) {
    CAdoConnection conn;
    EXPECT_TRUE(conn.OpenJetDatabase(path, "s3cret"));
    EXPECT_TRUE(conn.IsOpen());
    conn.Close();
    EXPECT_FALSE(conn.IsOpen());
}

TEST_F(AdoConnectionTest, WrongOrMissingPasswordFails) {
    CAdoConnection conn;
    EXPECT_FALSE(conn.OpenJetDatabase(path, "S3CRET"));
    EXPECT_FALSE(conn.IsOpen());
    EXPECT_FALSE(conn.OpenJetDatabase(path, ""));
    EXPECT_FALSE(conn.IsOpen());
}

TEST_F(AdoConnectionTest, MissingFileFailsAndIsNotCreated) {
    CAdoConnection conn;
    EXPECT_FALSE(conn.OpenJetDatabase(dir.File("nothere.db"), "s3cret"));
    EXPECT_FALSE(conn.IsOpen());
    EXPECT_TRUE(ReadFile(dir.File("nothere.db")).empty());
    EXPECT_FALSE(std::ifstream(dir.File("nothere.db")).good());
}

TEST_F(AdoConnectionTest, FileThatIsNotADatabaseFails) {
    std::string junk = dir.File("junk.db");
    WriteFile(junk, Bytes(std::string(5000, 'x')));
    CAdoConnection conn;
    EXPECT_FALSE(conn.OpenJetDatabase(junk, "s3cret"));
    EXPECT_FALSE(conn.IsOpen());
    WriteFile(junk, {});
    EXPECT_FALSE(conn.OpenJetDatabase(junk, "s3cret"));  // empty file: no verifier, no tables
}

TEST_F(AdoConnectionTest, TruncatedFileFailsWithoutCrashing) {
    {
        CAdoConnection conn;
        ASSERT_TRUE(conn.OpenJetDatabase(path, "s3cret"));
        conn.Execute("CREATE TABLE t(id char(32), img image)");
        CAdoRecordSet rs;
        rs.SetConnection(&conn);
        ASSERT_TRUE(rs.Open("t", adCmdTable));
        for (int i = 0; i < 50; ++i) {
            ASSERT_TRUE(rs.AddNew());
            rs.PutCollect("id", std::to_string(i));
            auto bytes = PatternBytes(20000, static_cast<unsigned>(i));
            rs.PutCollectBytes("img", bytes.data(), bytes.size());
            ASSERT_TRUE(rs.Update());
        }
    }
    std::vector<uint8_t> whole = ReadFile(path);
    ASSERT_GT(whole.size(), 100000u);
    for (size_t keep : {size_t(50), size_t(8192 + 100), whole.size() / 2}) {
        std::string cut = dir.File("cut" + std::to_string(keep) + ".db");
        WriteFile(cut, std::vector<uint8_t>(whole.begin(), whole.begin() + static_cast<long>(keep)));
        CAdoConnection conn;
        if (!conn.OpenJetDatabase(cut, "s3cret")) continue;  // refused at open: fine
        CAdoRecordSet rs;
        rs.SetConnection(&conn);
        if (rs.Open("t", adCmdTable)) {
            // Whatever survived reads without crashing; damaged pages fail the read.
            for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
                std::vector<uint8_t> buf(20000);
                rs.GetChunk("img", buf.data(), buf.size());
            }
        }
    }
}

TEST_F(AdoConnectionTest, EmptyStringReusesStoredConnectionString) {
    CAdoConnection conn;
    EXPECT_FALSE(conn.Open(""));  // nothing stored yet
    EXPECT_TRUE(conn.GetConnectionString().empty());
    ASSERT_TRUE(conn.OpenJetDatabase(path, "s3cret"));
    conn.Close();
    EXPECT_TRUE(conn.Open(""));
    EXPECT_TRUE(conn.IsOpen());
    EXPECT_TRUE(conn.Open(""));  // re-open of an open connection closes it first
}

TEST_F(AdoConnectionTest, ConnectionWithoutEngineFailsEverything) {
    CAdoConnection conn(nullptr);
    EXPECT_FALSE(conn.OpenJetDatabase(path, "s3cret"));
    EXPECT_FALSE(conn.IsOpen());
    EXPECT_EQ(conn.Execute("select * from t"), nullptr);
    EXPECT_EQ(conn.BeginTrans(), -1);
    EXPECT_FALSE(conn.CommitTrans());
    EXPECT_FALSE(conn.RollbackTrans());
    conn.Close();
}

TEST_F(AdoConnectionTest, ExecuteReturnsClosedResultForCommandsAndEmptyOnFailure) {
    CAdoConnection conn;
    ASSERT_TRUE(conn.OpenJetDatabase(path, "s3cret"));
    auto created = conn.Execute("CREATE TABLE 5(id char(32) Primary Key, orderid int)");
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->State(), 0);
    EXPECT_EQ(conn.Execute("CREATE TABLE 5(id char(32))"), nullptr);  // exists already
    EXPECT_EQ(conn.Execute("delete from nosuchtable"), nullptr);
    EXPECT_EQ(conn.Execute("select * from t where x = \"open"), nullptr);
    auto rows = conn.Execute("select count(*) from 5");
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(rows->State(), 1);
}

TEST_F(AdoConnectionTest, TransactionLevelsNestAndRollBack) {
    CAdoConnection conn;
    ASSERT_TRUE(conn.OpenJetDatabase(path, "s3cret"));
    ASSERT_TRUE(conn.Execute("CREATE TABLE t(id int)"));
    EXPECT_FALSE(conn.CommitTrans());  // none begun
    EXPECT_FALSE(conn.RollbackTrans());
    EXPECT_EQ(conn.BeginTrans(), 1);
    ASSERT_TRUE(conn.Execute("insert into t(id) values(1)"));
    EXPECT_EQ(conn.BeginTrans(), 2);
    ASSERT_TRUE(conn.Execute("insert into t(id) values(2)"));
    EXPECT_TRUE(conn.RollbackTrans());  // drops 2 only
    EXPECT_EQ(conn.BeginTrans(), 2);
    ASSERT_TRUE(conn.Execute("insert into t(id) values(3)"));
    EXPECT_TRUE(conn.CommitTrans());
    EXPECT_TRUE(conn.CommitTrans());
    EXPECT_EQ(SqliteQueryText(path, "select group_concat(id) from (select id from t order by id)"),
              "1,3");
    EXPECT_EQ(conn.BeginTrans(), 1);
    ASSERT_TRUE(conn.Execute("insert into t(id) values(4)"));
    EXPECT_TRUE(conn.RollbackTrans());
    EXPECT_EQ(SqliteQueryText(path, "select count(*) from t"), "2");
}

TEST_F(AdoConnectionTest, ClosingWithOpenTransactionDropsItsChanges) {
    CAdoConnection conn;
    ASSERT_TRUE(conn.OpenJetDatabase(path, "s3cret"));
    ASSERT_TRUE(conn.Execute("CREATE TABLE t(id int)"));
    conn.BeginTrans();
    ASSERT_TRUE(conn.Execute("insert into t(id) values(1)"));
    conn.Close();
    EXPECT_EQ(SqliteQueryText(path, "select count(*) from t"), "0");
}

TEST(DbPassword, VerifierIsSaltedAndNeverThePlainText) {
    std::string a = DbPasswordVerifier("00ff", "pw");
    EXPECT_EQ(a.find("pw"), std::string::npos);
    EXPECT_EQ(a.compare(0, 9, "md5x1000$"), 0);
    EXPECT_NE(a, DbPasswordVerifier("00fe", "pw"));
    EXPECT_EQ(a, DbPasswordVerifier("00ff", "pw"));
}

TEST(FaceDatabaseFile, ShippedDatabaseOpensWithTheProgramsPasswordOnly) {
    ScratchDir dir;
    std::string path = dir.File("mienko.db");
    ASSERT_TRUE(FaceDatabase::CreateEmpty(path));
    EXPECT_FALSE(FaceDatabase::CreateEmpty(path));  // never overwrites a library
    CAdoConnection conn;
    EXPECT_FALSE(conn.OpenJetDatabase(path, ""));
    EXPECT_FALSE(conn.OpenJetDatabase(path, "ZK3wQp7LmT2vXa9RbN4?"));  // the stored text itself
    ASSERT_TRUE(FaceDatabase::Open(conn, path));
    CAdoRecordSet rs;
    rs.SetConnection(&conn);
    EXPECT_TRUE(rs.Open("mmImageFileMD5HashTable", adCmdTable));
    EXPECT_TRUE(rs.Open("mmNameIndexTable", adCmdTable));
    EXPECT_EQ(rs.GetRecordCount(), 0);  // server cursor: counted by walking
    rs.Close();
    rs.UseClientCursor();
    ASSERT_TRUE(rs.Open("mmNameIndexTable", adCmdTable));
    EXPECT_EQ(rs.GetRecordCount(), 0);
    EXPECT_EQ(SqliteQueryText(path, "pragma journal_mode"), "wal");
}
