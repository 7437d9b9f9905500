// Reading and writing field values of the current row: the pending edit, the write
// back to the table, and chunked access to long binary values.
#include <algorithm>

#include "AdoConstants.h"
#include "DbRecordset.h"

namespace {

// Characters of a UTF-8 text, the unit of a char(n) width.
size_t CharCount(const std::string& s) {
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

size_t ValueSize(const Variant& v) {
    switch (v.vt) {
    case VT_EMPTY: case VT_NULL: return 0;
    case VT_BSTR: case VT_LPSTR: case VT_LPWSTR: return v.s.size();
    case VT_ARRAY_UI1: case VT_BLOB: case VT_BLOB_OBJECT: return v.bytes.size();
    case VT_I2: case VT_UI2: case VT_BOOL: return 2;
    case VT_I1: case VT_UI1: return 1;
    case VT_I8: case VT_UI8: case VT_R8: case VT_DATE: case VT_CY: return 8;
    case VT_DECIMAL: return 16;
    default: return 4;
    }
}

bool IsBindable(const Variant& v) {
    switch (v.vt) {
    case VT_EMPTY: case VT_NULL: case VT_I2: case VT_I4: case VT_R4: case VT_R8: case VT_CY:
    case VT_DATE: case VT_BSTR: case VT_BOOL: case VT_DECIMAL: case VT_I1: case VT_UI1:
    case VT_UI2: case VT_UI4: case VT_I8: case VT_UI8: case VT_INT: case VT_UINT:
    case VT_LPSTR: case VT_LPWSTR: case VT_ARRAY_UI1: case VT_BLOB: case VT_BLOB_OBJECT:
        return true;
    default: return false;
    }
}

}  // namespace

// Reading or writing one field ends a chunked read or append on another.
void DbRecordset::TouchField(int column) {
    if (m_chunkColumn != column) {
        m_chunkColumn = -1;
        m_chunkOffset = 0;
    }
    if (m_appendColumn != column) m_appendColumn = -1;
}

const Variant* DbRecordset::ValueAt(int column) {
    static const Variant kNull = Variant::Null();
    if (m_editMode != adEditNone && m_changed[column]) return &m_edit[column];
    if (m_editMode == adEditAdd) return &kNull;
    if (!OnRecord()) return nullptr;
    if (m_columns[column].deferred) return LoadValue(column);
    return &m_rows[m_pos].values[column];
}

bool DbRecordset::CurrentValue(int column, Variant& out) {
    const Variant* value = ValueAt(column);
    if (!value) return false;
    out = *value;
    return true;
}

// The long value of the current row, read once and kept while the cursor stays.
const Variant* DbRecordset::LoadValue(int column) {
    if (m_loadedColumn == column && m_loadedRow == m_pos) return &m_loaded;
    m_loadedColumn = m_loadedRow = -1;
    if (m_snapshot && !m_snapshot->Held()) m_snapshot.reset();
    // Outside the snapshot the row is found again by its row id and checked by its key:
    // a row id freed by a delete can be given to another row.
    std::vector<int> keys;
    std::string sql = "SELECT " + QuoteIdentifier(m_columns[column].name);
    if (!m_snapshot) {
        for (size_t k = 0; k < m_columns.size(); ++k) {
            if (!m_columns[k].isKey || m_columns[k].deferred) continue;
            keys.push_back(static_cast<int>(k));
            sql += ", " + QuoteIdentifier(m_columns[k].name);
        }
    }
    sql += " FROM " + QuoteIdentifier(m_table) + " WHERE rowid=?";
    StatementLease stmt = m_conn->Prepare(sql);
    if (!stmt) return nullptr;
    const Row& row = m_rows[m_pos];
    sqlite3_bind_int64(stmt.Get(), 1, row.rowid);
    int rc = sqlite3_step(stmt.Get());
    bool same = rc == SQLITE_ROW;
    for (size_t n = 0; same && n < keys.size(); ++n) {
        const Column& c = m_columns[keys[n]];
        Variant now = ColumnVariant(stmt.Get(), static_cast<int>(n + 1), c.isBool);
        const Variant& then = row.values[keys[n]];
        same = now.vt == then.vt && now.i == then.i && now.s == then.s && now.d == then.d;
    }
    if (same) {
        m_loaded = ColumnVariant(stmt.Get(), 0, false);
    } else if (rc == SQLITE_ROW || rc == SQLITE_DONE) {
        m_loaded = Variant::Null();  // the row is gone: its long value reads as empty
    } else {
        return nullptr;
    }
    m_loadedColumn = column;
    m_loadedRow = m_pos;
    return &m_loaded;
}

bool DbRecordset::GetCollect(const Variant& index, Variant& out) {
    if (!m_open) return false;
    int column = FieldIndex(index);
    if (column < 0) return false;
    TouchField(column);
    return CurrentValue(column, out);
}

bool DbRecordset::PutCollect(const Variant& index, const Variant& value) {
    if (!m_open || !m_updatable) return false;
    int column = FieldIndex(index);
    if (column < 0 || m_columns[column].isIdentity || !IsBindable(value)) return false;
    if (m_editMode == adEditNone) {
        if (!OnRecord()) return false;
        m_editMode = adEditInProgress;
        m_edit.assign(m_columns.size(), Variant());
        m_changed.assign(m_columns.size(), false);
    }
    TouchField(column);
    m_edit[column] = value;
    m_changed[column] = true;
    return true;
}

bool DbRecordset::AddNew() {
    if (!m_open || !m_updatable) return false;
    if (m_editMode != adEditNone && !Update()) return false;
    m_posBeforeAdd = m_pos;
    m_editMode = adEditAdd;
    m_edit.assign(m_columns.size(), Variant::Null());
    m_changed.assign(m_columns.size(), false);
    ResetChunks();
    return true;
}

bool DbRecordset::CancelUpdate() {
    if (m_editMode == adEditNone) return true;
    if (m_editMode == adEditAdd) m_pos = m_posBeforeAdd;
    m_editMode = adEditNone;
    m_edit.clear();
    m_changed.clear();
    ResetChunks();
    return true;
}

bool DbRecordset::Update() {
    if (!m_open) return false;
    if (m_editMode == adEditNone) return true;
    if (!WriteEdit()) return false;
    m_editMode = adEditNone;
    m_edit.clear();
    m_changed.clear();
    ResetChunks();
    m_loadedRow = m_loadedColumn = -1;
    return true;
}

bool DbRecordset::WriteEdit() {
    std::vector<int> cols;
    for (size_t k = 0; k < m_columns.size(); ++k) {
        if (!m_changed[k]) continue;
        const Column& c = m_columns[k];
        // A text longer than its char(n) column does not fit, as with the original engine.
        if (c.width > 0 && (m_edit[k].vt == VT_BSTR) && CharCount(m_edit[k].s) > static_cast<size_t>(c.width))
            return false;
        cols.push_back(static_cast<int>(k));
    }
    std::string sql;
    if (m_editMode == adEditAdd) {
        if (cols.empty()) {
            sql = "INSERT INTO " + QuoteIdentifier(m_table) + " DEFAULT VALUES";
        } else {
            std::string names, marks;
            for (int k : cols) {
                names += (names.empty() ? "" : ",") + QuoteIdentifier(m_columns[k].name);
                marks += marks.empty() ? "?" : ",?";
            }
            sql = "INSERT INTO " + QuoteIdentifier(m_table) + "(" + names + ") VALUES(" + marks + ")";
        }
    } else {
        if (cols.empty()) return true;
        std::string sets;
        for (int k : cols) sets += (sets.empty() ? "" : ",") + QuoteIdentifier(m_columns[k].name) + "=?";
        sql = "UPDATE " + QuoteIdentifier(m_table) + " SET " + sets + " WHERE rowid=?";
    }
    if (!m_conn->BeforeWrite()) return false;
    int64_t rowid;
    {
        StatementLease stmt = m_conn->Prepare(sql);
        if (!stmt) return false;
        int at = 1;
        for (int k : cols)
            if (BindVariant(stmt.Get(), at++, m_edit[k]) != SQLITE_OK) return false;
        if (m_editMode != adEditAdd) sqlite3_bind_int64(stmt.Get(), at, m_rows[m_pos].rowid);
        if (sqlite3_step(stmt.Get()) != SQLITE_DONE) return false;
        sqlite3* db = m_conn->Handle();
        if (m_editMode != adEditAdd && sqlite3_changes(db) != 1) return false;  // row gone
        rowid = m_editMode == adEditAdd ? sqlite3_last_insert_rowid(db) : m_rows[m_pos].rowid;
    }
    Row row;
    if (!ReadRow(rowid, row)) return false;
    if (m_editMode == adEditAdd) {
        m_rows.push_back(std::move(row));
        m_pos = RowCount() - 1;
    } else {
        m_rows[m_pos] = std::move(row);
    }
    return true;
}

bool DbRecordset::FieldActualSize(int column, int32_t& out) {
    if (!m_open) return false;
    // For a long value this reads it: the chunked read that follows uses it.
    const Variant* value = ValueAt(column);
    if (!value) return false;
    out = static_cast<int32_t>(ValueSize(*value));
    return true;
}

bool DbRecordset::FieldGetChunk(int column, int32_t length, Variant& out) {
    if (!m_open || length < 0) return false;
    if (m_chunkColumn != column) {
        m_chunkColumn = column;
        m_chunkOffset = 0;
    }
    m_appendColumn = -1;
    const Variant* current = ValueAt(column);
    if (!current) return false;
    const Variant& value = *current;
    if (value.IsNull()) {
        out = Variant::Null();
        return true;
    }
    size_t total;
    if (value.vt == VT_BSTR) total = value.s.size();
    else if (value.vt == VT_ARRAY_UI1) total = value.bytes.size();
    else return false;
    if (m_chunkOffset >= total) {
        out = Variant::Null();
        return true;
    }
    size_t take = std::min(total - m_chunkOffset, static_cast<size_t>(length));
    if (value.vt == VT_BSTR) {
        out = Variant::Text(value.s.substr(m_chunkOffset, take));
    } else {
        auto first = value.bytes.begin() + static_cast<std::ptrdiff_t>(m_chunkOffset);
        out = Variant::Bytes(std::vector<uint8_t>(first, first + static_cast<std::ptrdiff_t>(take)));
    }
    m_chunkOffset += take;
    return true;
}

bool DbRecordset::FieldAppendChunk(int column, const Variant& data) {
    if (!m_open || !m_updatable || data.vt != VT_ARRAY_UI1 || m_columns[column].isIdentity)
        return false;
    if (m_editMode == adEditNone) {
        if (!OnRecord()) return false;
        m_editMode = adEditInProgress;
        m_edit.assign(m_columns.size(), Variant());
        m_changed.assign(m_columns.size(), false);
    }
    m_chunkColumn = -1;
    if (m_appendColumn == column && m_edit[column].vt == VT_ARRAY_UI1) {
        m_edit[column].bytes.insert(m_edit[column].bytes.end(), data.bytes.begin(), data.bytes.end());
    } else {
        m_edit[column] = data;
        m_appendColumn = column;
    }
    m_changed[column] = true;
    return true;
}
