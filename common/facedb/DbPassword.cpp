#include "DbPassword.h"

#include <random>

#include "Md5.h"
#include "SqliteStatement.h"

namespace {

constexpr const char* kScheme = "md5x1000";
constexpr int kRounds = 1000;

std::string RandomSaltHex() {
    std::random_device rd;
    static const char kHex[] = "0123456789abcdef";
    std::string salt;
    for (int i = 0; i < 32; ++i) salt += kHex[rd() & 15];
    return salt;
}

bool Exec(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// Compares without an early exit, so the time taken does not tell how much matched.
bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    unsigned diff = 0;
    for (size_t i = 0; i < a.size(); ++i) diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

}  // namespace

std::string DbPasswordVerifier(const std::string& saltHex, const std::string& password) {
    std::string h = saltHex + password;
    for (int i = 0; i < kRounds; ++i) {
        std::string round = h + saltHex + password;
        h = FaceDigestText(round.data(), round.size());
    }
    return std::string(kScheme) + "$" + saltHex + "$" + h;
}

bool DbWritePassword(sqlite3* db, const std::string& password) {
    if (!Exec(db, "CREATE TABLE IF NOT EXISTS facelib_password(verifier TEXT NOT NULL)") ||
        !Exec(db, "DELETE FROM facelib_password"))
        return false;
    if (password.empty()) return Exec(db, "DROP TABLE facelib_password");
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, "INSERT INTO facelib_password(verifier) VALUES(?)", -1, &raw,
                           nullptr) != SQLITE_OK)
        return false;
    SqliteStatement stmt(raw);
    std::string verifier = DbPasswordVerifier(RandomSaltHex(), password);
    sqlite3_bind_text(raw, 1, verifier.c_str(), -1, SQLITE_TRANSIENT);
    return sqlite3_step(raw) == SQLITE_DONE;
}

PasswordCheck DbCheckPassword(sqlite3* db, const std::string& password) {
    sqlite3_stmt* raw = nullptr;
    int rc = sqlite3_prepare_v2(
        db, "SELECT count(*) FROM sqlite_master WHERE type='table' AND name='facelib_password'",
        -1, &raw, nullptr);
    if (rc != SQLITE_OK) return PasswordCheck::Error;
    SqliteStatement probe(raw);
    if (sqlite3_step(raw) != SQLITE_ROW) return PasswordCheck::Error;
    if (sqlite3_column_int(raw, 0) == 0) return PasswordCheck::Match;

    if (sqlite3_prepare_v2(db, "SELECT verifier FROM facelib_password", -1, &raw, nullptr) !=
        SQLITE_OK)
        return PasswordCheck::Error;
    SqliteStatement stmt(raw);
    rc = sqlite3_step(raw);
    if (rc == SQLITE_DONE) return PasswordCheck::Match;
    if (rc != SQLITE_ROW) return PasswordCheck::Error;
    const char* text = reinterpret_cast<const char*>(sqlite3_column_text(raw, 0));
    std::string stored = text ? text : "";
    size_t d1 = stored.find('$');
    size_t d2 = d1 == std::string::npos ? d1 : stored.find('$', d1 + 1);
    if (d2 == std::string::npos || stored.compare(0, d1, kScheme) != 0)
        return PasswordCheck::Mismatch;
    std::string salt = stored.substr(d1 + 1, d2 - d1 - 1);
    return SameText(DbPasswordVerifier(salt, password), stored) ? PasswordCheck::Match
                                                                : PasswordCheck::Mismatch;
}
