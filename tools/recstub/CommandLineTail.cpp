#include "CommandLineTail.h"

namespace recstub {

std::string_view ArgumentsOf(std::string_view commandLine) {
    size_t i = 0;
    const size_t n = commandLine.size();
    if (n > 0 && commandLine[0] == '"') {
        i = commandLine.find('"', 1);
        i = i == std::string_view::npos ? n : i + 1;
    }
    // An unquoted name, or text glued to the closing quote, runs to the next blank.
    while (i < n && commandLine[i] != ' ' && commandLine[i] != '\t') ++i;
    while (i < n && (commandLine[i] == ' ' || commandLine[i] == '\t')) ++i;
    return commandLine.substr(i);
}

}  // namespace recstub
