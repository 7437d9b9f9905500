#include "Config.h"

#include <tinyxml.h>

#include <cerrno>
#include <cstdlib>

#include "FileOpen.h"

namespace {

constexpr const char* kRoot = "ROOT";
constexpr const char* kItem = "Item";

bool IsDigest(const std::string& id) {
    if (id.size() != 32) return false;
    for (char c : id)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) return false;
    return true;
}

// Decimal attribute; missing or malformed reads 0, out-of-range values are clamped.
int IntAttribute(const TiXmlElement& e, const char* name) {
    const char* text = e.Attribute(name);
    if (!text) return 0;
    errno = 0;
    const long v = std::strtol(text, nullptr, 10);
    if (v > 2147483647L) return 2147483647;
    if (v < -2147483647L - 1) return -2147483647 - 1;
    return static_cast<int>(v);
}

const TiXmlElement* FirstList(const TiXmlElement* root, const char* name) {
    return root ? root->FirstChildElement(name) : nullptr;
}

}  // namespace

std::string NormaliseConfigKey(const std::string& key) {
    std::string out;
    for (char c : key) {
        if (c == '\\') c = '/';
        if (c == '/' && !out.empty() && out.back() == '/') continue;
        out += c;
    }
    return out;
}

CConfig::CConfig() = default;
CConfig::~CConfig() = default;

bool CConfig::Load(const std::string& path) {
    m_path = path;
    m_doc = std::make_unique<TiXmlDocument>();
    m_root = m_current = nullptr;
    bool loaded = false;
    if (std::FILE* f = OpenFileUtf8(path, "rb")) {
        loaded = m_doc->LoadFile(f, TIXML_ENCODING_UTF8);
        std::fclose(f);
    }
    bool ok = loaded;
    if (!loaded) {
        m_doc = std::make_unique<TiXmlDocument>();
        m_doc->LinkEndChild(new TiXmlDeclaration("1.0", "UTF-8", ""));
        auto* root = new TiXmlElement(kRoot);
        root->SetAttribute("version", "1");
        m_doc->LinkEndChild(root);
    }
    m_root = m_doc->FirstChildElement(kRoot);
    if (!m_root) {  // parsable, but another root: keep it and add ours
        auto* root = new TiXmlElement(kRoot);
        root->SetAttribute("version", "1");
        m_root = m_doc->LinkEndChild(root)->ToElement();
        ok = false;
    }
    m_current = m_root;
    m_doc->ClearError();
    return ok;
}

bool CConfig::Save() const {
    if (!m_doc || m_path.empty()) return false;
    std::FILE* f = OpenFileUtf8(m_path, "wb");
    if (!f) return false;
    const bool written = m_doc->SaveFile(f);
    return std::fclose(f) == 0 && written;
}

TiXmlElement* CConfig::ResolveParent(const std::string& key, std::string& name) {
    const std::string k = NormaliseConfigKey(key);
    const size_t slash = k.rfind('/');
    if (slash == std::string::npos) {
        name = k;
        return m_root;
    }
    name = k.substr(slash + 1);
    TiXmlElement* e = m_current;
    size_t start = 0;
    while (e && start < slash) {
        size_t end = k.find('/', start);
        if (end == std::string::npos || end > slash) end = slash;
        const std::string seg = k.substr(start, end - start);
        start = end + 1;
        if (seg.empty() || seg == ".") continue;
        if (seg == "..") {
            // At the root ".." stays put: an element named ".." would make the file unreadable.
            if (e != m_root && e->Parent() && e->Parent()->ToElement()) e = e->Parent()->ToElement();
            continue;
        }
        TiXmlElement* child = e->FirstChildElement(seg.c_str());
        if (!child) child = e->LinkEndChild(new TiXmlElement(seg.c_str()))->ToElement();
        e = child;
    }
    return e;
}

bool CConfig::GetBool(const std::string& key, bool& out) {
    std::string name;
    TiXmlElement* parent = m_root ? ResolveParent(key, name) : nullptr;
    if (!parent || name.empty()) return false;
    const TiXmlElement* e = parent->FirstChildElement(name.c_str());
    const char* value = e ? e->Attribute("bool") : nullptr;
    if (!value) return false;
    out = value[0] == '1';
    return true;
}

bool CConfig::GetBoolOr(const std::string& key, bool fallback) {
    bool value = fallback;
    return GetBool(key, value) ? value : fallback;
}

void CConfig::SetBool(const std::string& key, bool value) {
    std::string name;
    TiXmlElement* parent = m_root ? ResolveParent(key, name) : nullptr;
    if (!parent || name.empty()) return;
    TiXmlElement* e = parent->FirstChildElement(name.c_str());
    if (!e) e = parent->LinkEndChild(new TiXmlElement(name.c_str()))->ToElement();
    e->SetAttribute("bool", value ? "1" : "0");
}

std::vector<FrequentFace> CConfig::FrequentFaces() const {
    std::vector<FrequentFace> out;
    const TiXmlElement* list = FirstList(m_root, "SendFaceList");
    for (const TiXmlElement* i = list ? list->FirstChildElement(kItem) : nullptr;
         i && out.size() < kMaxFrequent; i = i->NextSiblingElement(kItem)) {
        const char* id = i->Attribute("id");
        // Only digests: any other text would end up inside the frequent view's query.
        if (!id || !IsDigest(id)) continue;
        out.push_back(FrequentFace{id, IntAttribute(*i, "n"), {}});
    }
    return out;
}

std::vector<TableUse> CConfig::TableList() const {
    std::vector<TableUse> out;
    const TiXmlElement* list = FirstList(m_root, "TableList");
    for (const TiXmlElement* i = list ? list->FirstChildElement(kItem) : nullptr; i;
         i = i->NextSiblingElement(kItem)) {
        if (!i->Attribute("id")) continue;
        out.push_back(TableUse{IntAttribute(*i, "id"), IntAttribute(*i, "n")});
    }
    return out;
}

std::vector<std::string> CConfig::SearchHistory() const {
    std::vector<std::string> out;
    const TiXmlElement* list = FirstList(m_root, "SearchList");
    for (const TiXmlElement* i = list ? list->FirstChildElement(kItem) : nullptr; i;
         i = i->NextSiblingElement(kItem)) {
        if (const char* s = i->Attribute("str")) out.emplace_back(s);
    }
    return out;
}

// The first list element, emptied from its first "Item" on, or a new one at the end.
TiXmlElement* CConfig::FreshList(const char* name) {
    if (!m_root) return nullptr;
    TiXmlElement* list = m_root->FirstChildElement(name);
    if (!list) return m_root->LinkEndChild(new TiXmlElement(name))->ToElement();
    TiXmlNode* n = list->FirstChildElement(kItem);
    while (n) {
        TiXmlNode* next = n->NextSibling();
        list->RemoveChild(n);
        n = next;
    }
    return list;
}

void CConfig::SetFrequentFaces(const std::vector<FrequentFace>& faces) {
    TiXmlElement* list = FreshList("SendFaceList");
    if (!list) return;
    for (size_t i = 0; i < faces.size() && i < kMaxFrequent; ++i) {
        auto* item = new TiXmlElement(kItem);
        item->SetAttribute("id", faces[i].id.c_str());
        item->SetAttribute("n", faces[i].count);
        list->LinkEndChild(item);
    }
}

void CConfig::SetTableList(const std::vector<TableUse>& tables) {
    TiXmlElement* list = FreshList("TableList");
    if (!list) return;
    for (const TableUse& t : tables) {
        auto* item = new TiXmlElement(kItem);
        item->SetAttribute("id", t.id);
        item->SetAttribute("n", t.count);
        list->LinkEndChild(item);
    }
}

void CConfig::SetSearchHistory(const std::vector<std::string>& texts) {
    TiXmlElement* list = FreshList("SearchList");
    if (!list) return;
    for (size_t i = 0; i < texts.size() && i < kMaxSearches; ++i) {
        auto* item = new TiXmlElement(kItem);
        item->SetAttribute("str", texts[i].c_str());
        list->LinkEndChild(item);
    }
}
