// Reader for the small XML subset of the skin files: one optional declaration, comments,
// one optional DOCTYPE, elements, quoted attributes, text, six named entities and decimal
// character references. A document yields a complete tree or nothing.
//
// Text is UTF-8. Input starting with a UTF-16 byte-order mark (either byte order) is
// converted to UTF-8; a UTF-8 mark is dropped; invalid UTF-8 becomes U+FFFD.
// A decimal character reference stores that character as UTF-8 (U+FFFD when it names
// no character). Nesting deeper than kXmlMaxDepth fails the document.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "XmlNode.h"

constexpr std::uint64_t kXmlMaxFileSize = 4194304;  // 4 MiB
constexpr int kXmlMaxDepth = 256;

// Reads the whole file from its start; larger files are refused without being read.
// The caller closes the file.
std::unique_ptr<CXMLElement> LoadXmlFile(std::FILE* file);
// Opens a UTF-8 path for shared reading and loads it.
std::unique_ptr<CXMLElement> LoadXmlFile(const std::string& path);

std::unique_ptr<CXMLElement> ParseXmlBuffer(const void* bytes, std::size_t count);
// Parses up to the first NUL (or the end of the view).
std::unique_ptr<CXMLElement> ParseXmlText(std::string_view text);
inline std::unique_ptr<CXMLElement> ParseXmlText(const char* text) {
    return ParseXmlText(std::string_view(text ? text : ""));
}

// Encoding helpers used by the buffer stage (exposed for tests).
std::string Utf16ToUtf8(const unsigned char* bytes, std::size_t count, bool bigEndian);
std::string SanitizeUtf8(std::string_view bytes);
void AppendUtf8(std::string& out, std::uint32_t codePoint);
