// How archive entries become faces: the folder directly above an entry is its category,
// top-level entries go to the pack's default category, and 7-bit file names give way to
// the category's name. Entry names are data only; nothing here touches the disk.
#pragma once
#include <string>

namespace editor {

enum class PackKind { Zip, Mpk, Other };

// By the text after the last dot of the path, lower-cased.
PackKind PackKindOf(const std::string& path);

// ".mpk" with a number and a name: the name; otherwise the file's name without its folder
// and without the part from the last dot on.
std::string DefaultCategoryName(const std::string& packPath, int packNumber,
                                const std::string& packName);

// A folder entry (name ends in "/") or an empty name: nothing to import.
bool IsFolderEntry(const std::string& entryName);

// The path component before the file name, or `defaultCategory` at the top level.
std::string EntryCategory(const std::string& entryName, const std::string& defaultCategory);

// The text after the last "/".
std::string EntryFileName(const std::string& entryName);

// True when the file name's extension, lower-cased, is jpg, gif or bmp.
bool IsFaceFile(const std::string& fileName);

// The file name without its extension; the category's name when that is empty or 7-bit
// and the category is not empty. Empty only when both are: such an entry is skipped, so
// the index never lists a category that does not hold the face.
std::string EntryFaceName(const std::string& fileName, const std::string& category);

}  // namespace editor
