#include "DbConnection.h"

#include <cctype>
#include <cstdio>

#include "ConnectionString.h"
#include "DbPassword.h"
#include "DbRecordset.h"
#include "JetDialect.h"

namespace {

constexpr size_t kCacheLimit = 96;

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Asks SQLite's own file layer, which takes UTF-8 names on every platform.
bool FileExists(const std::string& path) {
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_close_v2(db);
    return rc == SQLITE_OK;
}

}  // namespace

void DbPinState::Release() {
    if (holders == 0) return;
    sqlite3_reset(pin);
    holders = 0;
    ++generation;
}

DbSnapshot::~DbSnapshot() {
    auto state = m_state.lock();
    if (state && state->generation == m_generation && state->holders > 0 && --state->holders == 0) {
        sqlite3_reset(state->pin);
        ++state->generation;
    }
}

bool DbSnapshot::Held() const {
    auto state = m_state.lock();
    return state && state->generation == m_generation && state->holders > 0;
}

DbConnection::~DbConnection() { Close(); }

bool DbConnection::Open(const std::string& connectionString) {
    Close();
    ConnectionString cs;
    if (!cs.Parse(connectionString)) return false;
    std::string path = cs.Get("Data Source");
    if (path.empty()) return false;
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX,
                             nullptr);
    m_db = db;
    if (rc != SQLITE_OK || !Configure(cs.Get("Jet OLEDB:Database Password"))) {
        Close();
        return false;
    }
    return true;
}

bool DbConnection::Configure(const std::string& password) {
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    // An empty file would pass as an empty database; the programs only open real ones.
    {
        StatementLease pages = Prepare("PRAGMA page_count");
        if (!pages || sqlite3_step(pages.Get()) != SQLITE_ROW ||
            sqlite3_column_int(pages.Get(), 0) <= 0)
            return false;
    }
    if (DbCheckPassword(m_db, password) != PasswordCheck::Match) return false;
    // The shipped file is already in WAL mode; a file made elsewhere is switched.
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(m_db, "PRAGMA journal_mode", -1, &raw, nullptr) != SQLITE_OK)
        return false;
    SqliteStatement mode(raw);
    if (sqlite3_step(raw) != SQLITE_ROW) return false;
    const char* text = reinterpret_cast<const char*>(sqlite3_column_text(raw, 0));
    bool wal = text && Lower(text) == "wal";
    sqlite3_reset(raw);
    if (!wal && !RunSql("PRAGMA journal_mode=WAL")) return false;
    // In WAL mode NORMAL keeps every commit through a process crash.
    // Pages are read through a memory map, so a deep page touches its rows without
    // copying every one through the page cache; the cache itself can stay small (a
    // large one mostly costs fresh memory during a long write transaction).
    return RunSql("PRAGMA synchronous=NORMAL") && RunSql("PRAGMA cache_size=-2048") &&
           RunSql("PRAGMA mmap_size=268435456") &&
           // Every library operation runs in a savepoint: keep its page copies in memory.
           RunSql("PRAGMA temp_store=MEMORY");
}

void DbConnection::Close() {
    if (!m_db) return;
    ReleaseSnapshots();
    sqlite3_finalize(m_pins->pin);
    m_pins = std::make_shared<DbPinState>();  // snapshots of this session see it gone
    m_cache.clear();
    m_tables.clear();
    m_schemaVersion = -1;
    m_level = 0;
    m_sqliteDepth = 0;
    // A transaction still open is rolled back by closing, as with the original engine.
    sqlite3_close_v2(m_db);
    m_db = nullptr;
}

bool DbConnection::RunSql(const std::string& sql) {
    StatementLease stmt = Prepare(sql);  // transaction statements repeat: keep them prepared
    if (!stmt) return false;
    int rc;
    while ((rc = sqlite3_step(stmt.Get())) == SQLITE_ROW) {}
    return rc == SQLITE_DONE;
}

StatementLease DbConnection::Prepare(const std::string& sql) {
    if (!m_db) return {};
    auto it = m_cache.find(sql);
    if (it != m_cache.end() && !it->second.inUse)
        return StatementLease(it->second.stmt.Get(), &it->second.inUse, false);
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), static_cast<int>(sql.size()), &raw, &tail) !=
            SQLITE_OK ||
        raw == nullptr)
        return {};
    bool single = tail == nullptr || *tail == '\0';
    if (it != m_cache.end() || !single) return StatementLease(raw, nullptr, true);
    if (m_cache.size() >= kCacheLimit) {
        for (auto c = m_cache.begin(); c != m_cache.end();)
            c = c->second.inUse ? std::next(c) : m_cache.erase(c);
    }
    CachedStatement& slot = m_cache[sql];
    slot.stmt = SqliteStatement(raw);
    return StatementLease(raw, &slot.inUse, false);
}

bool DbConnection::RunStatements(const std::string& sql, const std::vector<std::string>& params) {
    size_t nextParam = 0;
    const char* p = sql.c_str();
    const char* end = p + sql.size();
    // Translated texts hold ";" only between statements (literals are parameters).
    bool single = sql.find(';') == std::string::npos;
    while (p < end) {
        const char* tail = end;
        StatementLease lease;
        if (single) {
            lease = Prepare(sql);
            if (!lease) return false;
        } else {
            sqlite3_stmt* raw = nullptr;
            if (sqlite3_prepare_v2(m_db, p, static_cast<int>(end - p), &raw, &tail) != SQLITE_OK)
                return false;
            if (!raw) break;  // only blanks left
            lease = StatementLease(raw, nullptr, true);
        }
        sqlite3_stmt* stmt = lease.Get();
        int count = sqlite3_bind_parameter_count(stmt);
        for (int k = 1; k <= count; ++k) {
            if (nextParam >= params.size()) return false;
            const std::string& v = params[nextParam++];
            sqlite3_bind_text(stmt, k, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
        }
        int rc;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {}
        if (rc != SQLITE_DONE) return false;
        p = tail;
    }
    return nextParam == params.size();
}

std::shared_ptr<DbRecordset> DbConnection::Execute(const std::string& jetSql) {
    if (!m_db) return nullptr;
    JetStatement st = TranslateJet(jetSql);
    if (!st.ok) return nullptr;
    auto rs = std::make_shared<DbRecordset>();
    if (st.isQuery) {
        if (!rs->OpenStatement(this, st, false)) return nullptr;
        return rs;
    }
    if (!BeforeWrite()) return nullptr;
    bool ok = RunStatements(st.sql, st.params);
    if (st.isSchemaChange) ForgetSchema();
    ResyncTransaction();
    return ok ? rs : nullptr;
}

void DbConnection::ResyncTransaction() {
    // An error such as a full disk can make SQLite roll back on its own.
    if (m_sqliteDepth > 0 && sqlite3_get_autocommit(m_db)) m_sqliteDepth = 0;
}

void DbConnection::ReleaseSnapshots() { m_pins->Release(); }

std::unique_ptr<DbSnapshot> DbConnection::HoldSnapshot() {
    if (!m_db || !m_snapshotReads) return nullptr;
    ResyncTransaction();
    if (m_sqliteDepth > 0) return nullptr;
    DbPinState& s = *m_pins;
    if (s.holders == 0) {
        if (!s.pin && sqlite3_prepare_v2(m_db, "SELECT 1 FROM sqlite_master", -1, &s.pin,
                                         nullptr) != SQLITE_OK)
            return nullptr;
        if (sqlite3_step(s.pin) != SQLITE_ROW) {
            sqlite3_reset(s.pin);
            return nullptr;
        }
    }
    ++s.holders;
    return std::make_unique<DbSnapshot>(m_pins, s.generation);
}

bool DbConnection::BeforeWrite() {
    if (!m_db) return false;
    // A write must start from the newest state of the file: SQLite refuses to turn an
    // older read snapshot into a write transaction.
    ReleaseSnapshots();
    ResyncTransaction();
    while (m_sqliteDepth < m_level) {
        bool ok = m_sqliteDepth == 0
                      ? RunSql("BEGIN IMMEDIATE")
                      : RunSql("SAVEPOINT level" + std::to_string(m_sqliteDepth + 1));
        if (!ok) return false;
        ++m_sqliteDepth;
    }
    return true;
}

int DbConnection::BeginTrans() {
    if (!m_db) return -1;
    return ++m_level;
}

bool DbConnection::CommitTrans() {
    if (!m_db || m_level == 0) return false;
    ResyncTransaction();
    if (m_sqliteDepth == m_level) {
        bool ok = m_level == 1 ? RunSql("COMMIT")
                               : RunSql("RELEASE level" + std::to_string(m_level));
        if (!ok) return false;
        --m_sqliteDepth;
    }
    --m_level;
    return true;
}

bool DbConnection::RollbackTrans() {
    if (!m_db || m_level == 0) return false;
    ResyncTransaction();
    if (m_sqliteDepth == m_level) {
        std::string name = "level" + std::to_string(m_level);
        bool ok = m_level == 1 ? RunSql("ROLLBACK")
                               : RunSql("ROLLBACK TO " + name) && RunSql("RELEASE " + name);
        if (!ok) return false;
        --m_sqliteDepth;
        ForgetSchema();
    }
    --m_level;
    return true;
}

const DbTable* DbConnection::Table(const std::string& name) {
    if (!m_db) return nullptr;
    {
        StatementLease v = Prepare("PRAGMA schema_version");
        if (!v || sqlite3_step(v.Get()) != SQLITE_ROW) return nullptr;
        int version = sqlite3_column_int(v.Get(), 0);
        if (version != m_schemaVersion) {
            m_tables.clear();
            m_schemaVersion = version;
        }
    }
    std::string key = Lower(name);
    auto it = m_tables.find(key);
    if (it != m_tables.end()) return &it->second;

    sqlite3_stmt* raw = nullptr;
    std::string sql = "PRAGMA table_info(" + QuoteIdentifier(name) + ")";
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) return nullptr;
    SqliteStatement stmt(raw);
    DbTable table;
    table.name = name;
    int pkCount = 0;
    while (sqlite3_step(raw) == SQLITE_ROW) {
        DbColumn c;
        const char* n = reinterpret_cast<const char*>(sqlite3_column_text(raw, 1));
        const char* t = reinterpret_cast<const char*>(sqlite3_column_text(raw, 2));
        c.name = n ? n : "";
        c.declType = Upper(t ? t : "");
        c.isBlob = c.declType.find("BLOB") != std::string::npos;
        c.isBool = c.declType == "BIT" || c.declType == "BOOLEAN" || c.declType == "YESNO";
        if (c.declType.compare(0, 5, "CHAR(") == 0) c.width = std::atoi(c.declType.c_str() + 5);
        if (sqlite3_column_int(raw, 5) > 0) {
            ++pkCount;
            c.isKey = true;
            c.isIdentity = c.declType == "INTEGER";
        }
        table.columns.push_back(std::move(c));
    }
    if (table.columns.empty()) return nullptr;
    if (pkCount > 1)
        for (DbColumn& c : table.columns) c.isIdentity = false;
    return &(m_tables[key] = std::move(table));
}

bool DbCreateFile(const std::string& path, const std::string& password) {
    if (FileExists(path)) return false;
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                             nullptr);
    bool ok = rc == SQLITE_OK &&
              sqlite3_exec(db, "PRAGMA page_size=16384", nullptr, nullptr, nullptr) == SQLITE_OK &&
              sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr) ==
                  SQLITE_OK &&
              DbWritePassword(db, password);
    sqlite3_close_v2(db);
    if (!ok) std::remove(path.c_str());
    return ok;
}
