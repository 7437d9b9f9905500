#include "JetDialect.h"

#include <cctype>
#include <cstdlib>

namespace {

enum class Tok { Space, Word, Number, Text, Bracket, Punct };

struct Token {
    Tok kind;
    std::string text;   // source text (for Text/Bracket: the decoded content)
    std::string lower;  // lower-case text of words
};

bool IsWordChar(unsigned char c) {
    return std::isalnum(c) || c == '_' || c >= 0x80;
}

std::string Lower(const std::string& s) {
    std::string r = s;
    for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return r;
}

// Splits a Jet statement into tokens; false on a literal or bracket left open.
bool Tokenize(const std::string& sql, std::vector<Token>& out) {
    size_t i = 0, n = sql.size();
    while (i < n) {
        unsigned char c = static_cast<unsigned char>(sql[i]);
        size_t start = i;
        if (std::isspace(c)) {
            while (i < n && std::isspace(static_cast<unsigned char>(sql[i]))) ++i;
            out.push_back({Tok::Space, sql.substr(start, i - start), {}});
        } else if (c == '"' || c == '\'') {
            std::string value;
            ++i;
            for (;;) {
                if (i >= n) return false;
                if (sql[i] == static_cast<char>(c)) {
                    if (i + 1 < n && sql[i + 1] == static_cast<char>(c)) {
                        value += static_cast<char>(c);
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += sql[i++];
            }
            out.push_back({Tok::Text, value, {}});
        } else if (c == '[') {
            size_t close = sql.find(']', i + 1);
            if (close == std::string::npos) return false;
            out.push_back({Tok::Bracket, sql.substr(i + 1, close - i - 1), {}});
            i = close + 1;
        } else if (std::isdigit(c)) {
            while (i < n && std::isdigit(static_cast<unsigned char>(sql[i]))) ++i;
            // "7abc" is a word (an identifier that starts with digits).
            if (i < n && IsWordChar(static_cast<unsigned char>(sql[i])) &&
                !std::isdigit(static_cast<unsigned char>(sql[i]))) {
                while (i < n && IsWordChar(static_cast<unsigned char>(sql[i]))) ++i;
                std::string w = sql.substr(start, i - start);
                out.push_back({Tok::Word, w, Lower(w)});
            } else {
                out.push_back({Tok::Number, sql.substr(start, i - start), {}});
            }
        } else if (IsWordChar(c)) {
            while (i < n && IsWordChar(static_cast<unsigned char>(sql[i]))) ++i;
            std::string w = sql.substr(start, i - start);
            out.push_back({Tok::Word, w, Lower(w)});
        } else {
            out.push_back({Tok::Punct, std::string(1, static_cast<char>(c)), {}});
            ++i;
        }
    }
    return true;
}

// Index of the next non-space token at or after `i`, or tokens.size().
size_t Skip(const std::vector<Token>& t, size_t i) {
    while (i < t.size() && t[i].kind == Tok::Space) ++i;
    return i;
}

bool IsWord(const std::vector<Token>& t, size_t i, const char* lower) {
    return i < t.size() && t[i].kind == Tok::Word && t[i].lower == lower;
}

bool IsPunct(const std::vector<Token>& t, size_t i, char c) {
    return i < t.size() && t[i].kind == Tok::Punct && t[i].text[0] == c;
}

bool IsTableKeyword(const std::string& lower) {
    return lower == "from" || lower == "table" || lower == "into" || lower == "update" ||
           lower == "join";
}

bool IsNameToken(const Token& t) {
    return t.kind == Tok::Word || t.kind == Tok::Number || t.kind == Tok::Bracket;
}

class Translator {
public:
    explicit Translator(std::vector<Token> tokens) : m_t(std::move(tokens)) {}

    JetStatement Run();

private:
    void DropTrailingSemicolon();
    size_t TakeTop(size_t i, JetStatement& st);
    size_t EmitColumnType(size_t i);
    void DetectSingleTable(size_t starPos, JetStatement& st);

    std::vector<Token> m_t;
    std::string m_out;
    std::vector<std::string> m_params;
    // CREATE TABLE bookkeeping
    bool m_create = false;
    int m_depth = 0;
    bool m_expectColumn = false;
    std::string m_column;
    std::string m_createdTable;
    bool m_hasOrderColumn = false;
};

void Translator::DropTrailingSemicolon() {
    while (!m_t.empty() && (m_t.back().kind == Tok::Space ||
                            (m_t.back().kind == Tok::Punct && m_t.back().text == ";")))
        m_t.pop_back();
}

// "top N" right after select: removed from the text, N becomes the limit.
size_t Translator::TakeTop(size_t i, JetStatement& st) {
    size_t top = Skip(m_t, i);
    if (!IsWord(m_t, top, "top")) return i;
    size_t num = Skip(m_t, top + 1);
    if (num >= m_t.size() || m_t[num].kind != Tok::Number) return i;
    st.limit = std::atoll(m_t[num].text.c_str());
    m_out += m_t[i].kind == Tok::Space ? m_t[i].text : " ";
    return Skip(m_t, num + 1);
}

// A column type inside CREATE TABLE; returns the index after what it consumed.
size_t Translator::EmitColumnType(size_t i) {
    const std::string& type = m_t[i].lower;
    if (type == "int" || type == "integer" || type == "long" || type == "counter") {
        size_t id = Skip(m_t, i + 1);
        if (IsWord(m_t, id, "identity")) {
            size_t p = Skip(m_t, id + 1);
            if (IsPunct(m_t, p, '(')) {
                while (p < m_t.size() && !IsPunct(m_t, p, ')')) ++p;
                ++p;
            } else {
                p = id + 1;
            }
            m_out += "INTEGER PRIMARY KEY AUTOINCREMENT";
            return p;
        }
        if (m_column == "orderid") m_hasOrderColumn = true;
        m_out += m_t[i].text;
        return i + 1;
    }
    if (type == "char" || type == "varchar" || type == "text" || type == "nchar") {
        size_t p = Skip(m_t, i + 1);
        size_t num = Skip(m_t, p + 1);
        size_t close = Skip(m_t, num + 1);
        if (IsPunct(m_t, p, '(') && num < m_t.size() && m_t[num].kind == Tok::Number &&
            IsPunct(m_t, close, ')')) {
            const std::string& width = m_t[num].text;
            m_out += "CHAR(" + width + ") COLLATE NOCASE CHECK(length(" +
                     QuoteIdentifier(m_column) + ")<=" + width + ")";
            return close + 1;
        }
        m_out += "TEXT COLLATE NOCASE";
        return i + 1;
    }
    if (type == "image" || type == "longbinary" || type == "oleobject" || type == "binary") {
        m_out += "BLOB";
        return i + 1;
    }
    m_out += m_t[i].text;
    return i + 1;
}

void Translator::DetectSingleTable(size_t starPos, JetStatement& st) {
    size_t from = Skip(m_t, starPos + 1);
    if (!IsWord(m_t, from, "from")) return;
    size_t name = Skip(m_t, from + 1);
    if (name >= m_t.size() || !IsNameToken(m_t[name])) return;
    int depth = 0;
    for (size_t k = name + 1; k < m_t.size(); ++k) {
        if (IsPunct(m_t, k, '(')) ++depth;
        if (IsPunct(m_t, k, ')')) --depth;
        if (depth == 0 && (IsPunct(m_t, k, ',') || IsWord(m_t, k, "join") ||
                           IsWord(m_t, k, "union") || IsWord(m_t, k, "group")))
            return;
        if (IsPunct(m_t, k, ';')) return;
    }
    st.singleTableStar = true;
    st.table = m_t[name].text;
}

JetStatement Translator::Run() {
    JetStatement st;
    DropTrailingSemicolon();
    size_t first = Skip(m_t, 0);
    std::string verb = first < m_t.size() ? m_t[first].lower : std::string();
    st.isQuery = verb == "select";
    st.isSchemaChange = verb == "create" || verb == "drop" || verb == "alter";
    m_create = verb == "create" && IsWord(m_t, Skip(m_t, first + 1), "table");

    size_t starPos = std::string::npos;
    size_t tailStart = std::string::npos;
    std::string prevWord;
    size_t i = 0;
    while (i < m_t.size()) {
        const Token& t = m_t[i];
        if (st.isQuery && i == first + 1 && st.limit < 0) {
            size_t next = TakeTop(i, st);
            if (next != i) {
                i = next;
                continue;
            }
        }
        if (st.isQuery && starPos == std::string::npos && i > first && t.kind != Tok::Space) {
            // the first item after "select [top N]": a star makes a whole-row select
            starPos = IsPunct(m_t, i, '*') ? i : m_t.size();
        }
        if (t.kind == Tok::Space) {
            m_out += t.text;
            ++i;
            continue;
        }
        bool tableContext = IsTableKeyword(prevWord);
        if (m_create && m_depth == 1 && m_expectColumn && IsNameToken(t)) {
            m_column = t.kind == Tok::Word ? t.lower : t.text;
            m_expectColumn = false;
            m_out += t.kind == Tok::Word ? t.text : QuoteIdentifier(t.text);
            prevWord.clear();
            ++i;
            continue;
        }
        if (m_create && m_depth == 1 && t.kind == Tok::Word && !m_column.empty()) {
            size_t after = EmitColumnType(i);
            m_column.clear();
            prevWord.clear();
            i = after;
            continue;
        }
        switch (t.kind) {
        case Tok::Word:
            m_out += t.text;
            if (tableContext && m_create && m_createdTable.empty()) m_createdTable = t.text;
            if (tableContext && st.isQuery && prevWord == "from" && tailStart == std::string::npos)
                tailStart = m_out.size();
            prevWord = t.lower;
            break;
        case Tok::Number:
        case Tok::Bracket:
            if (tableContext || t.kind == Tok::Bracket) {
                m_out += QuoteIdentifier(t.text);
                if (tableContext && m_create && m_createdTable.empty()) m_createdTable = t.text;
                if (tableContext && st.isQuery && prevWord == "from" &&
                    tailStart == std::string::npos)
                    tailStart = m_out.size();
            } else {
                m_out += t.text;
            }
            prevWord.clear();
            break;
        case Tok::Text:
            m_out += "?";
            m_params.push_back(t.text);
            prevWord.clear();
            break;
        default:
            if (m_create && t.text == "(") {
                ++m_depth;
                if (m_depth == 1) m_expectColumn = true;
            } else if (m_create && t.text == ")") {
                --m_depth;
            } else if (m_create && m_depth == 1 && t.text == ",") {
                m_expectColumn = true;
            }
            m_out += t.text;
            prevWord.clear();
            break;
        }
        ++i;
    }
    if (starPos < m_t.size()) DetectSingleTable(starPos, st);
    if (st.singleTableStar && tailStart != std::string::npos) st.tail = m_out.substr(tailStart);
    if (st.limit >= 0) m_out += " LIMIT " + std::to_string(st.limit);
    if (m_create && m_hasOrderColumn && !m_createdTable.empty()) {
        m_out += ";CREATE INDEX " + QuoteIdentifier("ix_" + m_createdTable + "_orderid") +
                 " ON " + QuoteIdentifier(m_createdTable) + "(orderid)";
    }
    st.sql = m_out;
    st.params = std::move(m_params);
    st.ok = true;
    return st;
}

}  // namespace

JetStatement TranslateJet(const std::string& jetSql) {
    std::vector<Token> tokens;
    if (!Tokenize(jetSql, tokens)) return {};
    return Translator(std::move(tokens)).Run();
}

std::string QuoteIdentifier(const std::string& name) {
    std::string r = "\"";
    for (char c : name) {
        if (c == '"') r += '"';
        r += c;
    }
    return r + "\"";
}

std::string JetEscapeDoubleQuoted(const std::string& text) {
    std::string r;
    for (char c : text) {
        if (c == '"') r += '"';
        r += c;
    }
    return r;
}

std::string JetEscapeSingleQuoted(const std::string& text) {
    std::string r;
    for (char c : text) {
        if (c == '\'') r += '\'';
        r += c;
    }
    return r;
}
