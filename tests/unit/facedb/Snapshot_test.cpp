// A recordset's long values come from the view its rows came from, while the editor
// keeps writing through another connection, as the picker and the editor share the file.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

#include "AdoConnection.h"
#include "AdoRecordSet.h"
#include "FaceDatabase.h"
#include "FaceLibrary.h"
#include "Md5.h"
#include "TestDb.h"

namespace {

struct Program {
    explicit Program(const std::string& path) {
        EXPECT_TRUE(FaceDatabase::Open(conn, path));
        rs.SetConnection(&conn);
        EXPECT_TRUE(rs.UseClientCursor());
    }
    CAdoConnection conn;
    CAdoRecordSet rs;
    FaceLibrary library{conn, rs, nullptr};
};

std::string DigestOf(const std::vector<uint8_t>& bytes) {
    return FaceDigestText(bytes.data(), bytes.size());
}

// The picture of the row under the cursor as the picker reads it; "(failed)" when the
// chunked read fails.
std::string Picture(CAdoRecordSet& rs) {
    int32_t size = rs.GetFieldActualSize("img");
    if (size < 0) return "(failed)";
    std::string bytes(static_cast<size_t>(size), '\0');
    if (size > 0 && !rs.GetChunk("img", bytes.data(), bytes.size())) return "(failed)";
    return bytes;
}

class SnapshotTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.File("mienko.db");
        ASSERT_TRUE(FaceDatabase::CreateEmpty(path));
        editor = std::make_unique<Program>(path);
        picker = std::make_unique<Program>(path);
        category = editor->library.CreateCategory("c", 0);
        for (const char* p : {"picture one", "picture two", "picture three"}) Add(p);
    }
    void Add(const std::string& picture) {
        EXPECT_EQ(editor->library.AddFace(category, maxOrder, "f.gif", picture, Bytes(picture)),
                  AddFaceResult::Added);
    }
    // Deletes the last face and adds another: SQLite gives the new row the freed row id.
    void EditorReplacesTheLastFace() {
        ASSERT_TRUE(editor->library.RemoveFaces(category, {DigestOf(Bytes("picture three"))}));
        ASSERT_TRUE(editor->library.RemoveFaces(category, {DigestOf(Bytes("picture two"))}));
        Add("picture four, somewhat longer");
    }
    int64_t LogFramesNotCheckpointed() {
        sqlite3* db = nullptr;
        int log = -1, done = -1;
        EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
        // The connection learns the file is in WAL mode on its first read.
        EXPECT_EQ(sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr),
                  SQLITE_OK);
        EXPECT_EQ(sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_PASSIVE, &log, &done),
                  SQLITE_OK);
        sqlite3_close(db);
        return log - done;
    }

    ScratchDir dir;
    std::string path;
    std::unique_ptr<Program> editor, picker;
    int category = 0;
    int maxOrder = 0;
};

}  // namespace

TEST_F(SnapshotTest, PageShowsItsOwnPicturesWhateverTheEditorDoesMeanwhile) {
    ASSERT_TRUE(picker->library.OpenPage(category, 40, 0));
    EditorReplacesTheLastFace();
    CAdoRecordSet& rs = picker->rs;
    std::vector<std::string> pictures;
    for (; !rs.IsEOF(); rs.MoveNext()) pictures.push_back(Picture(rs));
    EXPECT_EQ(pictures, (std::vector<std::string>{"picture one", "picture two", "picture three"}));
    // A new query sees the editor's work.
    std::vector<FaceRow> rows;
    ASSERT_TRUE(picker->library.ReadPage(category, 40, 0, true, rows));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].image, Bytes("picture four, somewhat longer"));
}

TEST_F(SnapshotTest, AfterTheEndAGoneRowReadsEmptyNotAsAnotherFace) {
    CAdoRecordSet& rs = picker->rs;
    ASSERT_TRUE(picker->library.OpenPage(category, 40, 0));
    while (!rs.IsEOF()) rs.MoveNext();  // the snapshot is let go here
    EditorReplacesTheLastFace();
    ASSERT_TRUE(rs.MoveFirst());
    EXPECT_EQ(Picture(rs), "picture one");
    ASSERT_TRUE(rs.MoveNext());
    EXPECT_EQ(Picture(rs), "") << "deleted, its row id now another face's";
    ASSERT_TRUE(rs.MoveNext());
    EXPECT_EQ(Picture(rs), "") << "deleted";
}

TEST_F(SnapshotTest, WritersAreNotHeldUpByAReaderMidPage) {
    ASSERT_TRUE(picker->library.OpenPage(category, 40, 0));
    Add("picture five");  // the editor writes while the picker holds its view
    EXPECT_EQ(editor->library.CountFaces(category), 4);
    // The picker's own write starts from the newest state, not from its older view.
    ASSERT_TRUE(picker->library.OpenPage(category, 40, 0));
    Add("picture six");
    EXPECT_TRUE(picker->library.RenameFace(category, DigestOf(Bytes("picture one")), "renamed"));
    IndexRow row;
    ASSERT_TRUE(editor->library.FindIndexRow(DigestOf(Bytes("picture one")), row));
    EXPECT_EQ(row.name, "renamed");
}

TEST_F(SnapshotTest, ReaderHoldsBackTheLogOnlyUntilItsCursorReachesTheEnd) {
    CAdoRecordSet& rs = picker->rs;
    ASSERT_TRUE(picker->library.OpenPage(category, 40, 0));
    Add("picture five");
    EXPECT_GT(LogFramesNotCheckpointed(), 0) << "frames the reader's view still needs";
    while (!rs.IsEOF()) rs.MoveNext();
    EXPECT_EQ(LogFramesNotCheckpointed(), 0);
    // Closing lets go as well.
    ASSERT_TRUE(picker->library.OpenPage(category, 40, 0));
    Add("picture six");
    rs.Close();
    EXPECT_EQ(LogFramesNotCheckpointed(), 0);
}

TEST_F(SnapshotTest, PresenceChecksHoldNoViewAfterwards) {
    EXPECT_TRUE(picker->library.IsFaceInCategory(category, DigestOf(Bytes("picture one"))));
    EXPECT_FALSE(picker->library.IsPackInstalled(5));
    EXPECT_TRUE(picker->library.IsPackInstalled(0));
    Add("picture five");
    EXPECT_EQ(LogFramesNotCheckpointed(), 0);
}
