#include "FakeQQClient_win.h"

#include <cstdint>
#include <cstdlib>

#include "FakeQQProtocol.h"
#include "TestKit.h"
#include "WinText_win.h"

namespace fakeqq {

FakeQQProcess::~FakeQQProcess() {
    if (!m_process) return;
    if (WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        Command("quit");
        if (WaitForSingleObject(m_process, testkit::ScaledMs(5000)) == WAIT_TIMEOUT) TerminateProcess(m_process, 99);
    }
    CloseHandle(m_process);
}

bool FakeQQProcess::Start(const std::string& exe, const std::string& args,
                          const std::string& logPath) {
    return StartCommandLine("\"" + exe + "\" " + args + " --log \"" + logPath + "\"", logPath);
}

bool FakeQQProcess::StartCommandLine(const std::string& commandLine, const std::string& logPath) {
    m_logPath = logPath;
    DeleteFileW(Wide(logPath).c_str());
    std::wstring cmd = Wide(commandLine);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return false;
    CloseHandle(pi.hThread);
    m_process = pi.hProcess;
    m_pid = pi.dwProcessId;
    return true;
}

bool FakeQQProcess::WaitReady(std::chrono::milliseconds timeout) {
    int at = WaitLine({" READY "}, 0, timeout);
    if (at < 0) return false;
    const std::string control = LogField(Lines()[static_cast<size_t>(at)], "control");
    m_control = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::strtoull(control.c_str(), nullptr, 16)));
    return IsWindow(m_control) != FALSE;
}

LRESULT FakeQQProcess::Command(const std::string& text) {
    if (!m_control) return 0;
    COPYDATASTRUCT cds{};
    cds.dwData = kCopyDataTag;
    cds.cbData = static_cast<DWORD>(text.size());
    cds.lpData = const_cast<char*>(text.data());
    DWORD_PTR result = 0;
    // Not SMTO_ABORTIFHUNG: a messenger still starting under emulation may not pump for
    // seconds and would count as hung at once.
    if (!SendMessageTimeoutW(m_control, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds),
                             SMTO_NORMAL, testkit::ScaledMs(10000), &result))
        return 0;
    return static_cast<LRESULT>(result);
}

HWND FakeQQProcess::Window(int id) {
    return reinterpret_cast<HWND>(Command("hwnd " + std::to_string(id)));
}

HWND FakeQQProcess::Input(int id) {
    return reinterpret_cast<HWND>(Command("input " + std::to_string(id)));
}

std::vector<std::string> FakeQQProcess::Lines() const {
    const std::string text = testkit::ReadFile(m_logPath);
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t nl = text.find('\n'); nl != std::string::npos; nl = text.find('\n', start)) {
        size_t end = nl > start && text[nl - 1] == '\r' ? nl - 1 : nl;
        lines.push_back(text.substr(start, end - start));
        start = nl + 1;
    }
    return lines;
}

int FakeQQProcess::FindLine(const std::vector<std::string>& needles, size_t from) const {
    const std::vector<std::string> lines = Lines();
    for (size_t i = from; i < lines.size(); ++i) {
        bool all = true;
        for (const std::string& n : needles) all = all && lines[i].find(n) != std::string::npos;
        if (all) return static_cast<int>(i);
    }
    return -1;
}

int FakeQQProcess::WaitLine(const std::vector<std::string>& needles, size_t from,
                            std::chrono::milliseconds timeout) const {
    int found = -1;
    testkit::WaitUntil([&] { return (found = FindLine(needles, from)) >= 0; }, timeout);
    return found;
}

bool FakeQQProcess::WaitExit(std::chrono::milliseconds timeout, DWORD* exitCode) {
    if (!m_process) return false;
    bool ended = testkit::WaitUntil(
        [&] { return WaitForSingleObject(m_process, 0) == WAIT_OBJECT_0; }, timeout);
    if (ended && exitCode) GetExitCodeProcess(m_process, exitCode);
    return ended;
}

std::string SafetyLifetimeArg() {
    return " --lifetime " + std::to_string(testkit::ScaledMs(300000) / 1000);
}

std::string LogField(const std::string& line, const std::string& key) {
    const std::string tag = " " + key + "=";
    size_t at = line.find(tag);
    if (at == std::string::npos) return {};
    at += tag.size();
    if (key == "title" || key == "text" || key == "path") return line.substr(at);
    size_t end = line.find(' ', at);
    return line.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

}  // namespace fakeqq
