#include "DbRecordset.h"

#include <cctype>

#include "AdoConstants.h"
#include "DbField.h"

namespace {

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool IsIntegerType(uint16_t vt) {
    switch (vt) {
    case VT_I2: case VT_I4: case VT_I1: case VT_UI1: case VT_UI2: case VT_UI4:
    case VT_I8: case VT_UI8: case VT_INT: case VT_UINT: return true;
    default: return false;
    }
}

bool BindParams(sqlite3_stmt* stmt, const std::vector<std::string>& params) {
    if (sqlite3_bind_parameter_count(stmt) != static_cast<int>(params.size())) return false;
    for (size_t k = 0; k < params.size(); ++k)
        if (sqlite3_bind_text(stmt, static_cast<int>(k + 1), params[k].data(),
                              static_cast<int>(params[k].size()), SQLITE_TRANSIENT) != SQLITE_OK)
            return false;
    return true;
}

}  // namespace

bool DbRecordset::Open(DbConnection* conn, const std::string& source, int32_t options) {
    Close();
    if (!conn || !conn->State()) return false;
    if ((options & 0xFF) == adCmdTable) {
        JetStatement st;
        st.ok = st.isQuery = st.singleTableStar = true;
        st.table = source;
        return OpenStatement(conn, st, true);
    }
    JetStatement st = TranslateJet(source);
    if (!st.ok) return false;
    if (!st.isQuery) {
        // A command that returns no rows runs and leaves the recordset closed.
        return conn->Execute(source) != nullptr;
    }
    return OpenStatement(conn, st, true);
}

std::string DbRecordset::SelectList() const {
    // Long values are left out altogether: even their length would make SQLite copy
    // each one out of its page.
    std::string list = "rowid";
    for (const Column& c : m_columns)
        if (!c.deferred) list += ", " + QuoteIdentifier(c.name);
    return list;
}

bool DbRecordset::OpenStatement(DbConnection* conn, const JetStatement& st, bool updatable) {
    Close();
    m_conn = conn;
    m_columns.clear();
    m_rows.clear();
    StatementLease stmt;
    bool withRowId = false;
    if (updatable && st.singleTableStar) {
        const DbTable* table = conn->Table(st.table);
        if (!table) return false;
        for (const DbColumn& dc : table->columns) {
            Column c;
            c.name = dc.name;
            c.isBlob = c.deferred = dc.isBlob;
            c.isIdentity = dc.isIdentity;
            c.isKey = dc.isKey;
            c.isBool = dc.isBool;
            c.isText = dc.declType.find("CHAR") != std::string::npos ||
                       dc.declType.find("TEXT") != std::string::npos;
            c.width = dc.width;
            m_columns.push_back(c);
        }
        // Taken before the rows are read, so rows and long values share one view.
        for (const Column& c : m_columns)
            if (c.deferred) {
                m_snapshot = conn->HoldSnapshot();
                break;
            }
        std::string sql = "SELECT " + SelectList() + " FROM " + QuoteIdentifier(table->name) +
                          st.tail;
        if (st.limit >= 0) sql += " LIMIT " + std::to_string(st.limit);
        stmt = conn->Prepare(sql);
        withRowId = true;
        m_table = table->name;
        m_updatable = true;
    } else {
        stmt = conn->Prepare(st.sql);
        if (stmt) {
            int n = sqlite3_column_count(stmt.Get());
            for (int k = 0; k < n; ++k) {
                Column c;
                const char* name = sqlite3_column_name(stmt.Get(), k);
                const char* decl = sqlite3_column_decltype(stmt.Get(), k);
                std::string type = decl ? decl : "";
                for (char& ch : type) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
                c.name = name ? name : "";
                c.isBlob = type.find("BLOB") != std::string::npos;
                c.isBool = type == "BIT" || type == "BOOLEAN" || type == "YESNO";
                c.isText = type.find("CHAR") != std::string::npos || type.find("TEXT") != std::string::npos;
                m_columns.push_back(c);
            }
        }
        m_updatable = false;
    }
    if (!stmt || !BindParams(stmt.Get(), st.params)) {
        m_columns.clear();
        m_updatable = false;
        m_snapshot.reset();
        return false;
    }
    if (!ReadRows(stmt.Get(), withRowId)) {
        m_rows.clear();
        m_columns.clear();
        m_updatable = false;
        m_snapshot.reset();
        return false;
    }
    m_open = true;
    SetPosition(0);
    return true;
}

bool DbRecordset::ReadRows(sqlite3_stmt* stmt, bool withRowId) {
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        Row row;
        if (withRowId) row.rowid = sqlite3_column_int64(stmt, 0);
        row.values.resize(m_columns.size());  // deferred values stay VT_EMPTY until asked for
        int col = withRowId ? 1 : 0;
        for (size_t k = 0; k < m_columns.size(); ++k)
            if (!m_columns[k].deferred) row.values[k] = ColumnVariant(stmt, col++, m_columns[k].isBool);
        m_rows.push_back(std::move(row));
    }
    return rc == SQLITE_DONE;
}

bool DbRecordset::ReadRow(int64_t rowid, Row& row) {
    std::string sql = "SELECT " + SelectList() + " FROM " + QuoteIdentifier(m_table) +
                      " WHERE rowid=?";
    StatementLease stmt = m_conn->Prepare(sql);
    if (!stmt) return false;
    sqlite3_bind_int64(stmt.Get(), 1, rowid);
    size_t before = m_rows.size();
    if (!ReadRows(stmt.Get(), true) || m_rows.size() != before + 1) {
        m_rows.resize(before);
        return false;
    }
    row = std::move(m_rows.back());
    m_rows.pop_back();
    return true;
}

void DbRecordset::Close() {
    if (m_editMode != adEditNone) CancelUpdate();
    m_open = false;
    m_updatable = false;
    m_rows.clear();
    m_columns.clear();
    m_table.clear();
    m_pos = 0;
    ResetChunks();
    m_loadedRow = m_loadedColumn = -1;
    m_loaded = Variant();
    m_snapshot.reset();
}

bool DbRecordset::SetCursorLocation(int32_t location) {
    if (m_open || (location != adUseServer && location != adUseClient)) return false;
    m_cursorLocation = location;
    return true;
}

void DbRecordset::ResetChunks() {
    m_chunkColumn = -1;
    m_chunkOffset = 0;
    m_appendColumn = -1;
}

void DbRecordset::SetPosition(int pos) {
    m_pos = pos;
    ResetChunks();
    // A reader that walked to the end is done: it no longer holds back the log.
    if (m_snapshot && pos >= RowCount()) m_snapshot.reset();
}

bool DbRecordset::MoveFirst() {
    if (!m_open || RowCount() == 0) return false;
    if (m_editMode != adEditNone && !Update()) return false;
    SetPosition(0);
    return true;
}

bool DbRecordset::MoveNext() {
    if (!m_open || (m_editMode != adEditAdd && IsEOF())) return false;
    if (m_editMode != adEditNone && !Update()) return false;
    SetPosition(m_pos + 1);
    return true;
}

bool DbRecordset::MovePrevious() {
    if (!m_open || (m_editMode != adEditAdd && m_pos < 0)) return false;
    if (m_editMode != adEditNone && !Update()) return false;
    SetPosition(m_pos - 1 < 0 ? -1 : m_pos - 1);
    return true;
}

bool DbRecordset::Move(int32_t count, const Variant& start) {
    if (!m_open || RowCount() == 0) return false;
    int base;
    if (start.vt == VT_EMPTY || start.vt == 10 /* VT_ERROR: argument left out */) {
        base = m_pos;
    } else if (IsIntegerType(start.vt) && start.i == adBookmarkCurrent) {
        base = m_pos;
    } else if (IsIntegerType(start.vt) && start.i == adBookmarkFirst) {
        base = 0;
    } else if (IsIntegerType(start.vt) && start.i == adBookmarkLast) {
        base = RowCount() - 1;
    } else {
        return false;  // this cursor keeps no bookmarks
    }
    if (m_editMode != adEditNone && !Update()) return false;
    if (base == m_pos && ((IsEOF() && count > 0) || (m_pos < 0 && count < 0))) return false;
    int64_t target = static_cast<int64_t>(base) + count;
    if (target < 0) target = -1;
    if (target > RowCount()) target = RowCount();
    SetPosition(static_cast<int>(target));
    return true;
}

int32_t DbRecordset::RecordCount() const {
    if (!m_open) return -1;
    return m_cursorLocation == adUseClient ? RowCount() : -1;
}

bool DbRecordset::GetAbsolutePosition(int32_t& out) const {
    if (!m_open) return false;
    if (RowCount() == 0) out = adPosUnknown;
    else if (m_pos < 0) out = adPosBOF;
    else if (m_pos >= RowCount()) out = adPosEOF;
    else out = m_pos + 1;
    return true;
}

bool DbRecordset::SetAbsolutePosition(int32_t position) {
    if (!m_open || position < 1 || position > RowCount()) return false;
    if (m_editMode != adEditNone && !Update()) return false;
    SetPosition(position - 1);
    return true;
}

int DbRecordset::FieldIndex(const Variant& index) const {
    if (index.vt == VT_BSTR) {
        for (size_t k = 0; k < m_columns.size(); ++k)
            if (SameName(m_columns[k].name, index.s)) return static_cast<int>(k);
        return -1;
    }
    if (IsIntegerType(index.vt) && index.i >= 0 && index.i < static_cast<int64_t>(m_columns.size()))
        return static_cast<int>(index.i);
    return -1;
}

int32_t DbRecordset::FieldAttributes(int column) const {
    const Column& c = m_columns[column];
    if (c.isIdentity) return adFldFixed | adFldKeyColumn;
    int32_t a = adFldIsNullable | adFldMayBeNull;
    if (c.isBlob) a |= adFldLong;
    else if (!c.isText || c.width > 0) a |= adFldFixed;
    if (m_updatable) a |= adFldUpdatable;
    return a;
}

std::shared_ptr<DbFields> DbRecordset::Fields() {
    if (!m_open) return nullptr;
    return std::make_shared<DbFields>(shared_from_this());
}
