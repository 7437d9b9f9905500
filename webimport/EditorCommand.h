// The command text the component hands to the editor. Bytes in the system code page: it
// crosses to the editor as a WM_COPYDATA payload or a command line.
#pragma once
#include <string>
#include <string_view>

namespace webimport {

// "-AddFace 0|" + description + "|" + local path. The description goes in unchanged, even
// with a "|" in it: the editor's field split is the editor's business.
std::string AddFaceCommand(std::string_view description, std::string_view localPath);

// The cache key of an address a page passes: the part before any "#", which never reaches
// the server and so is never part of what the browser cached. Empty when nothing is cut.
std::string_view WithoutFragment(std::string_view url);

}  // namespace webimport
