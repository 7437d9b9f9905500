#include "TestDb.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "facedb-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const char* made = mkdtemp(buffer.data());
    m_path = made ? made : "";
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    if (!m_path.empty()) std::filesystem::remove_all(m_path, ec);
}

bool FakeRenderer::RenderJpeg(const std::vector<uint8_t>& picture, int size,
                              std::vector<uint8_t>& jpeg) {
    ++calls;
    if (picture.size() >= 3 && picture[0] == 'B' && picture[1] == 'A' && picture[2] == 'D')
        return false;
    jpeg = {'J', static_cast<uint8_t>(size)};
    jpeg.insert(jpeg.end(), picture.begin(), picture.begin() + std::min<size_t>(picture.size(), 8));
    return true;
}

std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<uint8_t> PatternBytes(size_t size, unsigned seed) {
    std::vector<uint8_t> bytes(size);
    uint32_t x = seed * 2654435761u + 1;
    for (uint8_t& b : bytes) {
        x = x * 1103515245u + 12345u;
        b = static_cast<uint8_t>(x >> 16);
    }
    return bytes;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string SqliteQueryText(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    std::string result;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_busy_timeout(db, 10000);
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK) {
            while (sqlite3_step(stmt) == SQLITE_ROW) {
                for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
                    const unsigned char* t = sqlite3_column_text(stmt, i);
                    if (!result.empty() && i == 0) result += "\n";
                    if (i > 0) result += "|";
                    result += t ? reinterpret_cast<const char*>(t) : "NULL";
                }
            }
        } else {
            result = std::string("ERROR: ") + sqlite3_errmsg(db);
        }
        sqlite3_finalize(stmt);
    } else {
        result = "ERROR: open";
    }
    sqlite3_close(db);
    return result;
}
