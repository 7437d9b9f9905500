// A drag source for tests: drops a list of paths (CF_HDROP) on the window under a screen
// point through OLE drag and drop, as the shell does when files are dragged from a folder.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testkit {

// Moves the cursor to `screen` and runs DoDragDrop with no mouse button held, which drops
// at once. The drop effect the target answered, or DROPEFFECT_NONE.
DWORD DropPaths(POINT screen, const std::vector<std::string>& paths);

}  // namespace testkit
