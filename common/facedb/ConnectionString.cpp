#include "ConnectionString.h"

#include <cctype>

namespace {

std::string TrimBlanks(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a]))) ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1]))) --b;
    return s.substr(a, b - a);
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

bool ConnectionString::Parse(const std::string& text) {
    m_values.clear();
    size_t i = 0, n = text.size();
    while (i < n) {
        // One pass to whichever comes first, so every character is looked at once.
        size_t stop = text.find_first_of("=;", i);
        if (stop == std::string::npos) {
            if (!TrimBlanks(text.substr(i)).empty()) return false;
            break;
        }
        if (text[stop] == ';') {
            // an empty part ("a=b;;c=d" or a trailing ";")
            if (!TrimBlanks(text.substr(i, stop - i)).empty()) return false;
            i = stop + 1;
            continue;
        }
        std::string key = Lower(TrimBlanks(text.substr(i, stop - i)));
        i = stop + 1;
        while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
        std::string value;
        if (i < n && (text[i] == '"' || text[i] == '\'')) {
            char q = text[i++];
            for (;;) {
                if (i >= n) return false;
                if (text[i] == q) {
                    if (i + 1 < n && text[i + 1] == q) {
                        value += q;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += text[i++];
            }
            while (i < n && text[i] != ';') {
                if (!std::isspace(static_cast<unsigned char>(text[i]))) return false;
                ++i;
            }
        } else {
            size_t end = text.find(';', i);
            if (end == std::string::npos) end = n;
            value = TrimBlanks(text.substr(i, end - i));
            i = end;
        }
        if (key.empty()) return false;
        m_values[key] = value;
        if (i < n && text[i] == ';') ++i;
    }
    return true;
}

std::string ConnectionString::Get(const std::string& key) const {
    auto it = m_values.find(Lower(key));
    return it == m_values.end() ? std::string() : it->second;
}

bool ConnectionString::Has(const std::string& key) const {
    return m_values.count(Lower(key)) != 0;
}
