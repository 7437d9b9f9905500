// Helpers for Windows-side tests run by tests/harness/wine-test.sh.
// Paths are UTF-8; the harness passes its folders through the environment.
#pragma once
#include <chrono>
#include <functional>
#include <string>

namespace testkit {

std::string AppDir();                          // FACELIB_APPDIR, no trailing backslash
std::string RunDir();                          // scratch folder of this run
std::string SourcePath(const std::string& rel); // file in the source tree ("/" or "\" separators)
std::string Env(const char* name);

std::wstring Wide(const std::string& utf8);      // for the W calls of test code
std::string Narrow(const std::wstring& utf16);

// Asks the harness for a PNG of the whole display, kept as FACELIB_SHOTS\name.png.
// Returns false when no harness answered within the timeout.
bool Screenshot(const std::string& name,
                std::chrono::milliseconds timeout = std::chrono::seconds(10));

// How many times slower than native Wine this run is (FACELIB_TIME_SCALE, set by the harness:
// 5 under emulated 32-bit Wine, 1 under native wine64; at least 1).
int TimeScale();
std::chrono::milliseconds Scaled(std::chrono::milliseconds native);
unsigned long ScaledMs(unsigned long nativeMs);   // for the DWORD timeouts of Win32 calls

// Polls cond until it holds or the timeout passes, pumping this thread's messages.
// The timeout is a native figure: it is scaled by TimeScale().
bool WaitUntil(const std::function<bool()>& cond,
               std::chrono::milliseconds timeout = std::chrono::seconds(10),
               std::chrono::milliseconds step = std::chrono::milliseconds(20));

std::string ReadFile(const std::string& path);  // whole file, empty when missing
bool FileExists(const std::string& path);

}  // namespace testkit
