// The store inside a Windows program: a database below a folder with a Chinese name,
// reached by a backslash path, round-trips a face.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "FaceDatabase.h"
#include "FaceLibrary.h"
#include "MessageBoxSink_win.h"

namespace {

std::string Utf8(const std::wstring& wide) {
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), &out[0], n,
                        nullptr, nullptr);
    return out;
}

}  // namespace

TEST(FaceStoreWin, DatabaseBelowUnicodeFolderRoundTripsAFace) {
    wchar_t temp[MAX_PATH];
    ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
    std::wstring folder = std::wstring(temp) + L"表情库测试";
    CreateDirectoryW(folder.c_str(), nullptr);
    std::wstring file = folder + L"\\mienko.db";
    DeleteFileW(file.c_str());
    std::string path = Utf8(file);
    ASSERT_TRUE(FaceDatabase::CreateEmpty(path));
    {
        CAdoConnection conn;
        ASSERT_TRUE(FaceDatabase::Open(conn, path));
        MessageBoxSink sink;  // constructed only: a test shows no boxes
        CAdoRecordSet rs(&sink);
        rs.SetConnection(&conn);
        ASSERT_TRUE(rs.UseClientCursor());
        FaceLibrary library(conn, rs, nullptr);
        int cat = library.EnsureDefaultCategory();
        ASSERT_GT(cat, 0);
        int maxOrder = 0;
        std::vector<uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a', 0, 1, 2};
        ASSERT_EQ(library.AddFace(cat, maxOrder, "C:\\faces\\笑.gif", "笑", gif), AddFaceResult::Added);
        std::vector<FaceRow> rows;
        ASSERT_TRUE(library.ReadPage(cat, 40, 0, true, rows));
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].image, gif);
        EXPECT_EQ(rows[0].name, "笑");
        std::vector<IndexRow> hits;
        ASSERT_TRUE(library.SearchFaces("笑", hits));
        EXPECT_EQ(hits.size(), 1u);
    }
    DeleteFileW(file.c_str());
    RemoveDirectoryW(folder.c_str());
}
