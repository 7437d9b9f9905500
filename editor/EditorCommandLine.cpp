#include "EditorCommandLine.h"

#include <cstdlib>
#include <cstring>

namespace editor {

namespace {

constexpr const char kAddFace[] = "-AddFace ";

std::string Trim(const std::string& s) {
    const char* blanks = " \t\r\n";
    size_t first = s.find_first_not_of(blanks);
    if (first == std::string::npos) return {};
    size_t last = s.find_last_not_of(blanks);
    return s.substr(first, last - first + 1);
}

// A pack path arrives quoted when it holds blanks; the quotes are not part of it.
std::string Unquote(std::string s) {
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') return s.substr(1, s.size() - 2);
    return s;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string LowerExtension(const std::string& path) {
    size_t dot = path.find_last_of('.');
    if (dot == std::string::npos) return {};
    std::string ext = path.substr(dot + 1);
    for (char& c : ext) c = Lower(c);
    return ext;
}

bool IsAcceptedPicture(const std::string& path) {
    if (path.find('.') == std::string::npos) return false;
    std::string ext = LowerExtension(path);
    return ext == "jpg" || ext == "gif" || ext == "bmp";
}

std::string FaceNameOf(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = file.find_last_of('.');
    return dot == std::string::npos ? file : file.substr(0, dot);
}

std::optional<AddFaceRequest> ParseAddFace(const std::string& text) {
    AddFaceRequest request;
    size_t bar = text.find('|');
    if (bar == std::string::npos) {
        request.path = text;
    } else {
        size_t second = text.find('|', bar + 1);
        if (second == std::string::npos) return std::nullopt;
        std::string category = text.substr(0, bar);
        request.category = category.empty() ? 0 : static_cast<int>(std::atol(category.c_str()));
        request.name = text.substr(bar + 1, second - bar - 1);
        request.path = text.substr(second + 1);
    }
    std::string& path = request.path;
    if (!path.empty() && path.front() == '"') path.erase(0, 1);
    if (!path.empty() && path.back() == '"') path.pop_back();
    if (request.name.empty()) {
        size_t slash = path.find_last_of('\\');
        size_t dot = path.find_last_of('.');
        if (slash != std::string::npos && slash >= 1 && dot != std::string::npos && dot > slash + 1)
            request.name = path.substr(slash + 1, dot - slash - 1);
    }
    if (!IsAcceptedPicture(path)) return std::nullopt;
    return request;
}

EditorCommand ParseEditorCommand(const std::string& commandLine) {
    EditorCommand command;
    std::string text = Trim(commandLine);
    if (text.empty()) return command;
    if (text == "-quit") {
        command.kind = CommandKind::Quit;
        return command;
    }
    // Searched in the text as given: "-AddFace " with nothing after it is still the switch.
    size_t addFace = commandLine.find(kAddFace);
    if (addFace != std::string::npos) {
        command.kind = CommandKind::AddFace;
        std::string rest = commandLine.substr(addFace + std::strlen(kAddFace));
        rest.erase(rest.find_last_not_of(" \t\r\n") + 1);
        command.addFace = ParseAddFace(rest);
        return command;
    }
    if (text.compare(0, 3, "-S ") == 0) {
        command.kind = CommandKind::ImportPack;
        command.packPath = Unquote(Trim(text.substr(3)));
        return command;
    }
    command.kind = CommandKind::OpenPack;
    command.packPath = Unquote(text);
    return command;
}

std::string ForwardedCommandText(const char* data, size_t length) {
    if (!data || length == 0) return {};
    size_t end = 0;
    while (end < length && data[end] != '\0') ++end;
    size_t start = data[0] == '$' ? 1 : 0;
    return start < end ? std::string(data + start, end - start) : std::string();
}

}  // namespace editor
