// The database password: kept in the file as a salted, iterated MD5 verifier in a
// table of its own ("facelib_password"), never in plain form. The password text is in
// every program anyway; this gate keeps the file from being opened by mistake.
#pragma once
#include <sqlite3.h>

#include <string>

// Stores the verifier of `password` (replacing any earlier one). An empty password
// removes the gate.
bool DbWritePassword(sqlite3* db, const std::string& password);

enum class PasswordCheck { Match, Mismatch, Error };
// Match when the file has no verifier or `password` fits it; Error when the file
// cannot be read (not a database, damaged).
PasswordCheck DbCheckPassword(sqlite3* db, const std::string& password);

// "md5x1000$" salt-hex "$" digest-hex for the given salt (exposed for tests).
std::string DbPasswordVerifier(const std::string& saltHex, const std::string& password);
