// Face-pack links: any text decodes without reading past it, and an accepted link is an
// http URL without a query.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FaceLink.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string link = update::DecodeLink(text);
    if (const auto pack = update::ParsePackLink(link)) {
        if (pack->url.rfind("http://", 0) != 0 || pack->url.size() <= 7) std::abort();
        if (pack->url.find('?') != std::string::npos) std::abort();
        if (pack->id.find('&') != std::string::npos) std::abort();
    }
    const std::string sql = update::PackInstalledQuery(text);
    if (!sql.empty() && sql.find_first_of("\"") != std::string::npos) std::abort();
    return 0;
}
