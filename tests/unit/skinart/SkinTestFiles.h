// Paths and loaders shared by the skin tests.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "Raster.h"
#include "XmlNode.h"

namespace skintest {

std::string SkinDir();   // skin/default in the source tree, with a trailing "/"

struct SkinFile {
    std::string name;                     // "skin.xml"
    std::vector<std::string> sections;    // the windows that read this file
};
std::vector<SkinFile> SkinFiles();

std::unique_ptr<CXMLElement> LoadSkinTree(const std::string& fileName);
const CXMLElement* FindChild(const CXMLElement& parent, const std::string& name);

// Every "image" and "background" attribute anywhere in the tree.
std::vector<std::string> ReferencedImages(const CXMLElement& root);

bool LoadBitmap(const std::string& path, skinart::Bitmap& out);
std::vector<std::string> FilesWithSuffix(const std::string& dir, const std::string& suffix);

}  // namespace skintest
