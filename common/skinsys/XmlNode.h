// The skin files' own XML tree: elements with attributes and collected text.
// Names are kept as written; text is UTF-8 after entity decoding.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CXMLElement;

class CXMLNode {
public:
    enum NodeType : int32_t { kPlain = 0, kElement = 1, kAttribute = 2 };

    explicit CXMLNode(int32_t type = kPlain) : m_nType(type) {}
    virtual ~CXMLNode() = default;
    CXMLNode(const CXMLNode&) = delete;
    CXMLNode& operator=(const CXMLNode&) = delete;

    const std::string& GetName() const { return m_strName; }

    int32_t m_nType;
    CXMLElement* m_pParent = nullptr;  // not owned; null for the root element
    std::string m_strName;
    std::string m_strValue;
};

class CXMLAttribute : public CXMLNode {
public:
    CXMLAttribute() : CXMLNode(kAttribute) {}
};

class CXMLElement : public CXMLNode {
public:
    CXMLElement() : CXMLNode(kElement) {}
    ~CXMLElement() override;

    // Name matched without regard to ASCII case.
    const CXMLAttribute* GetAttribute(std::string_view name) const;
    std::string GetAttributeValue(std::string_view name) const;

    std::vector<std::unique_ptr<CXMLElement>> m_children;                 // document order
    std::map<std::string, std::unique_ptr<CXMLAttribute>> m_attributes;  // key: lower-case name
};

std::string XmlLowerAscii(std::string_view s);
