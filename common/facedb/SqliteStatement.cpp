#include "SqliteStatement.h"

#include <cstring>

SqliteStatement& SqliteStatement::operator=(SqliteStatement&& o) noexcept {
    if (this != &o) {
        sqlite3_finalize(m_stmt);
        m_stmt = o.m_stmt;
        o.m_stmt = nullptr;
    }
    return *this;
}

StatementLease::StatementLease(sqlite3_stmt* stmt, bool* inUse, bool owned)
    : m_stmt(stmt), m_inUse(inUse), m_owned(owned) {
    if (m_inUse) *m_inUse = true;
}

StatementLease::StatementLease(StatementLease&& o) noexcept
    : m_stmt(o.m_stmt), m_inUse(o.m_inUse), m_owned(o.m_owned) {
    o.m_stmt = nullptr;
    o.m_inUse = nullptr;
}

StatementLease& StatementLease::operator=(StatementLease&& o) noexcept {
    if (this != &o) {
        Release();
        m_stmt = o.m_stmt;
        m_inUse = o.m_inUse;
        m_owned = o.m_owned;
        o.m_stmt = nullptr;
        o.m_inUse = nullptr;
    }
    return *this;
}

void StatementLease::Release() {
    if (!m_stmt) return;
    if (m_owned) {
        sqlite3_finalize(m_stmt);
    } else {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
        if (m_inUse) *m_inUse = false;
    }
    m_stmt = nullptr;
    m_inUse = nullptr;
}

int BindVariant(sqlite3_stmt* stmt, int index, const Variant& v) {
    switch (v.vt) {
    case VT_EMPTY:
    case VT_NULL: return sqlite3_bind_null(stmt, index);
    case VT_I2: case VT_I4: case VT_I1: case VT_UI1: case VT_UI2: case VT_UI4:
    case VT_I8: case VT_UI8: case VT_INT: case VT_UINT: case VT_BOOL:
        return sqlite3_bind_int64(stmt, index, v.i);
    case VT_R4: case VT_R8: case VT_DATE: case VT_DECIMAL:
        return sqlite3_bind_double(stmt, index, v.d);
    case VT_CY: return sqlite3_bind_double(stmt, index, static_cast<double>(v.i) / 10000.0);
    case VT_BSTR: case VT_LPSTR: case VT_LPWSTR:
        return sqlite3_bind_text(stmt, index, v.s.data(), static_cast<int>(v.s.size()),
                                 SQLITE_TRANSIENT);
    case VT_ARRAY_UI1: case VT_BLOB: case VT_BLOB_OBJECT:
        return sqlite3_bind_blob(stmt, index, v.bytes.empty() ? "" : (const void*)v.bytes.data(),
                                 static_cast<int>(v.bytes.size()), SQLITE_TRANSIENT);
    default: return SQLITE_MISMATCH;
    }
}

Variant ColumnVariant(sqlite3_stmt* stmt, int column, bool boolean) {
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER: {
        sqlite3_int64 n = sqlite3_column_int64(stmt, column);
        if (boolean) return Variant::Bool(n != 0);
        if (n >= INT32_MIN && n <= INT32_MAX) return Variant::Long(static_cast<int32_t>(n));
        return Variant::Int(VT_I8, n);
    }
    case SQLITE_FLOAT: return Variant::Real(VT_R8, sqlite3_column_double(stmt, column));
    case SQLITE_TEXT: {
        const char* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
        return Variant::Text(std::string(p ? p : "", static_cast<size_t>(sqlite3_column_bytes(stmt, column))));
    }
    case SQLITE_BLOB: {
        const uint8_t* p = static_cast<const uint8_t*>(sqlite3_column_blob(stmt, column));
        size_t n = static_cast<size_t>(sqlite3_column_bytes(stmt, column));
        return Variant::Bytes(p ? std::vector<uint8_t>(p, p + n) : std::vector<uint8_t>());
    }
    default: return Variant::Null();
    }
}
