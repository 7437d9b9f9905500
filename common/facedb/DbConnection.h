// The database engine below the access layer: the connection operations the layer
// needs (open, close, execute, transactions, state) on a SQLite file.
//
// Sharing: the file is in WAL mode with a busy timeout, so readers never block a
// writer and a writer waits for another instead of failing. A transaction begun here
// takes no lock until its first write: a program that begins one and then only reads
// (the picker never commits its transaction) blocks nobody and sees others' commits.
#pragma once
#include <sqlite3.h>

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "SqliteStatement.h"

class DbRecordset;

// The read snapshot a connection holds for its recordsets: one statement kept stepping
// keeps SQLite's read transaction open, so every read on the connection sees the file
// as it was when the first holder took it.
struct DbPinState {
    sqlite3_stmt* pin = nullptr;  // finalized by the connection
    int holders = 0;
    int generation = 1;  // a snapshot of an earlier generation has been let go
    void Release();
};

// One recordset's hold on its connection's snapshot; lets go when destroyed. Outliving
// the connection is harmless.
class DbSnapshot {
public:
    DbSnapshot(std::weak_ptr<DbPinState> state, int generation)
        : m_state(std::move(state)), m_generation(generation) {}
    DbSnapshot(const DbSnapshot&) = delete;
    DbSnapshot& operator=(const DbSnapshot&) = delete;
    ~DbSnapshot();
    // False once the connection let the snapshot go (it wrote, or was closed).
    bool Held() const;

private:
    std::weak_ptr<DbPinState> m_state;
    int m_generation;
};

struct DbColumn {
    std::string name;
    std::string declType;  // as declared, upper-case ("CHAR(32)", "BLOB", "INT", ...)
    bool isBlob = false;
    bool isIdentity = false;  // the row id alias of an autoincrement key
    bool isKey = false;       // part of the primary key
    bool isBool = false;
    int width = 0;            // for CHAR(n)
};

struct DbTable {
    std::string name;
    std::vector<DbColumn> columns;
};

class DbConnection {
public:
    // How long a writer waits for another writer's transaction before giving up.
    static constexpr int kBusyTimeoutMs = 20000;

    DbConnection() = default;
    DbConnection(const DbConnection&) = delete;
    DbConnection& operator=(const DbConnection&) = delete;
    ~DbConnection();

    // Opens an existing file named by "Data Source" and checks "Jet OLEDB:Database
    // Password". Never creates a file.
    bool Open(const std::string& connectionString);
    void Close();
    int State() const { return m_db ? 1 : 0; }

    // Runs a Jet statement. A query gives an open read-only recordset; any other
    // statement a closed one. Null on failure.
    std::shared_ptr<DbRecordset> Execute(const std::string& jetSql);

    int BeginTrans();  // new nesting level, -1 on failure
    bool CommitTrans();
    bool RollbackTrans();

    // --- for recordsets ---
    sqlite3* Handle() const { return m_db; }
    // A prepared statement for `sql`, from the cache when possible.
    StatementLease Prepare(const std::string& sql);
    // Starts the deferred SQLite transaction (and savepoints) of the open levels
    // before a write. False when the write lock cannot be had.
    bool BeforeWrite();
    // Column layout of a table, or null when it does not exist.
    const DbTable* Table(const std::string& name);
    // Holds the connection's read snapshot for a recordset (see DbPinState); null inside
    // a write transaction, when no other program can change the file anyway. Every
    // snapshot is let go before this connection writes.
    std::unique_ptr<DbSnapshot> HoldSnapshot();
    // Off: recordsets read long values from the live file (for measurements).
    void SetSnapshotReads(bool on) { m_snapshotReads = on; }
    void ForgetSchema() { m_tables.clear(); }

private:
    bool Configure(const std::string& password);
    bool RunSql(const std::string& sql);
    bool RunStatements(const std::string& sql, const std::vector<std::string>& params);
    void ResyncTransaction();
    void ReleaseSnapshots();

    struct CachedStatement {
        SqliteStatement stmt;
        bool inUse = false;
    };

    sqlite3* m_db = nullptr;
    std::unordered_map<std::string, CachedStatement> m_cache;
    std::map<std::string, DbTable> m_tables;  // keyed by the lower-case name
    int m_schemaVersion = -1;
    int m_level = 0;        // transaction levels begun by the caller
    int m_sqliteDepth = 0;  // of those, how many are open in SQLite
    std::shared_ptr<DbPinState> m_pins = std::make_shared<DbPinState>();
    bool m_snapshotReads = true;
};

// Creates a new database file (failing if one exists) in the layout the programs
// expect: WAL mode, 16 KiB pages (a face and its thumbnail share a page with
// others), and the password verifier.
bool DbCreateFile(const std::string& path, const std::string& password);
