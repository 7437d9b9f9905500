// One transaction level around a library operation: committed when the operation
// says so, rolled back otherwise.
#pragma once
#include "AdoConnection.h"

class LibraryTransaction {
public:
    explicit LibraryTransaction(CAdoConnection& connection)
        : m_connection(connection), m_level(connection.BeginTrans()) {}
    LibraryTransaction(const LibraryTransaction&) = delete;
    LibraryTransaction& operator=(const LibraryTransaction&) = delete;
    ~LibraryTransaction() {
        if (m_level > 0) m_connection.RollbackTrans();
    }

    bool Began() const { return m_level > 0; }
    bool Commit() {
        if (m_level <= 0) return false;
        m_level = 0;
        return m_connection.CommitTrans();
    }

private:
    CAdoConnection& m_connection;
    int32_t m_level;
};
