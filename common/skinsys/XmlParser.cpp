// Document and element grammar of the XML reader.
#include <cstring>
#include <new>

#include "XmlReader.h"

namespace {

bool IsTokenBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsTextBlank(char c) { return IsTokenBlank(c) || c == '\v' || c == '\f'; }
bool IsNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ':' ||
           c == '_';
}

struct NamedEntity {
    const char* name;  // without "&" and ";"
    char value;
};
constexpr NamedEntity kEntities[] = {{"amp", '&'},  {"lt", '<'},   {"gt", '>'},
                                     {"quot", '"'}, {"apos", '\''}, {"nbsp", ' '}};

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// Decodes span into out (appending). Returns false when a character reference is malformed,
// which stops the decoding there.
bool DecodeSpan(std::string_view span, std::string& out) {
    const std::size_t n = span.size();
    std::size_t i = 0;
    while (i < n && IsTextBlank(span[i])) ++i;  // leading white space is dropped
    while (i < n) {
        char c = span[i];
        if (IsTextBlank(c)) {
            while (i < n && IsTextBlank(span[i])) ++i;
            out += ' ';
            continue;
        }
        if (c != '&') {
            out += c;
            ++i;
            continue;
        }
        if (i + 1 < n && span[i + 1] == '#') {
            if (i + 2 >= n || span[i + 2] < '0' || span[i + 2] > '9') return false;
            std::uint32_t cp = 0;
            std::size_t j = i + 2;
            for (; j < n && span[j] >= '0' && span[j] <= '9'; ++j) {
                // Saturates above the last code point; such a number names no character.
                if (cp <= 0x10FFFF) cp = cp * 10 + static_cast<std::uint32_t>(span[j] - '0');
            }
            std::size_t semi = span.find(';', j);
            if (semi == std::string_view::npos) return false;  // never looks past the span
            AppendUtf8(out, cp);
            i = semi + 1;
            continue;
        }
        bool matched = false;
        for (const NamedEntity& e : kEntities) {
            std::size_t len = std::strlen(e.name);
            if (i + 1 + len < n && span[i + 1 + len] == ';' &&
                EqualNoCase(span.substr(i + 1, len), e.name)) {
                out += e.value;
                i += len + 2;
                matched = true;
                break;
            }
        }
        if (!matched) {
            out += '&';
            ++i;
        }
    }
    return true;
}

class Parser {
public:
    explicit Parser(std::string_view text) : m_text(text) {}

    std::unique_ptr<CXMLElement> ParseDocument() {
        if (Match("<?xml version=\"") && !SkipPast("?>")) return nullptr;
        if (!SkipComments()) return nullptr;
        if (Match("<!DOCTYPE")) {
            if (!SkipPast(">")) return nullptr;
            if (!SkipComments()) return nullptr;
        }
        auto root = std::make_unique<CXMLElement>();
        if (!ParseElement(*root, 1)) return nullptr;
        return root;
    }

private:
    std::size_t SkipBlanks(std::size_t p) const {
        while (p < m_text.size() && IsTokenBlank(m_text[p])) ++p;
        return p;
    }

    bool Match(std::string_view token) {
        std::size_t p = SkipBlanks(m_pos);
        if (m_text.compare(p, token.size(), token) != 0 || p + token.size() > m_text.size())
            return false;
        m_pos = p + token.size();
        return true;
    }

    bool SkipPast(std::string_view token) {
        std::size_t p = m_text.find(token, m_pos);
        if (p == std::string_view::npos) return false;
        m_pos = p + token.size();
        return true;
    }

    bool SkipComments() {
        while (Match("<!--"))
            if (!SkipPast("-->")) return false;
        return true;
    }

    std::string ReadName() {
        std::size_t p = SkipBlanks(m_pos);
        std::size_t start = p;
        while (p < m_text.size() && IsNameChar(m_text[p])) ++p;
        if (p == start) return {};
        m_pos = p;
        return std::string(m_text.substr(start, p - start));
    }

    bool ParseAttribute(CXMLElement& element) {
        std::string name = ReadName();
        if (name.empty() || !Match("=")) return false;
        char quote = 0;
        if (Match("\"")) quote = '"';
        else if (Match("'")) quote = '\'';
        else return false;
        std::size_t end = m_text.find(quote, m_pos);
        if (end == std::string_view::npos) return false;
        auto attribute = std::make_unique<CXMLAttribute>();
        // A malformed character reference stops decoding before the closing quote.
        if (!DecodeSpan(m_text.substr(m_pos, end - m_pos), attribute->m_strValue)) return false;
        m_pos = end + 1;
        attribute->m_pParent = &element;
        attribute->m_strName = name;
        element.m_attributes[XmlLowerAscii(name)] = std::move(attribute);  // last one wins
        return true;
    }

    bool ParseElement(CXMLElement& element, int depth) {
        if (depth > kXmlMaxDepth) return false;
        if (!Match("<")) return false;
        element.m_strName = ReadName();
        if (element.m_strName.empty()) return false;
        while (!Match(">")) {
            if (Match("/")) return Match(">");
            if (SkipBlanks(m_pos) >= m_text.size()) return false;
            if (!ParseAttribute(element)) return false;
        }
        const std::string endTag = "</" + element.m_strName + ">";
        for (;;) {
            std::size_t lt = m_text.find('<', m_pos);
            if (lt == std::string_view::npos) return false;
            if (lt > m_pos) {
                std::string& value = element.m_strValue;
                if (!value.empty() && value.back() != ' ') value += ' ';
                if (!DecodeSpan(m_text.substr(m_pos, lt - m_pos), value)) return false;
                m_pos = lt;
            }
            if (Match(endTag)) return true;
            if (Match("<!--")) {
                if (!SkipPast("-->")) return false;
                continue;
            }
            auto child = std::make_unique<CXMLElement>();
            child->m_pParent = &element;
            if (!ParseElement(*child, depth + 1)) return false;
            element.m_children.push_back(std::move(child));
        }
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

}  // namespace

std::unique_ptr<CXMLElement> ParseXmlText(std::string_view text) {
    std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    try {
        return Parser(text).ParseDocument();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

std::unique_ptr<CXMLElement> ParseXmlBuffer(const void* bytes, std::size_t count) {
    if (!bytes) return nullptr;
    const auto* b = static_cast<const unsigned char*>(bytes);
    try {
        if (count > 1 && ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF))) {
            bool bigEndian = b[0] == 0xFE;
            return ParseXmlText(Utf16ToUtf8(b + 2, count - 2, bigEndian));
        }
        if (count > 2 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
            b += 3;
            count -= 3;
        }
        return ParseXmlText(
            SanitizeUtf8(std::string_view(reinterpret_cast<const char*>(b), count)));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
