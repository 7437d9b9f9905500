#include "DbField.h"

#include "DbRecordset.h"

bool DbField::Valid() const {
    return m_rs && m_rs->State() && m_column < m_rs->FieldCount() &&
           m_rs->FieldName(m_column) == m_name;
}

bool DbField::Attributes(int32_t& out) const {
    if (!Valid()) return false;
    out = m_rs->FieldAttributes(m_column);
    return true;
}

bool DbField::ActualSize(int32_t& out) const {
    return Valid() && m_rs->FieldActualSize(m_column, out);
}

bool DbField::Value(Variant& out) const {
    return Valid() && m_rs->GetCollect(Variant::Long(m_column), out);
}

bool DbField::GetChunk(int32_t length, Variant& out) const {
    return Valid() && m_rs->FieldGetChunk(m_column, length, out);
}

bool DbField::AppendChunk(const Variant& data) const {
    return Valid() && m_rs->FieldAppendChunk(m_column, data);
}

int DbFields::Count() const { return m_rs && m_rs->State() ? m_rs->FieldCount() : 0; }

std::shared_ptr<DbField> DbFields::Item(const Variant& index) const {
    if (!m_rs || !m_rs->State()) return nullptr;
    int column = m_rs->FieldIndex(index);
    if (column < 0) return nullptr;
    return std::make_shared<DbField>(m_rs, column, m_rs->FieldName(column));
}
