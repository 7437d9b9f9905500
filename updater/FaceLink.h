// Face-pack links as web pages hand them to the updater: plain ("mienko://" or
// "http://" with server, path and query) or encoded (base64 with "+", "/" and the padding
// written "%", "$" and "@").
#pragma once
#include <optional>
#include <string>

namespace update {

// A text with no "." after its first character counts as encoded.
bool IsEncodedLink(const std::string& text);

// Encoded links are decoded ("http://" put in front when the result names no scheme);
// plain ones come back unchanged. An encoded link that decodes to nothing gives "".
std::string DecodeLink(const std::string& text);

struct PackLink {
    std::string url;   // http URL without the query
    std::string name;  // what the list shows
    std::string id;    // pack id text, may be empty
};

// A decoded link with a known scheme ("mienko://" becomes "http://"); nullopt for any
// other scheme or an empty URL.
std::optional<PackLink> ParsePackLink(const std::string& link);

// The value of `key` ("name=", "id=") at the first parameter that starts with it, up to the
// next "&"; nullopt when no parameter has it.
std::optional<std::string> QueryValue(const std::string& query, const std::string& key);

// The library query that tells whether a pack id is installed; empty for an id that is not
// a decimal number (bar lists hold numbers only, and nothing else may reach the statement).
std::string PackInstalledQuery(const std::string& id);

}  // namespace update
