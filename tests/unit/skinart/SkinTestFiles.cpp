#include "SkinTestFiles.h"

#include <algorithm>
#include <filesystem>

#include "Bmp.h"
#include "XmlReader.h"

namespace skintest {

std::string SkinDir() { return std::string(FACELIB_SOURCE_DIR) + "/skin/default/"; }

std::vector<SkinFile> SkinFiles() {
    return {
        {"skin.xml", {"main_window", "about_window"}},
        {"skinED.xml",
         {"main_window", "about_window", "config_window", "onlinedown_window", "toolbar_window",
          "volte_window"}},
    };
}

std::unique_ptr<CXMLElement> LoadSkinTree(const std::string& fileName) {
    return LoadXmlFile(SkinDir() + fileName);
}

const CXMLElement* FindChild(const CXMLElement& parent, const std::string& name) {
    for (const auto& c : parent.m_children)
        if (c->GetName() == name) return c.get();
    return nullptr;
}

namespace {

void CollectImages(const CXMLElement& e, std::vector<std::string>& out) {
    for (const char* attr : {"image", "background"}) {
        std::string v = e.GetAttributeValue(attr);
        if (!v.empty()) out.push_back(v);
    }
    for (const auto& c : e.m_children) CollectImages(*c, out);
}

}  // namespace

std::vector<std::string> ReferencedImages(const CXMLElement& root) {
    std::vector<std::string> out;
    CollectImages(root, out);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

bool LoadBitmap(const std::string& path, skinart::Bitmap& out) { return skinart::ReadBmp(path, out); }

std::vector<std::string> FilesWithSuffix(const std::string& dir, const std::string& suffix) {
    std::vector<std::string> out;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::string name = entry.path().filename().string();
        if (name.size() >= suffix.size() &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            out.push_back(name);
    }
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace skintest
