#include "Transfer.h"

#include <algorithm>
#include <vector>

namespace update {

void SpeedSampler::OnAnnounce(uint32_t nowMs) {
    if (!m_idle) return;
    m_start = nowMs;
    m_idle = false;
}

void SpeedSampler::OnDrained(uint32_t nowMs, uint32_t received) {
    const uint32_t elapsed = nowMs - m_start;  // unsigned: the tick counter may wrap
    if (m_idle || elapsed <= 1000) return;
    m_speed = static_cast<uint32_t>(uint64_t{received - m_sampled} * 1000 / elapsed);
    m_sampled = received;
    m_idle = true;
}

TransferOutcome RunTransfer(HttpBody& body, ByteSink& sink, const TransferHooks& hooks) {
    TransferOutcome out;
    SpeedSampler speed;
    const uint32_t blockSize = hooks.blockSize ? hooks.blockSize : kBlockSize;
    std::vector<unsigned char> block(blockSize);
    for (;;) {
        uint32_t announced = 0;
        if (!body.QueryAvailable(announced)) {
            out.queryFailed = true;
            break;
        }
        if (announced == 0) break;
        speed.OnAnnounce(hooks.ticks());
        while (announced > 0) {
            uint32_t read = 0;
            // A read that fails or brings nothing would never drain the announcement.
            if (!body.Read(block.data(), std::min(announced, blockSize), read) || read == 0) {
                out.readFailed = true;
                return out;
            }
            if (!sink.Write(block.data(), read)) {
                out.writeFailed = true;
                return out;
            }
            out.received += read;
            announced -= std::min(read, announced);
            if (hooks.progress) hooks.progress(out.received, speed.Speed());
            if (hooks.pump) hooks.pump();
        }
        speed.OnDrained(hooks.ticks(), out.received);
    }
    return out;
}

bool IsCompleteTransfer(const TransferOutcome& o, bool hasLength, uint32_t length) {
    if (o.readFailed || o.writeFailed || o.queryFailed || o.received == 0) return false;
    return !hasLength || o.received == length;
}

}  // namespace update
