// Test side of the fake messenger: start it, wait for it, steer it, read its log.
#pragma once
#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

namespace fakeqq {

class FakeQQProcess {
public:
    FakeQQProcess() = default;
    ~FakeQQProcess();  // asks it to quit, then ends it if it does not
    FakeQQProcess(const FakeQQProcess&) = delete;
    FakeQQProcess& operator=(const FakeQQProcess&) = delete;

    // Starts exe with the arguments (already quoted as needed) plus "--log logPath"; the log
    // file is removed first so old runs never answer.
    bool Start(const std::string& exe, const std::string& args, const std::string& logPath);
    // Starts exactly this command line, the way another program would start the messenger;
    // the caller points it at logPath (FAKEQQ_LOG or FAKEQQ_OPTIONS in the environment).
    bool StartCommandLine(const std::string& commandLine, const std::string& logPath);
    // Waits for the READY line and learns the control window from it.
    bool WaitReady(std::chrono::milliseconds timeout = std::chrono::seconds(20));

    // Sends one control command; 0 when it failed or nobody answered.
    LRESULT Command(const std::string& text);
    HWND Window(int id);
    HWND Input(int id);

    // Complete log lines (a line still being written is left out).
    std::vector<std::string> Lines() const;
    // Index of the first line at or after `from` that contains every needle, or -1.
    int FindLine(const std::vector<std::string>& needles, size_t from = 0) const;
    // Waits (pumping messages) for such a line and returns its index, or -1 on timeout.
    int WaitLine(const std::vector<std::string>& needles, size_t from = 0,
                 std::chrono::milliseconds timeout = std::chrono::seconds(10)) const;

    DWORD Pid() const { return m_pid; }
    HANDLE Process() const { return m_process; }
    HWND Control() const { return m_control; }
    const std::string& LogPath() const { return m_logPath; }
    bool WaitExit(std::chrono::milliseconds timeout, DWORD* exitCode = nullptr);

private:
    HANDLE m_process = nullptr;
    DWORD m_pid = 0;
    HWND m_control = nullptr;
    std::string m_logPath;
};

// "--lifetime N": a messenger that outlives its test ends by itself, but never before the
// test's own (scaled) waits could have ended: 5 minutes of native time, scaled.
std::string SafetyLifetimeArg();

// Text from a log line: the value after "key=" up to the next space (or the line's end
// for the keys that come last and may hold spaces: title=, text=, path=).
std::string LogField(const std::string& line, const std::string& key);

}  // namespace fakeqq
