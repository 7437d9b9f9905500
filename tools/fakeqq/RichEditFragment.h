// Reads the messenger's rich-edit clipboard fragment the way the messenger would need to:
//   <QQRichEditFormat><Info version="1001"></Info>
//   <EditElement type="1" filepath="PATH" shortcut=""></EditElement></QQRichEditFormat>
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace fakeqq {

// True when the text is wrapped in one QQRichEditFormat element.
bool IsRichEditFragment(std::string_view text);

// The filepath attribute of every EditElement, in order, taken verbatim (the sender does not
// escape the path). An element without the attribute or with an unterminated value is skipped.
std::vector<std::string> FragmentFilePaths(std::string_view text);

}  // namespace fakeqq
