// CAdoRecordSet: the recordset half of the database access pair. One object serves
// query after query (each Open closes the previous result). Failures are results;
// the only thing it ever shows is the "database may have been disconnected" notice
// when a text value is read from a closed recordset.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "AdoConnection.h"
#include "DbField.h"
#include "DbRecordset.h"
#include "MessageSink.h"
#include "Variant.h"

class CAdoRecordSet {
public:
    // `messages` shows the layer's one notice; it may be null (nothing is shown).
    explicit CAdoRecordSet(MessageSink* messages = nullptr);
    // For a recordset whose engine object could not be made: every operation fails.
    CAdoRecordSet(std::shared_ptr<DbRecordset> recordset, MessageSink* messages);
    CAdoRecordSet(const CAdoRecordSet&) = delete;
    CAdoRecordSet& operator=(const CAdoRecordSet&) = delete;
    virtual ~CAdoRecordSet();

    void SetConnection(CAdoConnection* connection) { m_connection = connection; }
    bool UseClientCursor();
    // `options`: adCmdTable with a table name, adCmdText with SQL. An empty source
    // reuses the last one.
    bool Open(const std::string& source, int32_t options);
    void Close();
    int32_t GetState();
    bool IsOpen();
    int32_t GetEditMode();

    bool AddNew();
    bool Update();  // a failed update leaves no pending edit
    bool CancelUpdate();

    bool MoveFirst();
    bool MoveNext();
    bool MovePrevious();
    // `start`: adBookmarkCurrent/First/Last as an integer value, or empty for current.
    bool Move(int32_t count, const Variant& start = Variant());
    bool IsEOF();
    int32_t GetRecordCount();
    int32_t GetAbsolutePosition();
    bool SetAbsolutePosition(int32_t position);

    std::shared_ptr<DbFields> GetFields();
    std::shared_ptr<DbField> GetField(const std::string& name);
    int32_t GetFieldAttributes(const std::string& name);
    int32_t GetFieldActualSize(const std::string& name);

    bool GetCollect(int32_t position, int32_t& value);
    bool GetCollect(const std::string& name, int32_t& value);
    bool GetCollect(const std::string& name, std::string& text);
    // Reads any value as it is (a helper of this project, beside the text and long forms).
    bool GetCollect(const std::string& name, Variant& value);

    bool PutCollect(const std::string& name, const Variant& value);
    bool PutCollect(const std::string& name, int32_t value);
    bool PutCollect(const std::string& name, const std::string& text);  // "" stores NULL
    bool PutCollect(const std::string& name, const char* text) { return PutCollect(name, std::string(text)); }
    bool PutCollectBytes(const std::string& name, const void* data, size_t length);

    // Long binary fields only. AppendChunk writes the whole value in one call.
    bool AppendChunk(const std::string& name, const void* data, size_t length);
    // Copies the whole value into `buffer`; false (nothing trusted in the buffer) when
    // the value would not fit in `capacity` bytes.
    bool GetChunk(const std::string& name, void* buffer, size_t capacity);

    const std::string& GetSource() const { return m_source; }

    static constexpr int kChunkSize = 100;

private:
    bool ReadCollect(const Variant& index, Variant& value);

    CAdoConnection* m_connection = nullptr;
    std::shared_ptr<DbRecordset> m_recordset;
    std::string m_source;
    MessageSink* m_messages;
};
