// Test side of RecStub.exe: place it under a sibling's name, read what it recorded.
#pragma once
#include <string>
#include <vector>

namespace recstub {

// Copies RecStub.exe from `stubDir` to `folder\exeName` (replacing a file there) and removes
// records of earlier starts. False when the copy failed.
bool PlaceStub(const std::string& stubDir, const std::string& folder, const std::string& exeName);

// The parameter texts of every start so far, oldest first ("<name>.cmdline.txt" in folder;
// name without extension).
std::vector<std::string> RecordedArguments(const std::string& folder, const std::string& name);
// The "cmdline=...\tcwd=..." records, oldest first.
std::vector<std::string> RecordedLaunches(const std::string& folder, const std::string& name);

}  // namespace recstub
