// CConfig: the picker's settings and usage lists in "config.xml" (TinyXML). Boolean
// settings are "bool" attributes of elements under the "ROOT" element; the lists are
// "Item" elements under "SendFaceList", "TableList" and "SearchList". Changes live in
// the in-memory document until Save.
#pragma once
#include <memory>
#include <string>
#include <vector>

class TiXmlDocument;
class TiXmlElement;

// One entry of the frequent-faces list (most recent first).
struct FrequentFace {
    std::string id;     // 32-character face digest
    int count = 0;      // use count
    std::string table;  // category table name, filled when the frequent view is built
};

// One "TableList" item: a category id and its use count, in selector order.
struct TableUse {
    int id = 0;
    int count = 0;
};

class CConfig {
public:
    static constexpr size_t kMaxFrequent = 40;
    static constexpr size_t kMaxSearches = 15;

    CConfig();
    ~CConfig();
    CConfig(const CConfig&) = delete;
    CConfig& operator=(const CConfig&) = delete;

    // True only when the file was read and had a "ROOT" element; otherwise the document
    // is a fresh root (version "1") and the program runs on defaults.
    bool Load(const std::string& path);
    // Writes the whole document back to the file it was loaded from.
    bool Save() const;
    const std::string& Path() const { return m_path; }

    // False (out unchanged) when the element or its "bool" attribute is missing.
    bool GetBool(const std::string& key, bool& out);
    bool GetBoolOr(const std::string& key, bool fallback);
    void SetBool(const std::string& key, bool value);

    std::vector<FrequentFace> FrequentFaces() const;
    std::vector<TableUse> TableList() const;
    std::vector<std::string> SearchHistory() const;
    void SetFrequentFaces(const std::vector<FrequentFace>& faces);
    void SetTableList(const std::vector<TableUse>& tables);
    void SetSearchHistory(const std::vector<std::string>& texts);

    // The element the key names, made when missing (the parent walk of GetBool/SetBool).
    TiXmlElement* ResolveParent(const std::string& key, std::string& name);
    TiXmlElement* Root() const { return m_root; }

private:
    TiXmlElement* FreshList(const char* name);

    std::string m_path;
    std::unique_ptr<TiXmlDocument> m_doc;
    TiXmlElement* m_root = nullptr;
    TiXmlElement* m_current = nullptr;
};

// Keys as the configuration writes them: "\" becomes "/" and runs of "/" collapse.
std::string NormaliseConfigKey(const std::string& key);
