// The fake messenger's UTF-8 event log: one line per event, visible to readers at once.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

namespace fakeqq {

class Log {
public:
    explicit Log(const std::wstring& path);
    ~Log();
    Log(const Log&) = delete;
    Log& operator=(const Log&) = delete;

    bool IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }
    // Writes "<ms since start> <line>\r\n"; free text in the line must already be escaped.
    void Write(std::string_view line);

private:
    HANDLE m_file = INVALID_HANDLE_VALUE;
    ULONGLONG m_start = 0;
};

}  // namespace fakeqq
