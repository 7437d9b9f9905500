#include <share.h>
#include <windows.h>

#include "XmlReader.h"

namespace {

std::wstring WidePath(const std::string& utf8) {
    if (utf8.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring w(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), n);
    return w;
}

}  // namespace

std::unique_ptr<CXMLElement> LoadXmlFile(const std::string& path) {
    // Shared reading: an editor may hold the skin open while a program starts.
    std::FILE* f = _wfsopen(WidePath(path).c_str(), L"rb", _SH_DENYNO);
    if (!f) return nullptr;
    auto root = LoadXmlFile(f);
    std::fclose(f);
    return root;
}
