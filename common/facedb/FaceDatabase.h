// The face database file of an installation: where it is, its password, and making
// the empty one that ships with the programs.
#pragma once
#include <string>

#include "AdoConnection.h"

namespace FaceDatabase {

// Below the program folder (which ends with its separator).
constexpr const char* kRelativePath = "data\\mienko.db";
// The password as every program holds it: base64 with "?" as padding.
constexpr const char* kStoredPassword = "ZK3wQp7LmT2vXa9RbN4?";

// Decodes kStoredPassword the way the programs do: into a zero-filled 64-byte buffer,
// read back as a NUL-terminated text.
std::string DecodePassword();

// Opens the file with the decoded password.
bool Open(CAdoConnection& connection, const std::string& path);

// Creates a new, empty face database at `path` with the password and the two fixed
// tables. False when the file exists or cannot be made.
bool CreateEmpty(const std::string& path);

}  // namespace FaceDatabase
