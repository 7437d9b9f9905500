#include "PackEntries.h"

namespace editor {

namespace {

std::string LowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string Extension(const std::string& name) {
    size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : LowerAscii(name.substr(dot + 1));
}

bool IsSevenBit(const std::string& s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

PackKind PackKindOf(const std::string& path) {
    size_t dot = path.rfind('.');
    if (dot == std::string::npos) return PackKind::Other;
    std::string ext = LowerAscii(path.substr(dot + 1));
    if (ext == "zip") return PackKind::Zip;
    if (ext == "mpk") return PackKind::Mpk;
    return PackKind::Other;
}

std::string DefaultCategoryName(const std::string& packPath, int packNumber,
                                const std::string& packName) {
    if (packNumber != 0 && !packName.empty()) return packName;
    size_t slash = packPath.find_last_of("\\/");
    std::string base = slash == std::string::npos ? packPath : packPath.substr(slash + 1);
    size_t dot = base.rfind('.');
    return dot == std::string::npos ? base : base.substr(0, dot);
}

bool IsFolderEntry(const std::string& entryName) {
    return entryName.empty() || entryName.back() == '/';
}

std::string EntryCategory(const std::string& entryName, const std::string& defaultCategory) {
    size_t last = entryName.rfind('/');
    if (last == std::string::npos) return defaultCategory;
    size_t before = last == 0 ? std::string::npos : entryName.rfind('/', last - 1);
    size_t start = before == std::string::npos ? 0 : before + 1;
    return entryName.substr(start, last - start);
}

std::string EntryFileName(const std::string& entryName) {
    size_t last = entryName.rfind('/');
    return last == std::string::npos ? entryName : entryName.substr(last + 1);
}

bool IsFaceFile(const std::string& fileName) {
    if (fileName.find('.') == std::string::npos) return false;
    std::string ext = Extension(fileName);
    return ext == "jpg" || ext == "gif" || ext == "bmp";
}

std::string EntryFaceName(const std::string& fileName, const std::string& category) {
    size_t dot = fileName.rfind('.');
    std::string name = dot == std::string::npos ? fileName : fileName.substr(0, dot);
    if (!category.empty() && (name.empty() || IsSevenBit(name))) return category;
    return name;
}

}  // namespace editor
