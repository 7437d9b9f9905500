#include "AdoConnection.h"

CAdoConnection::CAdoConnection() : m_connection(std::make_unique<DbConnection>()) {}

CAdoConnection::CAdoConnection(std::unique_ptr<DbConnection> connection)
    : m_connection(std::move(connection)) {}

CAdoConnection::~CAdoConnection() { Close(); }

bool CAdoConnection::OpenJetDatabase(const std::string& path, const std::string& password,
                                     int32_t options) {
    std::string text = "Provider=Microsoft.Jet.OLEDB.4.0; Data Source=" + path;
    if (!password.empty()) text += ";Jet OLEDB:Database Password=" + password + ";";
    return Open(text, options);
}

bool CAdoConnection::Open(const std::string& connectionString, int32_t /*options*/) {
    if (!connectionString.empty()) m_connectionString = connectionString;
    if (m_connectionString.empty()) return false;
    if (!m_connection) return false;
    if (IsOpen()) Close();
    return m_connection->Open(m_connectionString);
}

void CAdoConnection::Close() {
    if (m_connection && IsOpen()) m_connection->Close();
}

bool CAdoConnection::IsOpen() const {
    return m_connection && (m_connection->State() & adStateOpen) != 0;
}

std::shared_ptr<DbRecordset> CAdoConnection::Execute(const std::string& sql) {
    if (!m_connection) return nullptr;
    return m_connection->Execute(sql);
}

int32_t CAdoConnection::BeginTrans() {
    if (!m_connection) return -1;
    return m_connection->BeginTrans();
}

bool CAdoConnection::CommitTrans() { return m_connection && m_connection->CommitTrans(); }

bool CAdoConnection::RollbackTrans() { return m_connection && m_connection->RollbackTrans(); }
