// The Fields collection and a Field of a recordset: handles that look the column up
// again on every call, so a handle kept past a re-open fails instead of reading the
// wrong column.
#pragma once
#include <memory>
#include <string>

#include "Variant.h"

class DbRecordset;

class DbField {
public:
    DbField(std::shared_ptr<DbRecordset> rs, int column, std::string name)
        : m_rs(std::move(rs)), m_column(column), m_name(std::move(name)) {}

    const std::string& Name() const { return m_name; }
    bool Attributes(int32_t& out) const;
    bool ActualSize(int32_t& out) const;
    bool Value(Variant& out) const;
    // The next `length` bytes of the value; VT_NULL once all were read.
    bool GetChunk(int32_t length, Variant& out) const;
    // The first call after a move or another field's access replaces the value,
    // later calls add to it.
    bool AppendChunk(const Variant& data) const;

private:
    bool Valid() const;

    std::shared_ptr<DbRecordset> m_rs;
    int m_column;
    std::string m_name;
};

class DbFields {
public:
    explicit DbFields(std::shared_ptr<DbRecordset> rs) : m_rs(std::move(rs)) {}
    int Count() const;
    // By name or zero-based position; null when there is no such field.
    std::shared_ptr<DbField> Item(const Variant& index) const;

private:
    std::shared_ptr<DbRecordset> m_rs;
};
