// CGZip: zip by path and at an offset, gzip with a tar or a single file, the bounds on
// untrusted archives, and the error texts.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "GZip.h"
#include "PackHeader.h"
#include "PackWriter.h"

using zlib::CGZip;
using zlib::ZipEntry;

namespace {

class GZipTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("gzip_test_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }

    std::string WriteFile(const std::string& name, const std::string& bytes) {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }
    static std::string ReadFile(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string Gzip(const std::string& name, const std::string& bytes) {
        gzFile gz = gzopen(Path(name).c_str(), "wb");
        gzwrite(gz, bytes.data(), unsigned(bytes.size()));
        gzclose(gz);
        return Path(name);
    }
    static std::string TarBlock(const std::string& name, size_t size) {
        std::string h(512, '\0');
        std::memcpy(&h[0], name.data(), name.size());
        std::snprintf(&h[100], 8, "%07o", 0644);
        std::snprintf(&h[124], 12, "%011zo", size);
        std::memset(&h[148], ' ', 8);
        h[156] = '0';
        unsigned sum = 0;
        for (unsigned char c : h) sum += c;
        std::snprintf(&h[148], 8, "%06o", sum);
        return h;
    }
    static std::string TarEntry(const std::string& name, const std::string& data) {
        std::string e = TarBlock(name, data.size()) + data;
        e.resize((e.size() + 511) / 512 * 512, '\0');
        return e;
    }

    std::filesystem::path m_dir;
};

const std::vector<mkpack::PackFile> kFaces = {
    {"开心/a.gif", "GIF89a-a"}, {"开心/b.jpg", "JFIF-b"}, {"readme.txt", "hello"},
    {"c.gif", "GIF89a-c"}};

}  // namespace

TEST_F(GZipTest, ZipByPathListsEntriesInOrderWithNulAfterBytes) {
    ASSERT_EQ(mkpack::WritePack(Path("p.zip"), {}, kFaces, true), "");
    CGZip zip;
    ASSERT_TRUE(zip.Open(Path("p.zip")));
    EXPECT_EQ(zip.GetKind(), CGZip::Kind::Zip);
    ASSERT_EQ(zip.GetCount(), 4);
    for (int i = 0; i < 4; ++i) {
        ZipEntry e;
        ASSERT_TRUE(zip.GetFile(i, e)) << i;
        EXPECT_EQ(e.name, kFaces[size_t(i)].name);
        EXPECT_EQ(e.data, kFaces[size_t(i)].data);
        EXPECT_EQ(e.data.c_str()[e.data.size()], '\0');
        EXPECT_TRUE(e.utf8Name);
    }
    ZipEntry e;
    EXPECT_FALSE(zip.GetFile(4, e));
    EXPECT_EQ(zip.GetErrorText(), "Invalid file position !");
    EXPECT_FALSE(zip.GetFile(-1, e));
}

TEST_F(GZipTest, ZipBehindPackHeaderOpensAtTheFilePosition) {
    auto header = editor::BuildPackHeader(42, "pack");
    ASSERT_EQ(mkpack::WritePack(Path("p.mpk"), header, kFaces, false), "");
    FILE* f = zlib::OpenForReading(Path("p.mpk"));
    ASSERT_NE(f, nullptr);
    unsigned char buf[editor::kPackHeaderMaxSize];
    size_t n = fread(buf, 1, sizeof buf, f);
    editor::PackHeader h;
    ASSERT_EQ(editor::ParsePackHeader(buf, n, h), editor::PackHeaderStatus::Ok);
    EXPECT_EQ(h.number, 42);
    fseek(f, long(h.archiveOffset), SEEK_SET);
    CGZip zip;
    ASSERT_TRUE(zip.OpenAt(f));
    ASSERT_EQ(zip.GetCount(), 4);
    ZipEntry e;
    ASSERT_TRUE(zip.GetFile(3, e));
    EXPECT_EQ(e.name, "c.gif");
    EXPECT_EQ(e.data, "GIF89a-c");
    EXPECT_FALSE(e.utf8Name);
}

TEST_F(GZipTest, NotAnArchiveAndMissingFile) {
    CGZip zip;
    EXPECT_EQ(zip.GetCount(), -1);
    EXPECT_EQ(zip.GetErrorText(), "Archive not opened");
    ZipEntry e;
    EXPECT_FALSE(zip.GetFile(0, e));
    EXPECT_FALSE(zip.Open(WriteFile("text.zip", "just some text, not an archive")));
    EXPECT_EQ(zip.GetErrorText(), "Could not determine archive type !");
    EXPECT_FALSE(zip.Open(Path("missing.zip")));
    EXPECT_EQ(zip.GetErrorText(), "Could not determine archive type !");
    EXPECT_FALSE(zip.OpenAt(zlib::OpenForReading(WriteFile("t.mpk", "PK not really"))));
    EXPECT_EQ(zip.GetErrorText(), "Could not determine archive type !");
}

TEST_F(GZipTest, GzipSingleFileIsOneEntryNamedUnknown) {
    CGZip zip;
    ASSERT_TRUE(zip.Open(Gzip("single.zip", "GIF89a data that is not a tar header")));
    EXPECT_EQ(zip.GetKind(), CGZip::Kind::Gzip);
    ASSERT_EQ(zip.GetCount(), 1);
    ZipEntry e;
    ASSERT_TRUE(zip.GetFile(0, e));
    EXPECT_EQ(e.name, "unknown");
    EXPECT_EQ(e.data, "GIF89a data that is not a tar header");
}

TEST_F(GZipTest, TruncatedGzipCannotBeRead) {
    std::string whole = ReadFile(Gzip("g.gz", std::string(5000, 'x') + "tail"));
    CGZip zip;
    EXPECT_FALSE(zip.Open(WriteFile("cut.zip", whole.substr(0, whole.size() - 12))));
    EXPECT_EQ(zip.GetErrorText(), "Could not read data from gzip archive !");
}

TEST_F(GZipTest, TarInsideGzipStopsAtTheFirstBadChecksum) {
    std::string tar = TarEntry("开心/a.gif", "AAAA") + TarEntry("b.gif", std::string(513, 'b')) +
                      TarEntry("c.gif", "CC");
    std::string bad = TarEntry("d.gif", "DD");
    bad[0] ^= 1;  // checksum no longer matches
    tar += bad + TarEntry("e.gif", "EE") + std::string(1024, '\0');
    CGZip zip;
    ASSERT_TRUE(zip.Open(Gzip("t.tar.gz", tar)));
    EXPECT_EQ(zip.GetKind(), CGZip::Kind::Tar);
    ASSERT_EQ(zip.GetCount(), 3);
    ZipEntry e;
    ASSERT_TRUE(zip.GetFile(0, e));
    EXPECT_EQ(e.name, "开心/a.gif");
    EXPECT_EQ(e.data, "AAAA");
    ASSERT_TRUE(zip.GetFile(1, e));
    EXPECT_EQ(e.data, std::string(513, 'b'));
    ASSERT_TRUE(zip.GetFile(2, e));
    EXPECT_EQ(e.name, "c.gif");
}

TEST_F(GZipTest, TarEntryDeclaringMoreThanItHoldsIsSkipped) {
    std::string tar = TarBlock("big.gif", 1u << 30) + std::string(512, 'x');
    CGZip zip;
    ASSERT_TRUE(zip.OpenGzipBytes(ReadFile(Gzip("b.gz", tar))));
    ASSERT_EQ(zip.GetCount(), 1);
    ZipEntry e;
    EXPECT_FALSE(zip.GetFile(0, e));
    EXPECT_EQ(zip.GetErrorText(),
              "Could not unzip file at the specified position from the archive !");
}

TEST_F(GZipTest, TarHeaderChecksumAndOctalFields) {
    std::string h = TarBlock("a.gif", 10);
    auto* b = reinterpret_cast<const unsigned char*>(h.data());
    EXPECT_TRUE(zlib::IsTarHeader(b, 512));
    EXPECT_FALSE(zlib::IsTarHeader(b, 511));
    std::string zero(512, '\0');
    EXPECT_FALSE(zlib::IsTarHeader(reinterpret_cast<const unsigned char*>(zero.data()), 512));
    uint64_t v = 0;
    EXPECT_TRUE(zlib::ParseOctal(reinterpret_cast<const unsigned char*>(" 0017 "), 6, v));
    EXPECT_EQ(v, 15u);
    EXPECT_FALSE(zlib::ParseOctal(reinterpret_cast<const unsigned char*>("  "), 2, v));
    EXPECT_FALSE(zlib::ParseOctal(reinterpret_cast<const unsigned char*>("18"), 2, v));
    EXPECT_FALSE(zlib::ParseOctal(reinterpret_cast<const unsigned char*>("7777777777777777777777777"), 25, v));
}

TEST_F(GZipTest, ZipEntryOverTheBoundOrWithWrongCrcIsSkippedOthersStay) {
    std::vector<mkpack::PackFile> files = {
        {"huge.gif", std::string(size_t(zlib::kMaxEntrySize) + 1, '\0')},
        {"ok.gif", "fine"},
        {"crc.gif", "0123456789abcdef"}};
    ASSERT_EQ(mkpack::WritePack(Path("z.zip"), {}, files, false), "");
    // Damage the stored CRC of the last entry in its local header (offset 14).
    std::string bytes = ReadFile(Path("z.zip"));
    size_t local = bytes.rfind(std::string("PK\x03\x04", 4));
    ASSERT_NE(local, std::string::npos);
    bytes[local + 14] ^= 0x55;
    size_t central = bytes.rfind(std::string("PK\x01\x02", 4));
    bytes[central + 16] ^= 0x55;
    WriteFile("z.zip", bytes);
    CGZip zip;
    ASSERT_TRUE(zip.Open(Path("z.zip")));
    ASSERT_EQ(zip.GetCount(), 3);
    ZipEntry e;
    EXPECT_FALSE(zip.GetFile(0, e));
    EXPECT_EQ(zip.GetErrorText(),
              "Could not unzip file at the specified position from the archive !");
    EXPECT_TRUE(zip.GetFile(1, e));
    EXPECT_EQ(e.data, "fine");
    EXPECT_FALSE(zip.GetFile(2, e));
}

TEST_F(GZipTest, TruncatedZipNeverCrashes) {
    ASSERT_EQ(mkpack::WritePack(Path("p.zip"), {}, kFaces, false), "");
    std::string bytes = ReadFile(Path("p.zip"));
    for (size_t n = 0; n < bytes.size(); n += 7) {
        CGZip zip;
        if (!zip.Open(WriteFile("cut.zip", bytes.substr(0, n)))) continue;
        int count = zip.GetCount();
        ZipEntry e;
        for (int i = 0; i < count; ++i) zip.GetFile(i, e);
    }
}
