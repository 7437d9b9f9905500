// A static cursor over a query result, as the access layer's recordset sees it.
//
// The result is read at open and then moved over freely. Long binary values are the
// exception: they are read (size and bytes) when a caller asks for them, so a page of
// faces costs the page, not every image before it. They come from the same snapshot
// as the rows: the recordset holds the connection's read snapshot until it is closed,
// its cursor reaches the end, or the connection writes (other programs' writes never
// wait for it, but the write-ahead log cannot restart while it is held). After that a
// long value is read from the live row, and a row that has since gone or now holds
// another key reads as empty, never as another row's value.
// A recordset on one table (by name, or "select * from T ...") keeps each row's id and
// is updatable: AddNew/PutCollect/Update become an insert or update of that row, and
// the row is read back afterwards, identity value included.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "DbConnection.h"
#include "JetDialect.h"
#include "Variant.h"

class DbField;
class DbFields;

class DbRecordset : public std::enable_shared_from_this<DbRecordset> {
public:
    DbRecordset() = default;
    DbRecordset(const DbRecordset&) = delete;
    DbRecordset& operator=(const DbRecordset&) = delete;

    // `options`: adCmdTable with a table name, otherwise SQL text.
    bool Open(DbConnection* conn, const std::string& source, int32_t options);
    bool OpenStatement(DbConnection* conn, const JetStatement& st, bool updatable);
    void Close();
    int32_t State() const { return m_open ? 1 : 0; }
    bool SetCursorLocation(int32_t location);

    bool MoveFirst();
    bool MoveNext();
    bool MovePrevious();
    bool Move(int32_t count, const Variant& start);
    // While a new row is being added, the cursor stands on it.
    bool IsEOF() const { return m_editMode != 2 && m_pos >= RowCount(); }
    // -1 when the cursor cannot tell, as a server-side cursor reports.
    int32_t RecordCount() const;
    bool GetAbsolutePosition(int32_t& out) const;
    bool SetAbsolutePosition(int32_t position);

    bool AddNew();
    bool Update();
    bool CancelUpdate();
    int32_t EditMode() const { return m_editMode; }

    // Field access by name or zero-based position (VT_BSTR or an integer type).
    bool GetCollect(const Variant& index, Variant& out);
    bool PutCollect(const Variant& index, const Variant& value);
    std::shared_ptr<DbFields> Fields();

    // --- for field objects ---
    int FieldIndex(const Variant& index) const;
    int FieldCount() const { return static_cast<int>(m_columns.size()); }
    const std::string& FieldName(int column) const { return m_columns[column].name; }
    int32_t FieldAttributes(int column) const;
    bool FieldActualSize(int column, int32_t& out);
    bool FieldGetChunk(int column, int32_t length, Variant& out);
    bool FieldAppendChunk(int column, const Variant& data);

private:
    struct Column {
        std::string name;
        bool isBlob = false;
        bool deferred = false;  // bytes are read on demand by row id
        bool isIdentity = false;
        bool isKey = false;
        bool isBool = false;
        bool isText = false;
        int width = 0;
    };
    struct Row {
        int64_t rowid = 0;
        std::vector<Variant> values;  // deferred long values: VT_EMPTY, read on demand
    };

    int RowCount() const { return static_cast<int>(m_rows.size()); }
    bool OnRecord() const { return m_open && m_pos >= 0 && m_pos < RowCount(); }
    bool ReadRows(sqlite3_stmt* stmt, bool withRowId);
    bool ReadRow(int64_t rowid, Row& row);
    std::string SelectList() const;
    const Variant* LoadValue(int column);
    const Variant* ValueAt(int column);
    void SetPosition(int pos);
    void ResetChunks();
    bool WriteEdit();
    bool CurrentValue(int column, Variant& out);
    void TouchField(int column);

    DbConnection* m_conn = nullptr;
    bool m_open = false;
    bool m_updatable = false;
    int32_t m_cursorLocation = 2;  // adUseServer
    std::string m_table;
    std::vector<Column> m_columns;
    std::vector<Row> m_rows;
    int m_pos = 0;

    // the pending edit
    int32_t m_editMode = 0;
    std::vector<Variant> m_edit;
    std::vector<bool> m_changed;
    int m_posBeforeAdd = 0;
    int m_appendColumn = -1;

    // chunked reading
    int m_chunkColumn = -1;
    size_t m_chunkOffset = 0;
    int m_loadedColumn = -1;
    int m_loadedRow = -1;
    Variant m_loaded;

    std::unique_ptr<DbSnapshot> m_snapshot;  // while long values come from the open's view
};
