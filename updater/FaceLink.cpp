#include "FaceLink.h"

#include <algorithm>
#include <vector>

#include "Base64.h"

namespace update {
namespace {

constexpr const char* kMienko = "mienko://";
constexpr const char* kHttp = "http://";

bool StartsWith(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

std::string Trim(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(" \t\r\n") - a + 1);
}

}  // namespace

bool IsEncodedLink(const std::string& text) { return text.size() < 2 || text.find('.', 1) == std::string::npos; }

std::string DecodeLink(const std::string& text) {
    if (!IsEncodedLink(text)) return text;
    std::string body = text;
    if (!body.empty() && body.back() == '/') body.pop_back();
    if (StartsWith(body, kMienko)) body.erase(0, 9);
    for (char& c : body) {
        if (c == '@') c = '?';
        else if (c == '$') c = '/';
        else if (c == '%') c = '+';
    }
    // Only the base64 alphabet decodes; anything else is no encoded link.
    const bool alphabet = std::all_of(body.begin(), body.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/' || c == '?';
    });
    if (body.empty() || !alphabet) return {};
    std::vector<char> out(body.size() / 4 * 3 + 1, '\0');
    const int n = Base64Decode(out.data(), body.c_str(), body.size());
    std::string decoded(out.data(), static_cast<size_t>(std::max(n, 0)));
    decoded = decoded.substr(0, decoded.find('\0'));  // the decoded text is a C string
    if (decoded.empty()) return {};
    return decoded.find("://") == std::string::npos ? kHttp + decoded : decoded;
}

std::optional<std::string> QueryValue(const std::string& query, const std::string& key) {
    for (size_t at = 0; at <= query.size();) {
        const size_t end = std::min(query.find('&', at), query.size());
        if (query.compare(at, key.size(), key) == 0 && at + key.size() <= end)
            return query.substr(at + key.size(), end - at - key.size());
        at = end + 1;
    }
    return std::nullopt;
}

std::optional<PackLink> ParsePackLink(const std::string& link) {
    std::string text;
    if (StartsWith(link, kMienko)) text = kHttp + link.substr(9);
    else if (StartsWith(link, kHttp)) text = link;
    else return std::nullopt;
    const size_t q = text.find('?');
    PackLink out;
    out.url = text.substr(0, q);
    const std::string query = q == std::string::npos ? std::string() : Trim(text.substr(q + 1));
    // A scheme with no server behind it is no URL.
    if (out.url.size() <= std::char_traits<char>::length(kHttp)) return std::nullopt;
    if (auto name = QueryValue(query, "name=")) {
        out.name = *name;
    } else if (!query.empty()) {
        out.name = out.url;
    } else {
        const size_t slash = out.url.rfind('/');
        out.name = slash == std::string::npos || slash + 1 == out.url.size() ? out.url : out.url.substr(slash + 1);
    }
    out.id = QueryValue(query, "id=").value_or("");
    return out;
}

std::string PackInstalledQuery(const std::string& id) {
    if (id.empty() || id.size() > 9 || !std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return {};
    return "select * from  mmNameIndexTable where packid like '%|" + id + "|%'";
}

}  // namespace update
