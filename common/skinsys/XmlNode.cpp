#include "XmlNode.h"

std::string XmlLowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

CXMLElement::~CXMLElement() {
    // Children first, in document order, then the attributes.
    for (auto& child : m_children) child.reset();
    m_children.clear();
    m_attributes.clear();
}

const CXMLAttribute* CXMLElement::GetAttribute(std::string_view name) const {
    auto it = m_attributes.find(XmlLowerAscii(name));
    return it == m_attributes.end() ? nullptr : it->second.get();
}

std::string CXMLElement::GetAttributeValue(std::string_view name) const {
    const CXMLAttribute* a = GetAttribute(name);
    return a ? a->m_strValue : std::string();
}
