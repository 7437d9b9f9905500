#include "GZip.h"

#include <zlib.h>
#include <minizip/unzip.h>

#include <cstring>

#ifdef _WIN32
#include "text/Utf.h"
#endif

namespace zlib {

namespace {

const char kNotOpened[] = "Archive not opened";
const char kUnknownType[] = "Could not determine archive type !";
const char kGzipRead[] = "Could not read data from gzip archive !";
const char kNoFiles[] = "Could not get files from the archive !";
const char kNoFileAt[] = "Could not get file at the specified position from the archive !";
const char kUnzipFailed[] = "Could not unzip file at the specified position from the archive !";
const char kBadPosition[] = "Invalid file position !";

int64_t Tell(FILE* f) {
#ifdef _WIN32
    return _ftelli64(f);
#else
    return ftello(f);
#endif
}

int Seek(FILE* f, int64_t offset, int origin) {
#ifdef _WIN32
    return _fseeki64(f, offset, origin);
#else
    return fseeko(f, static_cast<off_t>(offset), origin);
#endif
}

}  // namespace

// The zip archive may start inside the file (a pack header in front): minizip sees
// offsets from the archive's first byte.
struct CGZip::ZipStream {
    FILE* file;
    int64_t base;
};

namespace {

voidpf ZOpen(voidpf opaque, const void*, int) { return opaque; }

uLong ZRead(voidpf, voidpf stream, void* buf, uLong size) {
    auto* s = static_cast<CGZip::ZipStream*>(stream);
    return static_cast<uLong>(fread(buf, 1, size, s->file));
}

uLong ZWrite(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZTell(voidpf, voidpf stream) {
    auto* s = static_cast<CGZip::ZipStream*>(stream);
    int64_t at = Tell(s->file);
    return at < s->base ? static_cast<ZPOS64_T>(-1) : static_cast<ZPOS64_T>(at - s->base);
}

long ZSeek(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto* s = static_cast<CGZip::ZipStream*>(stream);
    switch (origin) {
    case ZLIB_FILEFUNC_SEEK_SET:
        if (offset > static_cast<ZPOS64_T>(INT64_MAX - s->base)) return -1;
        return Seek(s->file, s->base + static_cast<int64_t>(offset), SEEK_SET) == 0 ? 0 : -1;
    case ZLIB_FILEFUNC_SEEK_CUR:
        return Seek(s->file, static_cast<int64_t>(offset), SEEK_CUR) == 0 ? 0 : -1;
    case ZLIB_FILEFUNC_SEEK_END:
        return Seek(s->file, static_cast<int64_t>(offset), SEEK_END) == 0 ? 0 : -1;
    default:
        return -1;
    }
}

int ZClose(voidpf, voidpf) { return 0; }

int ZError(voidpf, voidpf stream) {
    return ferror(static_cast<CGZip::ZipStream*>(stream)->file);
}

}  // namespace

FILE* OpenForReading(const std::string& path) {
#ifdef _WIN32
    std::u16string wide = text::Utf8ToUtf16(path);
    return _wfopen(reinterpret_cast<const wchar_t*>(wide.c_str()), L"rb");
#else
    return fopen(path.c_str(), "rb");
#endif
}

bool ParseOctal(const unsigned char* field, size_t size, uint64_t& out) {
    size_t i = 0;
    while (i < size && field[i] == ' ') ++i;
    uint64_t value = 0;
    size_t digits = 0;
    for (; i < size && field[i] >= '0' && field[i] <= '7'; ++i, ++digits) {
        if (value > (UINT64_MAX >> 3)) return false;
        value = value << 3 | uint64_t(field[i] - '0');
    }
    if (digits == 0) return false;
    if (i < size && field[i] != 0 && field[i] != ' ') return false;
    out = value;
    return true;
}

bool IsTarHeader(const unsigned char* block, size_t size) {
    if (size < 512) return false;
    uint64_t stored = 0;
    if (!ParseOctal(block + 148, 8, stored)) return false;
    uint64_t sum = 0;
    for (size_t i = 0; i < 512; ++i) sum += (i >= 148 && i < 156) ? ' ' : block[i];
    return sum == stored;
}

bool CGZip::Open(const std::string& path) {
    Close();
    FILE* file = OpenForReading(path);
    if (!file) {
        m_error = kUnknownType;
        return false;
    }
    if (OpenZip(file, false)) return true;
    // Not a zip: perhaps gzip. Read it whole, within the bound.
    std::string bytes;
    char buffer[65536];
    rewind(file);
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, n);
        if (bytes.size() > kMaxGzipSize) break;
    }
    fclose(file);
    return OpenGzipBytes(bytes);
}

bool CGZip::OpenAt(FILE* file) {
    Close();
    if (!file) {
        m_error = kUnknownType;
        return false;
    }
    return OpenZip(file, true);
}

bool CGZip::OpenZip(FILE* file, bool reportFailure) {
    auto* stream = new ZipStream{file, Tell(file)};
    if (stream->base < 0) stream->base = 0;
    zlib_filefunc64_def io{};
    io.zopen64_file = ZOpen;
    io.zread_file = ZRead;
    io.zwrite_file = ZWrite;
    io.ztell64_file = ZTell;
    io.zseek64_file = ZSeek;
    io.zclose_file = ZClose;
    io.zerror_file = ZError;
    io.opaque = stream;
    unzFile unz = unzOpen2_64("", &io);
    if (!unz) {
        delete stream;
        if (reportFailure) {
            fclose(file);
            m_error = kUnknownType;
        }
        return false;
    }
    m_file = file;
    m_stream = stream;
    m_unz = unz;
    m_kind = Kind::Zip;
    // Walk the directory once; its entry count in the end record may lie.
    int status = unzGoToFirstFile(unz);
    while (status == UNZ_OK && m_zipPositions.size() < size_t(kMaxEntries)) {
        unz64_file_pos pos;
        if (unzGetFilePos64(unz, &pos) != UNZ_OK) break;
        m_zipPositions.emplace_back(pos.pos_in_zip_directory, pos.num_of_file);
        status = unzGoToNextFile(unz);
    }
    if (status != UNZ_OK && status != UNZ_END_OF_LIST_OF_FILE && m_zipPositions.empty())
        m_error = kNoFiles;
    return true;
}

bool CGZip::OpenGzipBytes(const std::string& bytes) {
    Close();
    if (bytes.size() < 18 || static_cast<unsigned char>(bytes[0]) != 0x1f ||
        static_cast<unsigned char>(bytes[1]) != 0x8b) {
        m_error = kUnknownType;
        return false;
    }
    z_stream z{};
    if (inflateInit2(&z, 15 + 16) != Z_OK) {
        m_error = kGzipRead;
        return false;
    }
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    z.avail_in = static_cast<uInt>(bytes.size());
    std::string out;
    char buffer[65536];
    int status = Z_OK;
    while (status == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        status = inflate(&z, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - z.avail_out);
        if (out.size() > kMaxGzipSize) status = Z_MEM_ERROR;
        if (status == Z_BUF_ERROR && z.avail_in == 0) break;  // truncated
    }
    inflateEnd(&z);
    if (status != Z_STREAM_END) {
        m_error = kGzipRead;
        return false;
    }
    m_gzipData = std::move(out);
    const auto* data = reinterpret_cast<const unsigned char*>(m_gzipData.data());
    if (!IsTarHeader(data, m_gzipData.size())) {
        m_kind = Kind::Gzip;
        return true;
    }
    m_kind = Kind::Tar;
    size_t offset = 0;
    while (m_tar.size() < size_t(kMaxEntries) && m_gzipData.size() - offset >= 512 &&
           IsTarHeader(data + offset, m_gzipData.size() - offset)) {
        TarItem item;
        const char* name = reinterpret_cast<const char*>(data + offset);
        item.name.assign(name, strnlen(name, 100));
        uint64_t size = 0;
        if (!ParseOctal(data + offset + 124, 12, size)) break;
        item.offset = offset + 512;
        item.size = size;
        m_tar.push_back(item);
        uint64_t remaining = m_gzipData.size() - item.offset;
        if (size > remaining) break;  // the entry runs past the end; nothing follows it
        uint64_t padded = (size + 511) / 512 * 512;
        if (padded >= remaining) break;
        offset = item.offset + static_cast<size_t>(padded);
    }
    return true;
}

int CGZip::GetCount() {
    switch (m_kind) {
    case Kind::Zip: return static_cast<int>(m_zipPositions.size());
    case Kind::Gzip: return 1;
    case Kind::Tar: return static_cast<int>(m_tar.size());
    default:
        m_error = kNotOpened;
        return -1;
    }
}

bool CGZip::GetFile(int index, ZipEntry& out) {
    out = ZipEntry{};
    if (m_kind == Kind::None) {
        m_error = kNotOpened;
        return false;
    }
    if (index < 0 || index >= GetCount()) {
        m_error = kBadPosition;
        return false;
    }
    if (m_kind == Kind::Zip) return GetZipFile(index, out);
    if (m_kind == Kind::Gzip) {
        if (m_gzipData.size() > kMaxEntrySize) {
            m_error = kUnzipFailed;
            return false;
        }
        out.name = "unknown";
        out.data = m_gzipData;
        return true;
    }
    const TarItem& item = m_tar[size_t(index)];
    if (item.size > kMaxEntrySize || item.size > m_gzipData.size() - item.offset) {
        m_error = kUnzipFailed;
        return false;
    }
    out.name = item.name;
    out.data = m_gzipData.substr(item.offset, static_cast<size_t>(item.size));
    return true;
}

bool CGZip::GetZipFile(int index, ZipEntry& out) {
    unzFile unz = m_unz;
    unz64_file_pos pos{m_zipPositions[size_t(index)].first, m_zipPositions[size_t(index)].second};
    unz_file_info64 info{};
    if (unzGoToFilePos64(unz, &pos) != UNZ_OK ||
        unzGetCurrentFileInfo64(unz, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
        m_error = kNoFileAt;
        return false;
    }
    std::vector<char> name(info.size_filename + 1, 0);
    if (unzGetCurrentFileInfo64(unz, &info, name.data(), static_cast<uLong>(name.size()),
                                nullptr, 0, nullptr, 0) != UNZ_OK) {
        m_error = kNoFileAt;
        return false;
    }
    // A NUL inside a stored name ends it, as for any C reader of the directory.
    out.name.assign(name.data(), strnlen(name.data(), info.size_filename));
    out.utf8Name = (info.flag & 0x800) != 0;
    if (info.uncompressed_size > kMaxEntrySize || unzOpenCurrentFile(unz) != UNZ_OK) {
        m_error = kUnzipFailed;
        return false;
    }
    std::string data;
    data.reserve(static_cast<size_t>(info.uncompressed_size));
    char buffer[65536];
    int n;
    bool ok = true;
    while ((n = unzReadCurrentFile(unz, buffer, sizeof buffer)) > 0) {
        data.append(buffer, size_t(n));
        if (data.size() > kMaxEntrySize) {  // the directory understated it
            ok = false;
            break;
        }
    }
    if (n < 0) ok = false;
    if (unzCloseCurrentFile(unz) != UNZ_OK) ok = false;  // CRC mismatch among others
    if (!ok) {
        out = ZipEntry{};
        m_error = kUnzipFailed;
        return false;
    }
    out.data = std::move(data);
    return true;
}

void CGZip::Close() {
    if (m_unz) unzClose(m_unz);
    m_unz = nullptr;
    delete m_stream;
    m_stream = nullptr;
    if (m_file) fclose(m_file);
    m_file = nullptr;
    m_zipPositions.clear();
    m_gzipData.clear();
    m_tar.clear();
    m_kind = Kind::None;
}

}  // namespace zlib
