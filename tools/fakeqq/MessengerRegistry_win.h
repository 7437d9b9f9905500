// The messenger's registry entries, which the main program follows to start it.
#pragma once
#include <string>

#include "FakeQQOptions.h"

namespace fakeqq {

// Writes HKLM "<key>\Install" (REG_SZ). An empty install folder is derived from exePath so
// that the main program's lookup ("\Bin\QQ.exe" or "\QQ.exe" appended) names exePath's folder.
// *written receives the folder written.
bool RegisterMessenger(const Registration& registration, const std::string& exePath,
                       std::string* written);

// Deletes both messenger keys; a key that is not there counts as deleted.
bool UnregisterMessenger();

}  // namespace fakeqq
