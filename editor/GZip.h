// CGZip: a zip file, a gzip file or a tar archive inside gzip, as a numbered list of
// entries. Archives are untrusted: one entry may expand to at most kMaxEntrySize bytes,
// a gzip file to kMaxGzipSize, and at most kMaxEntries entries are listed.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace zlib {

constexpr uint64_t kMaxEntrySize = 32u << 20;
constexpr uint64_t kMaxGzipSize = 128u << 20;
constexpr int kMaxEntries = 100000;

struct ZipEntry {
    std::string name;  // as stored; UTF-8 when utf8Name, else the system code page
    std::string data;  // the bytes; data.c_str() puts the NUL after them
    bool utf8Name = false;
};

class CZipper {
public:
    virtual ~CZipper() = default;
    // The number of entries, or -1 on failure.
    virtual int GetCount() = 0;
    virtual bool GetFile(int index, ZipEntry& out) = 0;
    virtual void Close() = 0;
    const std::string& GetErrorText() const { return m_error; }

protected:
    std::string m_error;
};

// Opens a file for reading by its UTF-8 path, others may read it too.
FILE* OpenForReading(const std::string& path);

class CGZip : public CZipper {
public:
    CGZip() = default;
    ~CGZip() override { Close(); }
    CGZip(const CGZip&) = delete;
    CGZip& operator=(const CGZip&) = delete;

    // A zip file, else a gzip file holding a tar archive or a single file.
    bool Open(const std::string& path);
    // A zip archive from the file's current position on; takes the file over.
    bool OpenAt(FILE* file);
    // The contents of a gzip file (tar inside, or a single file named "unknown").
    bool OpenGzipBytes(const std::string& bytes);

    int GetCount() override;
    bool GetFile(int index, ZipEntry& out) override;
    void Close() override;

    enum class Kind { None, Zip, Gzip, Tar };
    struct ZipStream;  // the open file and where the archive starts in it
    Kind GetKind() const { return m_kind; }

private:
    struct TarItem {
        std::string name;
        size_t offset = 0;
        uint64_t size = 0;
    };
    bool OpenZip(FILE* file, bool reportFailure);
    bool GetZipFile(int index, ZipEntry& out);

    Kind m_kind = Kind::None;
    FILE* m_file = nullptr;
    ZipStream* m_stream = nullptr;
    void* m_unz = nullptr;
    std::vector<std::pair<uint64_t, uint64_t>> m_zipPositions;
    std::string m_gzipData;
    std::vector<TarItem> m_tar;
};

// Tar headers, exposed for the tests: a 512-byte block whose checksum field matches the
// sum of its bytes (the field itself counted as spaces).
bool IsTarHeader(const unsigned char* block, size_t size);
// An octal number field (leading spaces, digits, then NUL or space); false when empty,
// malformed or too large.
bool ParseOctal(const unsigned char* field, size_t size, uint64_t& out);

}  // namespace zlib
