// The picker's reads ahead: the next page's thumbnails without the face files, in the
// order and with the bytes the page itself shows.
#include <gtest/gtest.h>

#include "AdoConnection.h"
#include "AdoRecordSet.h"
#include "FaceDatabase.h"
#include "FaceLibrary.h"
#include "Md5.h"
#include "PickerLibrary.h"
#include "TestDb.h"

namespace {

std::vector<uint8_t> Bytes(int i, size_t size) {
    std::vector<uint8_t> b(size, static_cast<uint8_t>(i));
    b[0] = static_cast<uint8_t>(i >> 8);
    return b;
}

// One category of `count` faces with distinct thumbnails; its id.
int MakeLibrary(const std::string& path, int count) {
    if (!FaceDatabase::CreateEmpty(path)) return -1;
    CAdoConnection c;
    if (!FaceDatabase::Open(c, path)) return -1;
    CAdoRecordSet rs;
    rs.SetConnection(&c);
    FaceLibrary library(c, rs, nullptr);
    if (!library.EnsureTables()) return -1;
    const int id = library.CreateCategory("分类", 0);
    std::vector<FaceRecord> records;
    for (int i = 0; i < count; ++i) {
        FaceRecord r;
        r.image = Bytes(i, 700);
        r.digest = FaceDigestText(r.image.data(), r.image.size());
        r.fileName = "f" + std::to_string(i) + ".gif";
        r.faceName = "face " + std::to_string(i);
        r.thumbnail = Bytes(1000 + i, 90);
        records.push_back(r);
    }
    if (library.CopyFaces(records, id) != count) return -1;
    c.Close();
    return id;
}

}  // namespace

TEST(PickerLibrary, ThumbnailReadsGiveThePagesThumbnailsWithoutTheFaceFiles) {
    ScratchDir dir;
    const std::string path = dir.File("mienko.db");
    const int id = MakeLibrary(path, 45);
    ASSERT_GE(id, 0);
    PickerLibrary library;
    ASSERT_TRUE(library.Open(path));
    for (int page : {0, 1}) {
        std::vector<FaceRow> full, thumbs;
        ASSERT_TRUE(library.ReadPage(id, 40, page, full));
        ASSERT_TRUE(library.ReadPageThumbnails(id, 40, page, thumbs));
        ASSERT_EQ(page == 0 ? 40u : 5u, thumbs.size());
        ASSERT_EQ(full.size(), thumbs.size());
        for (size_t i = 0; i < thumbs.size(); ++i) {
            EXPECT_EQ(full[i].digest, thumbs[i].digest);
            EXPECT_EQ(full[i].thumbnail, thumbs[i].thumbnail);
            EXPECT_EQ(90u, thumbs[i].thumbnail.size());
            EXPECT_TRUE(thumbs[i].image.empty());
            EXPECT_EQ(700u, full[i].image.size());
        }
    }
    std::vector<FaceRow> past;
    EXPECT_TRUE(library.ReadPageThumbnails(id, 40, 2, past));
    EXPECT_TRUE(past.empty());

    std::vector<FaceRow> page, full, thumbs;
    ASSERT_TRUE(library.ReadPage(id, 40, 1, page));
    const std::vector<std::string> digests{page[3].digest, page[0].digest};
    ASSERT_TRUE(library.Fetch(id, digests, full));
    ASSERT_TRUE(library.FetchThumbnails(id, digests, thumbs));
    ASSERT_EQ(2u, thumbs.size());
    ASSERT_EQ(full.size(), thumbs.size());
    for (size_t i = 0; i < thumbs.size(); ++i) {
        EXPECT_EQ(full[i].digest, thumbs[i].digest);
        EXPECT_EQ(full[i].thumbnail, thumbs[i].thumbnail);
        EXPECT_TRUE(thumbs[i].image.empty());
    }
    library.Close();
    PickerLibrary closed;
    EXPECT_FALSE(closed.ReadPageThumbnails(id, 40, 0, thumbs));
    EXPECT_FALSE(closed.FetchThumbnails(id, digests, thumbs));
}
