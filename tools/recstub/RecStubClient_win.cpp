#include "RecStubClient_win.h"

#include <windows.h>

#include "RecStubProtocol.h"
#include "TestKit.h"

namespace recstub {
namespace {

using testkit::Wide;

std::string BaseName(const std::string& exeName) {
    const size_t dot = exeName.find_last_of('.');
    return dot == std::string::npos ? exeName : exeName.substr(0, dot);
}

std::vector<std::string> ReadLines(const std::string& path) {
    const std::string text = testkit::ReadFile(path);
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t nl = text.find('\n'); nl != std::string::npos; nl = text.find('\n', start)) {
        const size_t end = nl > start && text[nl - 1] == '\r' ? nl - 1 : nl;
        lines.push_back(text.substr(start, end - start));
        start = nl + 1;
    }
    return lines;
}

}  // namespace

bool PlaceStub(const std::string& stubDir, const std::string& folder, const std::string& exeName) {
    const std::string base = folder + "\\" + BaseName(exeName);
    DeleteFileW(Wide(base + kArgsSuffix).c_str());
    DeleteFileW(Wide(base + kLaunchSuffix).c_str());
    return CopyFileW(Wide(stubDir + "\\RecStub.exe").c_str(),
                     Wide(folder + "\\" + exeName).c_str(), FALSE) != FALSE;
}

std::vector<std::string> RecordedArguments(const std::string& folder, const std::string& name) {
    return ReadLines(folder + "\\" + name + kArgsSuffix);
}

std::vector<std::string> RecordedLaunches(const std::string& folder, const std::string& name) {
    return ReadLines(folder + "\\" + name + kLaunchSuffix);
}

}  // namespace recstub
