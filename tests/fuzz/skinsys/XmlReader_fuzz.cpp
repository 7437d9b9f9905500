// Any bytes: the reader returns a tree or nothing, within the input, in bounded depth.
#include <cstddef>
#include <cstdint>

#include "XmlReader.h"

namespace {

// Touches every name, value and attribute so a dangling or short string is read.
std::size_t Walk(const CXMLElement& e) {
    std::size_t n = e.m_strName.size() + e.m_strValue.size();
    for (const auto& [key, attribute] : e.m_attributes)
        n += key.size() + attribute->m_strValue.size() + (attribute->m_pParent == &e ? 0 : 1);
    for (const auto& child : e.m_children) {
        if (child->m_pParent != &e) __builtin_trap();
        n += Walk(*child);
    }
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (auto root = ParseXmlBuffer(data, size)) {
        if (root->m_pParent) __builtin_trap();
        volatile std::size_t sink = Walk(*root);
        (void)sink;
    }
    return 0;
}
