#include "EditorCommand.h"

namespace webimport {

std::string AddFaceCommand(std::string_view description, std::string_view localPath) {
    std::string text = "-AddFace 0|";
    text.reserve(text.size() + description.size() + 1 + localPath.size());
    text.append(description);
    text += '|';
    text.append(localPath);
    return text;
}

std::string_view WithoutFragment(std::string_view url) {
    const size_t hash = url.find('#');
    if (hash == std::string_view::npos) return {};
    return url.substr(0, hash);
}

}  // namespace webimport
