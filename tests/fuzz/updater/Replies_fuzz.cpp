// Update-server replies: whatever arrives, the parsers stay inside the datagram, and what
// they accept keeps the URL limit.
#include <cstdint>
#include <cstdlib>

#include "UpdateProtocol.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const update::Bytes datagram(data, data + size);
    update::ReplyError error;
    if (const auto reply = update::ParseProgramReply(datagram, &error)) {
        if (reply->baseUrl.size() > update::kMaxUrl) std::abort();
        for (const auto& item : reply->items)
            if (item.url.empty() || item.url.size() > update::kMaxUrl) std::abort();
    }
    if (const auto reply = update::ParseFaceReply(datagram, &error)) {
        for (const auto& item : reply->items)
            if (item.url.empty() || item.url.size() > update::kMaxUrl) std::abort();
    }
    return 0;
}
