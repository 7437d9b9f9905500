#include "CommandLine.h"

#include <cstring>

namespace cmdline {

std::vector<char> EncodeForward(const std::string& params) {
    std::vector<char> bytes;
    bytes.reserve(params.size() + 2);
    bytes.push_back('$');
    bytes.insert(bytes.end(), params.begin(), params.end());
    bytes.push_back('\0');
    return bytes;
}

Forwarded DecodeForward(const void* data, size_t size) {
    Forwarded f;
    if (!data || size == 0) return f;
    const char* p = static_cast<const char*>(data);
    size_t n = 0;
    while (n < size && p[n] != '\0') ++n;  // never past the block the sender gave
    size_t start = (n > 0 && p[0] == '$') ? 1 : 0;
    std::string text(p + start, n - start);
    if (text.size() > kMaxForwarded) text.resize(kMaxForwarded);
    if (text == "-quit") {
        f.action = ForwardAction::Quit;
    } else if (!text.empty()) {
        f.action = ForwardAction::Launch;
    }
    f.text = std::move(text);
    return f;
}

std::optional<std::string> EditorParamsForDrop(const std::string& path, std::optional<int> categoryId) {
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos) return std::nullopt;
    std::string ext = path.substr(dot + 1);
    for (char& c : ext)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (ext != "jpg" && ext != "gif" && ext != "bmp") return path;
    const size_t slash = path.rfind('\\');
    const size_t from = slash == std::string::npos ? 0 : slash + 1;
    const std::string base = dot >= from ? path.substr(from, dot - from) : std::string();
    if (!categoryId) return "-AddFace |" + base + "|" + path;
    return "-AddFace " + std::to_string(*categoryId) + "|" + base + "|" + path;
}

UpdateLaunch DueUpdate(int64_t now, const UpdateValues& v) {
    auto widen = [](uint32_t x) { return static_cast<int64_t>(static_cast<int32_t>(x)); };
    if (now >= widen(v.nextUpdate)) return UpdateLaunch::Program;
    int64_t due;
    switch (v.faceFlag) {
        case 0: due = widen(v.nextFaceUpdate); break;
        case 1: due = widen(v.lastFaceUpdate + 86400u); break;
        case 2: due = widen(v.lastFaceUpdate + 604800u); break;
        case 3: due = widen(v.lastFaceUpdate + 2592000u); break;
        default: due = now + 1; break;
    }
    return now >= due ? UpdateLaunch::Faces : UpdateLaunch::None;
}

}  // namespace cmdline
