#include "XmlReader.h"

std::unique_ptr<CXMLElement> LoadXmlFile(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return nullptr;
    auto root = LoadXmlFile(f);
    std::fclose(f);
    return root;
}
