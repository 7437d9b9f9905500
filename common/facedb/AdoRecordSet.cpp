#include "AdoRecordSet.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr const char* kDisconnectedText = "数据库可能已经断开,\r\n请重新连接、然后重试.";
constexpr const char* kDisconnectedCaption = "提示";

}  // namespace

CAdoRecordSet::CAdoRecordSet(MessageSink* messages)
    : m_recordset(std::make_shared<DbRecordset>()), m_messages(messages) {}

CAdoRecordSet::CAdoRecordSet(std::shared_ptr<DbRecordset> recordset, MessageSink* messages)
    : m_recordset(std::move(recordset)), m_messages(messages) {}

CAdoRecordSet::~CAdoRecordSet() { Close(); }

bool CAdoRecordSet::UseClientCursor() {
    return m_recordset && m_recordset->SetCursorLocation(adUseClient);
}

bool CAdoRecordSet::Open(const std::string& source, int32_t options) {
    if (!source.empty()) m_source = source;
    if (!m_connection || !m_recordset || m_source.empty()) return false;
    DbConnection* db = m_connection->GetInterface();
    if (!db) return false;
    if (IsOpen()) Close();
    return m_recordset->Open(db, m_source, options);
}

void CAdoRecordSet::Close() {
    if (!m_recordset || m_recordset->State() == 0) return;
    if (GetEditMode() != adEditNone) CancelUpdate();
    m_recordset->Close();
}

int32_t CAdoRecordSet::GetState() { return m_recordset ? m_recordset->State() : -1; }

bool CAdoRecordSet::IsOpen() {
    if (!m_recordset) return false;
    int32_t state = GetState();
    return state != -1 && (state & adStateOpen) != 0;
}

int32_t CAdoRecordSet::GetEditMode() { return m_recordset ? m_recordset->EditMode() : adEditNone; }

bool CAdoRecordSet::AddNew() { return m_recordset && m_recordset->AddNew(); }

bool CAdoRecordSet::Update() {
    if (m_recordset && m_recordset->Update()) return true;
    CancelUpdate();
    return false;
}

bool CAdoRecordSet::CancelUpdate() {
    if (!m_recordset) return false;
    if (GetEditMode() == adEditNone) return true;
    return m_recordset->CancelUpdate();
}

bool CAdoRecordSet::MoveFirst() { return m_recordset && m_recordset->MoveFirst(); }
bool CAdoRecordSet::MoveNext() { return m_recordset && m_recordset->MoveNext(); }
bool CAdoRecordSet::MovePrevious() { return m_recordset && m_recordset->MovePrevious(); }

bool CAdoRecordSet::Move(int32_t count, const Variant& start) {
    return m_recordset && m_recordset->Move(count, start);
}

bool CAdoRecordSet::IsEOF() {
    return m_recordset && m_recordset->State() && m_recordset->IsEOF();
}

int32_t CAdoRecordSet::GetRecordCount() {
    if (!m_recordset || !m_recordset->State()) return -1;
    int32_t count = m_recordset->RecordCount();
    if (count >= 0) return count;
    // The cursor cannot tell: count by walking, then go back where we were.
    int32_t position = GetAbsolutePosition();
    count = 0;
    if (MoveFirst()) {
        while (!IsEOF()) {
            if (!MoveNext()) return -1;
            ++count;
        }
    }
    if (position > 0) SetAbsolutePosition(position);
    else if (position == adPosBOF && MoveFirst()) MovePrevious();
    return count;
}

int32_t CAdoRecordSet::GetAbsolutePosition() {
    int32_t position;
    if (!m_recordset || !m_recordset->GetAbsolutePosition(position)) return -1;
    return position;
}

bool CAdoRecordSet::SetAbsolutePosition(int32_t position) {
    return m_recordset && m_recordset->SetAbsolutePosition(position);
}

std::shared_ptr<DbFields> CAdoRecordSet::GetFields() {
    return m_recordset ? m_recordset->Fields() : nullptr;
}

std::shared_ptr<DbField> CAdoRecordSet::GetField(const std::string& name) {
    std::shared_ptr<DbFields> fields = GetFields();
    return fields ? fields->Item(Variant::Text(name)) : nullptr;
}

int32_t CAdoRecordSet::GetFieldAttributes(const std::string& name) {
    std::shared_ptr<DbField> field = GetField(name);
    int32_t attributes;
    if (!field || !field->Attributes(attributes)) return -1;
    return attributes;
}

int32_t CAdoRecordSet::GetFieldActualSize(const std::string& name) {
    std::shared_ptr<DbField> field = GetField(name);
    int32_t size;
    if (!field || !field->ActualSize(size)) return -1;
    return size;
}

bool CAdoRecordSet::ReadCollect(const Variant& index, Variant& value) {
    return m_recordset && m_recordset->GetCollect(index, value);
}

bool CAdoRecordSet::GetCollect(int32_t position, int32_t& value) {
    Variant v;
    value = 0;
    if (!ReadCollect(Variant::Long(position), v)) return false;
    value = VariantToLong(v);
    return true;
}

bool CAdoRecordSet::GetCollect(const std::string& name, int32_t& value) {
    Variant v;
    value = 0;
    if (!ReadCollect(Variant::Text(name), v)) return false;
    value = VariantToLong(v);
    return true;
}

bool CAdoRecordSet::GetCollect(const std::string& name, std::string& text) {
    if (!IsOpen()) {
        if (m_messages) m_messages->ShowInfo(kDisconnectedText, kDisconnectedCaption);
        return false;
    }
    if (IsEOF()) return false;
    Variant v;
    if (!ReadCollect(Variant::Text(name), v)) return false;
    text = VariantToText(v);
    return true;
}

bool CAdoRecordSet::GetCollect(const std::string& name, Variant& value) {
    return ReadCollect(Variant::Text(name), value);
}

bool CAdoRecordSet::PutCollect(const std::string& name, const Variant& value) {
    return m_recordset && m_recordset->PutCollect(Variant::Text(name), value);
}

bool CAdoRecordSet::PutCollect(const std::string& name, int32_t value) {
    return PutCollect(name, Variant::Long(value));
}

bool CAdoRecordSet::PutCollect(const std::string& name, const std::string& text) {
    return PutCollect(name, text.empty() ? Variant::Null() : Variant::Text(text));
}

bool CAdoRecordSet::PutCollectBytes(const std::string& name, const void* data, size_t length) {
    if (!m_recordset || (data == nullptr && length > 0)) return false;
    const uint8_t* p = static_cast<const uint8_t*>(data);
    return PutCollect(name, Variant::Bytes(std::vector<uint8_t>(p, p + length)));
}

bool CAdoRecordSet::AppendChunk(const std::string& name, const void* data, size_t length) {
    int32_t attributes = GetFieldAttributes(name);
    if (attributes == -1 || (attributes & adFldLong) == 0) return false;
    if (data == nullptr && length > 0) return false;
    std::shared_ptr<DbField> field = GetField(name);
    if (!field) return false;
    const uint8_t* p = static_cast<const uint8_t*>(data);
    return field->AppendChunk(Variant::Bytes(std::vector<uint8_t>(p, p + length)));
}

bool CAdoRecordSet::GetChunk(const std::string& name, void* buffer, size_t capacity) {
    int32_t attributes = GetFieldAttributes(name);
    if (attributes == -1 || (attributes & adFldLong) == 0 || buffer == nullptr) return false;
    std::shared_ptr<DbField> field = GetField(name);
    if (!field) return false;
    uint8_t* out = static_cast<uint8_t*>(buffer);
    size_t counter = 0;
    for (;;) {
        int32_t actual;
        if (!field->ActualSize(actual) || actual < 0) return false;
        if (counter >= static_cast<size_t>(actual)) break;
        if (static_cast<size_t>(actual) > capacity) return false;
        Variant chunk;
        if (!field->GetChunk(kChunkSize, chunk) || chunk.vt != VT_ARRAY_UI1) return false;
        if (chunk.bytes.empty()) return false;  // the value shrank under us
        size_t take = std::min(chunk.bytes.size(), static_cast<size_t>(kChunkSize));
        take = std::min(take, capacity - counter);
        std::memcpy(out + counter, chunk.bytes.data(), take);
        counter += take;
    }
    return true;
}
