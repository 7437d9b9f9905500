#include "FaceFragment.h"

namespace panel {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

bool IsForbidden(unsigned char c) {
    if (c < 0x20 || c == 0x7F)
        return true;
    switch (c) {
    case '<': case '>': case ':': case '"': case '|': case '?': case '*':
        return true;
    default:
        return false;
    }
}

}  // namespace

std::string FaceCacheFileName(std::string_view storedName) {
    std::string_view name = Trim(storedName);
    size_t cut = name.rfind('\\');
    if (cut == std::string_view::npos)
        cut = name.rfind('/');
    if (cut != std::string_view::npos)
        name.remove_prefix(cut + 1);
    // A name "a/b\c" keeps "c"; one like "x\y/z" keeps "y/z", whose slash is still a
    // separator to Windows: refuse it rather than write into a subfolder.
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string_view::npos)
        return {};
    for (char c : name)
        if (IsForbidden(static_cast<unsigned char>(c)))
            return {};
    // Windows drops trailing dots and spaces; "smile." would be written as "smile" and the
    // fragment would name a file that does not exist.
    const char last = name.back();
    if (last == '.' || last == ' ')
        return {};
    return std::string(name);
}

std::string FaceCacheFolder(std::string_view programDir) {
    std::string folder(programDir);
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    folder += "face\\";
    return folder;
}

std::string RichEditFragment(std::string_view path) {
    std::string text = "<QQRichEditFormat><Info version=\"1001\"></Info><EditElement type=\"1\" filepath=\"";
    text += path;
    text += "\" shortcut=\"\"></EditElement></QQRichEditFormat>";
    return text;
}

}  // namespace panel
