// Several processes on one face database at once, as the picker, the editor and the
// updater use it: no error surfaces that waiting would have hidden, nothing is lost,
// and a killed writer leaves a sound file behind.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "AdoConnection.h"
#include "AdoRecordSet.h"
#include "FaceDatabase.h"
#include "FaceLibrary.h"
#include "TestDb.h"

namespace {

struct Pipe {
    Pipe() { EXPECT_EQ(pipe(fd), 0); }
    ~Pipe() { close(fd[0]); close(fd[1]); }
    void Send(int value) { EXPECT_EQ(write(fd[1], &value, sizeof value), ssize_t(sizeof value)); }
    bool Receive(int& value) { return read(fd[0], &value, sizeof value) == ssize_t(sizeof value); }
    int fd[2];
};

// Runs `body` in a child process; its return value becomes the exit status.
template <class F>
pid_t Spawn(F body) {
    pid_t pid = fork();
    if (pid == 0) {
        int status = body();
        _exit(status);
    }
    return pid;
}

int ExitStatus(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
}

bool InsertRow(CAdoConnection& conn, const std::string& table, int id) {
    return conn.Execute("insert into " + table + "(id, who) values(" + std::to_string(id) +
                        ", \"x\")") != nullptr;
}

class SharingTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.File("mienko.db");
        ASSERT_TRUE(FaceDatabase::CreateEmpty(path));
        CAdoConnection conn;
        ASSERT_TRUE(FaceDatabase::Open(conn, path));
        ASSERT_TRUE(conn.Execute("CREATE TABLE log(id int, who char(8))"));
    }
    ScratchDir dir;
    std::string path;
};

}  // namespace

TEST_F(SharingTest, LongWriterDelaysAnotherWriterWithoutErrorAndReadersGoOn) {
    Pipe started, release;
    pid_t editor = Spawn([&] {
        CAdoConnection conn;
        if (!FaceDatabase::Open(conn, path) || conn.BeginTrans() != 1) return 1;
        for (int i = 0; i < 100; ++i)
            if (!InsertRow(conn, "log", i)) return 2;
        started.Send(1);
        int go = 0;
        if (!release.Receive(go)) return 3;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        for (int i = 100; i < 200; ++i)
            if (!InsertRow(conn, "log", i)) return 4;
        return conn.CommitTrans() ? 0 : 5;
    });
    int ready = 0;
    ASSERT_TRUE(started.Receive(ready));

    // A reader while the writer holds its transaction: sees the committed state only.
    CAdoConnection reader;
    ASSERT_TRUE(FaceDatabase::Open(reader, path));
    CAdoRecordSet rs;
    rs.SetConnection(&reader);
    rs.UseClientCursor();
    ASSERT_TRUE(rs.Open("select count(*) from log", adCmdText));
    int32_t count = -1;
    ASSERT_TRUE(rs.GetCollect(0, count));
    EXPECT_EQ(count, 0);

    // A second writer in another process waits for the first and then succeeds.
    pid_t updater = Spawn([&] {
        CAdoConnection conn;
        if (!FaceDatabase::Open(conn, path)) return 1;
        for (int i = 1000; i < 1010; ++i)
            if (!InsertRow(conn, "log", i)) return 2;
        return 0;
    });
    release.Send(1);
    EXPECT_EQ(ExitStatus(updater), 0);
    EXPECT_EQ(ExitStatus(editor), 0);

    ASSERT_TRUE(rs.Open("select count(*) from log", adCmdText));
    ASSERT_TRUE(rs.GetCollect(0, count));
    EXPECT_EQ(count, 210);
}

TEST_F(SharingTest, NeverCommittedReadingTransactionBlocksNobodyAndSeesCommits) {
    CAdoConnection picker;
    ASSERT_TRUE(FaceDatabase::Open(picker, path));
    CAdoRecordSet rs;
    rs.SetConnection(&picker);
    rs.UseClientCursor();
    FaceLibrary library(picker, rs, nullptr);
    ASSERT_TRUE(library.EnsureTables());
    ASSERT_EQ(picker.BeginTrans(), 1);  // begun at start, never committed
    std::vector<CategoryRow> rows;
    ASSERT_TRUE(library.ListCategories(rows));
    EXPECT_TRUE(rows.empty());

    pid_t editor = Spawn([&] {
        CAdoConnection conn;
        if (!FaceDatabase::Open(conn, path)) return 1;
        CAdoRecordSet r;
        r.SetConnection(&conn);
        r.UseClientCursor();
        FaceLibrary lib(conn, r, nullptr);
        if (conn.BeginTrans() != 1) return 2;
        int cat = lib.CreateCategory("from editor", 0);
        int maxOrder = 0;
        if (cat <= 0 || lib.AddFace(cat, maxOrder, "f", "n", Bytes("GIF")) != AddFaceResult::Added)
            return 3;
        return conn.CommitTrans() ? 0 : 4;
    });
    EXPECT_EQ(ExitStatus(editor), 0);

    // The picker reloads on the editor's notice and finds the new category.
    ASSERT_TRUE(library.ListCategories(rows));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].name, "from editor");
    EXPECT_EQ(library.CountFaces(rows[0].id), 1);
}

TEST_F(SharingTest, WriterKilledMidTransactionLeavesCommittedRowsIntact) {
    Pipe progress;
    pid_t writer = Spawn([&] {
        CAdoConnection conn;
        if (!FaceDatabase::Open(conn, path)) return 1;
        conn.Execute("CREATE TABLE blobs(id int, img image)");
        CAdoRecordSet r;
        r.SetConnection(&conn);
        for (int batch = 0;; ++batch) {
            conn.BeginTrans();
            for (int k = 0; k < 20; ++k) {
                int id = batch * 20 + k;
                auto bytes = PatternBytes(3000 + static_cast<size_t>(id % 7) * 1000, static_cast<unsigned>(id));
                if (!r.Open("select top 1 * from blobs", adCmdText) || !r.AddNew() ||
                    !r.PutCollect("id", id) || !r.PutCollectBytes("img", bytes.data(), bytes.size()) ||
                    !r.Update())
                    return 2;
            }
            if (!conn.CommitTrans()) return 3;
            progress.Send(batch + 1);  // batches committed so far
        }
    });
    int committed = 0;
    for (int b = 0; b < 15; ++b) ASSERT_TRUE(progress.Receive(committed));
    kill(writer, SIGKILL);
    EXPECT_GE(ExitStatus(writer), 100);
    while (true) {  // drain what was reported before the kill
        int v;
        fd_set set;
        FD_ZERO(&set);
        FD_SET(progress.fd[0], &set);
        timeval none{0, 0};
        if (select(progress.fd[0] + 1, &set, nullptr, nullptr, &none) <= 0 || !progress.Receive(v)) break;
        committed = v;
    }

    EXPECT_EQ(SqliteQueryText(path, "pragma integrity_check"), "ok");
    CAdoConnection conn;
    ASSERT_TRUE(FaceDatabase::Open(conn, path));
    CAdoRecordSet rs;
    rs.SetConnection(&conn);
    rs.UseClientCursor();
    ASSERT_TRUE(rs.Open("select * from blobs order by id", adCmdText));
    int32_t rows = rs.GetRecordCount();
    EXPECT_GE(rows, committed * 20);
    EXPECT_EQ(rows % 20, 0);  // whole transactions only
    int expected = 0;
    for (; !rs.IsEOF(); rs.MoveNext(), ++expected) {
        int32_t id = -1;
        ASSERT_TRUE(rs.GetCollect("id", id));
        ASSERT_EQ(id, expected);
        auto want = PatternBytes(3000 + static_cast<size_t>(id % 7) * 1000, static_cast<unsigned>(id));
        std::vector<uint8_t> got(static_cast<size_t>(rs.GetFieldActualSize("img")));
        ASSERT_TRUE(rs.GetChunk("img", got.data(), got.size()));
        ASSERT_EQ(got, want) << id;
    }
}
