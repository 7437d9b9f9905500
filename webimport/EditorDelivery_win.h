// AddFace's work: find the browser's cached copy of a picture and hand it to the editor,
// the running one by WM_COPYDATA, else a new one started from the installation folder.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>

namespace webimport {

void HandToEditor(BSTR faceFile, BSTR desc);

// Pieces, for tests of the component itself.
std::string ToSystemCodePage(BSTR text);                // a null BSTR is empty
std::string CachedFileOf(const std::string& url);       // empty when not in the cache
bool SendToRunningEditor(const std::string& command);   // false when no editor window
void StartEditor(const std::string& command);

}  // namespace webimport
