// The transfer loop of the HTTP client, over small interfaces so that the platform (WinINet,
// the file, the tick counter, the message queue) stays outside: read what the server
// announces in blocks of at most 1024 bytes, write it, report progress, and sample the
// speed about once a second.
#pragma once
#include <cstdint>
#include <functional>

namespace update {

// One opened URL.
class HttpBody {
public:
    virtual ~HttpBody() = default;
    // Bytes ready to read; false on failure. 0 means the body has ended.
    virtual bool QueryAvailable(uint32_t& bytes) = 0;
    virtual bool Read(void* buffer, uint32_t size, uint32_t& read) = 0;
};

class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual bool Write(const void* data, uint32_t size) = 0;
};

constexpr uint32_t kBlockSize = 1024;

// Speed over the bytes received since the last sample, taken when an announced chunk is
// drained and more than 1000 ms have passed since the chunk that started the timer.
class SpeedSampler {
public:
    void OnAnnounce(uint32_t nowMs);
    void OnDrained(uint32_t nowMs, uint32_t received);
    uint32_t Speed() const { return m_speed; }

private:
    uint32_t m_speed = 0, m_sampled = 0, m_start = 0;
    bool m_idle = true;
};

struct TransferOutcome {
    uint32_t received = 0;
    bool readFailed = false;   // a read failed or gave nothing although data was announced
    bool writeFailed = false;
    bool queryFailed = false;  // the body could not be asked for more
};

struct TransferHooks {
    std::function<uint32_t()> ticks;                             // milliseconds
    std::function<void(uint32_t received, uint32_t speed)> progress;  // after each block
    std::function<void()> pump;                                  // after each block
    uint32_t blockSize = kBlockSize;                             // benchmarks try others
};

TransferOutcome RunTransfer(HttpBody& body, ByteSink& sink, const TransferHooks& hooks);

// Whether a finished transfer holds the whole file: no failure, at least one byte, and
// exactly the announced length when the server gave one.
bool IsCompleteTransfer(const TransferOutcome& outcome, bool hasLength, uint32_t length);

}  // namespace update
