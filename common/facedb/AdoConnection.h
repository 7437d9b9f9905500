// CAdoConnection: the connection half of the database access pair compiled into all
// three programs. Every failure comes back as a plain result; nothing is thrown,
// shown or logged. Below it is the SQLite engine (DbConnection).
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "AdoConstants.h"
#include "DbConnection.h"
#include "DbRecordset.h"

class CAdoConnection {
public:
    CAdoConnection();
    // For a connection whose engine object could not be made: every operation fails.
    explicit CAdoConnection(std::unique_ptr<DbConnection> connection);
    CAdoConnection(const CAdoConnection&) = delete;
    CAdoConnection& operator=(const CAdoConnection&) = delete;
    virtual ~CAdoConnection();

    bool OpenJetDatabase(const std::string& path, const std::string& password,
                         int32_t options = adConnectUnspecified);
    // An empty `connectionString` reuses the last one given.
    bool Open(const std::string& connectionString, int32_t options = adConnectUnspecified);
    void Close();
    bool IsOpen() const;
    // The resulting recordset (closed for statements without rows), empty on failure.
    std::shared_ptr<DbRecordset> Execute(const std::string& sql);
    int32_t BeginTrans();
    bool CommitTrans();
    bool RollbackTrans();

    const std::string& GetConnectionString() const { return m_connectionString; }
    DbConnection* GetInterface() const { return m_connection.get(); }

private:
    std::string m_connectionString;
    std::unique_ptr<DbConnection> m_connection;
};
