// Any skin file: reading a window's section from it yields plain data without undefined
// arithmetic, whatever the rectangles, colours and sizes say.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "SkinModel.h"
#include "XmlReader.h"

namespace {

void Check(const skin::SkinSpec& spec) {
    for (const auto& piece : spec.pieces) {
        if (!piece || piece->WholeImage()) continue;
        const skin::Rect& r = piece->rect;
        if (r.Width() <= 0 || r.Height() <= 0 || r.Width() > skin::kMaxPieceSide ||
            r.Height() > skin::kMaxPieceSide)
            __builtin_trap();
    }
    for (const auto& c : spec.controls) {
        if (c.position.Width() > skin::kMaxControlSide ||
            c.position.Height() > skin::kMaxControlSide)
            __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto root = ParseXmlBuffer(data, size);
    if (!root) return 0;
    // Every window the file names, as each kind of program reads it (a few at most, so a
    // file of many sections stays cheap).
    std::vector<std::string> sections{""};
    for (const auto& child : root->m_children) {
        if (sections.size() > 4) break;
        sections.push_back(child->GetName());
    }
    for (const auto& section : sections) {
        Check(skin::ReadSkin(*root, section, "C:\\skin\\skin.xml", skin::SkinReader::kFull));
        Check(skin::ReadSkin(*root, section, "skin.xml", skin::SkinReader::kUpdater));
    }
    return 0;
}
