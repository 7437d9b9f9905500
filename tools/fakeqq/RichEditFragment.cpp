#include "RichEditFragment.h"

namespace fakeqq {

bool IsRichEditFragment(std::string_view text) {
    constexpr std::string_view open = "<QQRichEditFormat>";
    constexpr std::string_view close = "</QQRichEditFormat>";
    return text.size() >= open.size() + close.size() && text.substr(0, open.size()) == open &&
           text.substr(text.size() - close.size()) == close;
}

std::vector<std::string> FragmentFilePaths(std::string_view text) {
    constexpr std::string_view element = "<EditElement";
    constexpr std::string_view attribute = "filepath=\"";
    std::vector<std::string> paths;
    for (size_t pos = text.find(element); pos != std::string_view::npos;
         pos = text.find(element, pos)) {
        pos += element.size();
        // The tag ends at the first '>' outside a quoted value.
        size_t end = pos;
        bool quoted = false;
        while (end < text.size() && (quoted || text[end] != '>')) {
            if (text[end] == '"') quoted = !quoted;
            ++end;
        }
        std::string_view tag = text.substr(pos, end - pos);
        pos = end;
        // The attribute must start a word: "xfilepath=" is another attribute.
        for (size_t a = tag.find(attribute); a != std::string_view::npos;
             a = tag.find(attribute, a + 1)) {
            if (a == 0 || (tag[a - 1] != ' ' && tag[a - 1] != '\t')) continue;
            size_t valueStart = a + attribute.size();
            size_t valueEnd = tag.find('"', valueStart);
            if (valueEnd != std::string_view::npos)
                paths.emplace_back(tag.substr(valueStart, valueEnd - valueStart));
            break;
        }
    }
    return paths;
}

}  // namespace fakeqq
