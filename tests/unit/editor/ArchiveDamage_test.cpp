// Hostile and damaged zips: a directory that lies, sizes that lie both ways, a zip inside
// a zip, cuts at every byte, and a pack of 100,000 entries. Each entry is read or skipped
// with the wrapper's text; nothing crashes, hangs or allocates what an entry declares.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <zlib.h>

#include "GZip.h"
#include "PackWriter.h"

using zlib::CGZip;
using zlib::ZipEntry;

namespace {

const char kUnzipFailed[] = "Could not unzip file at the specified position from the archive !";

class ArchiveDamageTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = std::filesystem::temp_directory_path() /
                ("archive_damage_" + std::to_string(::getpid()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }
    std::string Zip(const std::vector<mkpack::PackFile>& files) {
        EXPECT_EQ(mkpack::WritePack(Path("made.zip"), {}, files, true), "");
        std::ifstream in(Path("made.zip"), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // Every entry that reads, by name; failed ones as "!" + the error text.
    static std::vector<std::string> ReadAll(CGZip& zip) {
        std::vector<std::string> out;
        for (int i = 0; i < zip.GetCount(); ++i) {
            ZipEntry e;
            out.push_back(zip.GetFile(i, e) ? e.name : "!" + zip.GetErrorText());
        }
        return out;
    }

    std::filesystem::path m_dir;
};

void Put16(std::string& b, size_t at, uint16_t v) {
    b[at] = char(v & 0xff);
    b[at + 1] = char(v >> 8);
}
void Put32(std::string& b, size_t at, uint32_t v) {
    for (int k = 0; k < 4; ++k) b[at + size_t(k)] = char((v >> (8 * k)) & 0xff);
}
size_t EndRecord(const std::string& b) { return b.rfind(std::string("PK\x05\x06", 4)); }
// The k-th central directory header.
size_t Central(const std::string& b, int k) {
    size_t at = b.find(std::string("PK\x01\x02", 4));
    while (k-- > 0 && at != std::string::npos) at = b.find(std::string("PK\x01\x02", 4), at + 4);
    return at;
}
size_t Local(const std::string& b, int k) {
    size_t at = b.find(std::string("PK\x03\x04", 4));
    while (k-- > 0 && at != std::string::npos) at = b.find(std::string("PK\x03\x04", 4), at + 4);
    return at;
}

// A zip of stored entries, written directly: quick for very many entries.
std::string StoredZip(const std::vector<mkpack::PackFile>& files) {
    std::string out, directory;
    auto u16 = [](std::string& b, uint32_t v) {
        b.push_back(char(v & 0xff));
        b.push_back(char((v >> 8) & 0xff));
    };
    auto u32 = [&](std::string& b, uint32_t v) {
        u16(b, v & 0xffff);
        u16(b, v >> 16);
    };
    for (const mkpack::PackFile& f : files) {
        const uint32_t crc = uint32_t(
            crc32(0, reinterpret_cast<const Bytef*>(f.data.data()), uInt(f.data.size())));
        const uint32_t size = uint32_t(f.data.size()), name = uint32_t(f.name.size());
        const uint32_t local = uint32_t(out.size());
        u32(out, 0x04034b50); u16(out, 10); u16(out, 0); u16(out, 0); u32(out, 0);
        u32(out, crc); u32(out, size); u32(out, size); u16(out, name); u16(out, 0);
        out += f.name + f.data;
        u32(directory, 0x02014b50); u16(directory, 20); u16(directory, 10); u16(directory, 0);
        u16(directory, 0); u32(directory, 0); u32(directory, crc); u32(directory, size);
        u32(directory, size); u16(directory, name); u16(directory, 0); u16(directory, 0);
        u16(directory, 0); u16(directory, 0); u32(directory, 0); u32(directory, local);
        directory += f.name;
    }
    const uint32_t at = uint32_t(out.size());
    const uint32_t count = files.size() > 0xffff ? 0xffff : uint32_t(files.size());
    out += directory;
    u32(out, 0x06054b50); u16(out, 0); u16(out, 0); u16(out, count); u16(out, count);
    u32(out, uint32_t(directory.size())); u32(out, at); u16(out, 0);
    return out;
}

const std::vector<mkpack::PackFile> kFour = {
    {"a/1.gif", "GIF-one"}, {"a/2.gif", "GIF-two"}, {"b/3.gif", "GIF-three"}, {"4.gif", "GIF-four"}};

}  // namespace

TEST_F(ArchiveDamageTest, DirectoryCountingFewerListsThoseMoreListsNoGhosts) {
    std::string bytes = Zip(kFour);
    size_t end = EndRecord(bytes);
    std::string fewer = bytes;
    Put16(fewer, end + 8, 2);
    Put16(fewer, end + 10, 2);
    CGZip zip;
    ASSERT_TRUE(zip.Open(Write("fewer.zip", fewer)));
    EXPECT_EQ(ReadAll(zip), (std::vector<std::string>{"a/1.gif", "a/2.gif"}));

    std::string more = bytes;
    Put16(more, end + 8, 60000);
    Put16(more, end + 10, 60000);
    ASSERT_TRUE(zip.Open(Write("more.zip", more)));
    EXPECT_EQ(ReadAll(zip), (std::vector<std::string>{"a/1.gif", "a/2.gif", "b/3.gif", "4.gif"}));

    // Counts that disagree with each other: not a zip, and not gzip either.
    std::string split = bytes;
    Put16(split, end + 8, 3);
    EXPECT_FALSE(zip.Open(Write("split.zip", split)));
    EXPECT_EQ(zip.GetErrorText(), "Could not determine archive type !");
}

TEST_F(ArchiveDamageTest, DirectoryPlacedWhereItIsNotIsNoArchive) {
    std::string bytes = Zip(kFour);
    size_t end = EndRecord(bytes);
    CGZip zip;
    for (uint32_t offset : {0u, 7u, uint32_t(bytes.size()), 0xfffffff0u}) {
        std::string lie = bytes;
        Put32(lie, end + 16, offset);
        if (zip.Open(Write("lie.zip", lie))) {
            // Whatever it found there, it lists nothing that reads as a real entry.
            for (const std::string& got : ReadAll(zip)) EXPECT_EQ(got[0], '!') << offset;
        } else {
            EXPECT_EQ(zip.GetErrorText(), "Could not determine archive type !");
        }
    }
    std::string size = bytes;
    Put32(size, end + 12, 0x7fffffffu);
    EXPECT_FALSE(zip.Open(Write("size.zip", size)));
}

TEST_F(ArchiveDamageTest, EntryPointingOutsideTheFileIsSkippedOthersRead) {
    std::string bytes = Zip(kFour);
    Put32(bytes, Central(bytes, 1) + 42, 0xffffff00u);  // local header far past the end
    Put32(bytes, Central(bytes, 2) + 42, 3);             // into the middle of another one
    CGZip zip;
    ASSERT_TRUE(zip.Open(Write("out.zip", bytes)));
    std::vector<std::string> got = ReadAll(zip);
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[0], "a/1.gif");
    EXPECT_EQ(got[1], std::string("!") + kUnzipFailed);
    EXPECT_EQ(got[2], std::string("!") + kUnzipFailed);
    EXPECT_EQ(got[3], "4.gif");
}

TEST_F(ArchiveDamageTest, GigabyteDeclaredEntryIsSkippedUnread) {
    std::string bytes = Zip({{"bomb.gif", std::string(4096, 'z')}, {"ok.gif", "GIF-ok"}});
    Put32(bytes, Central(bytes, 0) + 24, 1u << 30);
    Put32(bytes, Local(bytes, 0) + 22, 1u << 30);
    CGZip zip;
    ASSERT_TRUE(zip.Open(Write("bomb.zip", bytes)));
    EXPECT_EQ(ReadAll(zip), (std::vector<std::string>{std::string("!") + kUnzipFailed, "ok.gif"}));
}

TEST_F(ArchiveDamageTest, EntryInflatingPastItsDeclaredSizeIsCutAndSkipped) {
    // 40 MiB of zeros deflate to some 40 KiB; the directory claims 100 bytes.
    std::string bytes = Zip({{"bomb.gif", std::string(40u << 20, '\0')}, {"ok.gif", "GIF-ok"}});
    Put32(bytes, Central(bytes, 0) + 24, 100);
    Put32(bytes, Local(bytes, 0) + 22, 100);
    CGZip zip;
    ASSERT_TRUE(zip.Open(Write("under.zip", bytes)));
    ZipEntry e;
    EXPECT_FALSE(zip.GetFile(0, e));  // the CRC of 100 zeros is not the stored one
    EXPECT_EQ(zip.GetErrorText(), kUnzipFailed);
    EXPECT_TRUE(e.data.empty());
    ASSERT_TRUE(zip.GetFile(1, e));
    EXPECT_EQ(e.data, "GIF-ok");
}

TEST_F(ArchiveDamageTest, DamagedDataOrCrcSkipsOnlyThatEntry) {
    std::string bytes = Zip({{"a.gif", std::string(3000, 'a') + "tail"}, {"b.gif", "GIF-b"}});
    size_t data = Local(bytes, 0) + 30 + 5;  // past the header and the name "a.gif"
    for (size_t k = 0; k < 8; ++k) bytes[data + 10 + k] ^= char(0x5a);
    CGZip zip;
    ASSERT_TRUE(zip.Open(Write("crc.zip", bytes)));
    EXPECT_EQ(ReadAll(zip), (std::vector<std::string>{std::string("!") + kUnzipFailed, "b.gif"}));
}

TEST_F(ArchiveDamageTest, ZipInsideZipIsOneEntryOfBytes) {
    std::string inner = Zip({{"inner/x.gif", "GIF-x"}});
    std::string outer = Zip({{"packs/inner.zip", inner}, {"y.gif", "GIF-y"}});
    CGZip zip;
    ASSERT_TRUE(zip.Open(Write("outer.zip", outer)));
    ASSERT_EQ(zip.GetCount(), 2);
    ZipEntry e;
    ASSERT_TRUE(zip.GetFile(0, e));
    EXPECT_EQ(e.name, "packs/inner.zip");
    EXPECT_EQ(e.data, inner);
}

TEST_F(ArchiveDamageTest, CutAtEveryByteNeverCrashesAndNeverInventsEntries) {
    std::string bytes = Zip(kFour);
    CGZip zip;
    for (size_t n = 0; n < bytes.size(); ++n) {
        if (!zip.Open(Write("cut.zip", bytes.substr(0, n)))) {
            EXPECT_FALSE(zip.GetErrorText().empty());
            continue;
        }
        // A cut in the end record's last fields may still open: what reads must be real.
        for (int i = 0; i < zip.GetCount(); ++i) {
            ZipEntry e;
            if (!zip.GetFile(i, e)) continue;
            ASSERT_LT(size_t(i), kFour.size()) << n;
            EXPECT_EQ(e.name, kFour[size_t(i)].name) << n;
            EXPECT_EQ(e.data, kFour[size_t(i)].data) << n;
        }
    }
}

TEST_F(ArchiveDamageTest, HundredThousandTinyEntriesAreListedAndReadInBoundedTime) {
    std::vector<mkpack::PackFile> files;
    const int total = zlib::kMaxEntries + 5;
    files.reserve(size_t(total));
    for (int i = 0; i < total; ++i) files.push_back({"t/" + std::to_string(i) + ".gif", "G"});
    // Over 65,535 entries the end record's count reads 0xffff ("look further"), as the
    // classic tools write it: the whole directory is walked.
    Write("many.zip", StoredZip(files));
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    CGZip zip;
    ASSERT_TRUE(zip.Open(Path("many.zip")));
    const auto opened = Clock::now();
    ASSERT_EQ(zip.GetCount(), zlib::kMaxEntries);  // the rest are ignored
    int read = 0;
    ZipEntry e;
    for (int i = 0; i < zip.GetCount(); ++i) read += zip.GetFile(i, e) ? 1 : 0;
    const auto done = Clock::now();
    EXPECT_EQ(read, zlib::kMaxEntries);
    EXPECT_EQ(e.name, "t/" + std::to_string(zlib::kMaxEntries - 1) + ".gif");
    auto ms = [](Clock::duration d) {
        return std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(d).count());
    };
    // Measured, not asserted: ctest's limit catches a hang.
    RecordProperty("open_ms", ms(opened - start));
    RecordProperty("read_all_ms", ms(done - opened));
    std::printf("100,000 entries: open %s ms, read all %s ms\n", ms(opened - start).c_str(),
                ms(done - opened).c_str());
}
