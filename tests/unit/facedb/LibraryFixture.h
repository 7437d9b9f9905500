// A fresh shipped-style face database with the library over it.
#pragma once
#include <gtest/gtest.h>

#include "FaceDatabase.h"
#include "FaceLibrary.h"
#include "Md5.h"
#include "TestDb.h"

class LibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.File("mienko.db");
        ASSERT_TRUE(FaceDatabase::CreateEmpty(path));
        ASSERT_TRUE(FaceDatabase::Open(conn, path));
        rs.SetConnection(&conn);
        ASSERT_TRUE(rs.UseClientCursor());
    }
    std::string Query(const std::string& sql) { return SqliteQueryText(path, sql); }
    static std::string Digest(const std::vector<uint8_t>& bytes) {
        return FaceDigestText(bytes.data(), bytes.size());
    }
    // Adds with the category's stored maxorder, writing it back as the editor does.
    AddFaceResult Add(int category, const std::vector<uint8_t>& image, const std::string& name,
                      const std::string& file = "C:\\faces\\a.gif") {
        CategoryRow row;
        EXPECT_TRUE(library.ReadCategory(category, row));
        int maxOrder = row.maxOrder;
        AddFaceResult result = library.AddFace(category, maxOrder, file, name, image);
        EXPECT_TRUE(library.StoreMaxOrder(category, maxOrder));
        return result;
    }

    ScratchDir dir;
    std::string path;
    CAdoConnection conn;
    CAdoRecordSet rs;
    FakeRenderer renderer;
    FaceLibrary library{conn, rs, &renderer};
};
