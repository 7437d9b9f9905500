#include "Log_win.h"

namespace fakeqq {

Log::Log(const std::wstring& path) : m_start(GetTickCount64()) {
    // Shared for reading and deleting: tests poll the file while the messenger writes.
    m_file = CreateFileW(path.c_str(), FILE_APPEND_DATA,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

Log::~Log() {
    if (m_file != INVALID_HANDLE_VALUE) CloseHandle(m_file);
}

void Log::Write(std::string_view line) {
    if (m_file == INVALID_HANDLE_VALUE) return;
    // One WriteFile per line, so a reader never sees half a line followed by another's.
    std::string text = std::to_string(GetTickCount64() - m_start);
    text += ' ';
    text += line;
    text += "\r\n";
    DWORD written = 0;
    WriteFile(m_file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

}  // namespace fakeqq
