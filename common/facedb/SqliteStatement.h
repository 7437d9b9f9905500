// RAII pieces over the SQLite C interface used by the database engine below the
// access layer: an owned prepared statement and a lease on a cached one that is reset
// (and its bindings cleared) when the lease ends, so no statement stays active.
#pragma once
#include <sqlite3.h>

#include <string>
#include <vector>

#include "Variant.h"

class SqliteStatement {
public:
    SqliteStatement() = default;
    explicit SqliteStatement(sqlite3_stmt* stmt) : m_stmt(stmt) {}
    SqliteStatement(SqliteStatement&& o) noexcept : m_stmt(o.m_stmt) { o.m_stmt = nullptr; }
    SqliteStatement& operator=(SqliteStatement&& o) noexcept;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;
    ~SqliteStatement() { sqlite3_finalize(m_stmt); }

    sqlite3_stmt* Get() const { return m_stmt; }

private:
    sqlite3_stmt* m_stmt = nullptr;
};

// A statement borrowed from the connection's cache (or owned, when the cache could
// not lend one); reset on release either way.
class StatementLease {
public:
    StatementLease() = default;
    StatementLease(sqlite3_stmt* stmt, bool* inUse, bool owned);
    StatementLease(StatementLease&& o) noexcept;
    StatementLease& operator=(StatementLease&& o) noexcept;
    StatementLease(const StatementLease&) = delete;
    ~StatementLease() { Release(); }

    sqlite3_stmt* Get() const { return m_stmt; }
    explicit operator bool() const { return m_stmt != nullptr; }

private:
    void Release();

    sqlite3_stmt* m_stmt = nullptr;
    bool* m_inUse = nullptr;
    bool m_owned = false;
};

// Binds one value; texts as UTF-8, byte arrays as blobs, numbers by width.
int BindVariant(sqlite3_stmt* stmt, int index, const Variant& value);
// Reads one result column into a value typed the way the access layer reports it.
Variant ColumnVariant(sqlite3_stmt* stmt, int column, bool boolean);
