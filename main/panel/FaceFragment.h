// What a sent face becomes for the messenger: a file in the face cache folder under the
// face's own name, and the messenger's rich-edit clipboard fragment naming that file.
#pragma once
#include <string>
#include <string_view>

namespace panel {

// The name a face file gets in the cache folder: the stored file name, trimmed, cut after
// its last "\" (or, without one, its last "/"). Empty when nothing usable is left: an empty
// name, "." or "..", or a name with a character Windows does not allow in a file name (a
// drive colon, a wildcard, a control character), so a stored name can never write outside
// the cache folder.
std::string FaceCacheFileName(std::string_view storedName);

// The cache folder below the program folder ("...\" + "face\"); programDir ends in "\".
std::string FaceCacheFolder(std::string_view programDir);

// <QQRichEditFormat>...filepath="PATH"...</QQRichEditFormat>, the path inserted unchanged.
// The bytes of path are kept as they are (the caller passes the system's 8-bit form).
std::string RichEditFragment(std::string_view path);

}  // namespace panel
