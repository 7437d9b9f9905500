// Where a download lands, and the texts the download list shows for it.
#pragma once
#include <cstdint>
#include <string>

namespace update {

// The local file name of a download. No name given (empty): the URL after its last "/"
// (query included). A name without ".": the name plus the URL's extension (from its last
// "."). A name with ".": the name unchanged.
std::string LocalFileName(const std::string& url, const std::string& givenName);

// directory "\" file name; with a name that borrowed the URL's extension the whole path is
// cut at its last "?" (abc + x.zip?id=3 gives ...\abc.zip).
std::string LocalPath(const std::string& directory, const std::string& url, const std::string& givenName);

// The URL after its last "/": the list's file-name column.
std::string UrlLastSegment(const std::string& url);

std::string VersionText(uint32_t version);        // "V1.02"
std::string ItemSizeText(uint16_t sizeField);     // "5 MB" (bit 15) or "5 KB"
std::string TotalSizeText(uint32_t bytes);        // "%d MB" / "%d KB" / "%d B"
std::string SpeedText(uint32_t bytesPerSecond);   // "%d KB/S" / "%d B/S"
// received * 100 / total, clamped to 0..100; an unknown total (0) shows 0 until the
// transfer is known complete.
int ProgressPercent(uint32_t total, uint32_t received);

}  // namespace update
