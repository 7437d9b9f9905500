#include "FaceDatabase.h"

#include "AdoRecordSet.h"
#include "Base64.h"
#include "FaceLibrary.h"

namespace FaceDatabase {

std::string DecodePassword() {
    char buffer[64] = {};
    Base64Decode(buffer, kStoredPassword, 0);
    buffer[sizeof buffer - 1] = '\0';
    return std::string(buffer);
}

bool Open(CAdoConnection& connection, const std::string& path) {
    return connection.OpenJetDatabase(path, DecodePassword(), adConnectUnspecified);
}

bool CreateEmpty(const std::string& path) {
    if (!DbCreateFile(path, DecodePassword())) return false;
    CAdoConnection connection;
    if (!Open(connection, path)) return false;
    CAdoRecordSet recordset;
    recordset.SetConnection(&connection);
    FaceLibrary library(connection, recordset, nullptr);
    return library.EnsureTables();
}

}  // namespace FaceDatabase
