// The HTTP client's transfer loop: blocks, progress, the speed rule, and the ways a body
// can fail.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "Transfer.h"

using namespace update;

namespace {

// A body served in announced chunks; each Read may be told to fail or bring nothing.
class FakeBody : public HttpBody {
public:
    std::deque<uint32_t> chunks;   // announcements, in order
    int failReadAt = -1;           // index of the read that fails
    int emptyReadAt = -1;          // index of the read that returns 0 bytes
    bool failQuery = false;
    std::vector<uint32_t> readSizes;
    std::function<void()> onQuery;

    bool QueryAvailable(uint32_t& bytes) override {
        if (onQuery) onQuery();
        if (failQuery) return false;
        bytes = chunks.empty() ? 0 : chunks.front();
        return true;
    }
    bool Read(void* buffer, uint32_t size, uint32_t& read) override {
        const int index = static_cast<int>(readSizes.size());
        readSizes.push_back(size);
        if (index == failReadAt) return false;
        if (index == emptyReadAt) { read = 0; return true; }
        read = std::min(size, chunks.front());
        std::fill_n(static_cast<char*>(buffer), read, 'x');
        chunks.front() -= read;
        if (chunks.front() == 0) chunks.pop_front();
        return true;
    }
};

class Sink : public ByteSink {
public:
    std::string data;
    bool fail = false;
    bool Write(const void* p, uint32_t n) override {
        if (fail) return false;
        data.append(static_cast<const char*>(p), n);
        return true;
    }
};

struct Progress {
    uint32_t received, speed;
};

struct Harness {
    FakeBody body;
    Sink sink;
    uint32_t now = 5000;
    std::vector<Progress> reports;
    int pumps = 0;
    TransferOutcome Run() {
        TransferHooks hooks;
        hooks.ticks = [this] { return now; };
        hooks.progress = [this](uint32_t r, uint32_t s) { reports.push_back({r, s}); };
        hooks.pump = [this] { ++pumps; };
        return RunTransfer(body, sink, hooks);
    }
};

}  // namespace

TEST(TransferLoop, ReadsAnnouncedBytesInBlocksOfAtMost1024) {
    Harness h;
    h.body.chunks = {2500, 10};
    const auto out = h.Run();
    EXPECT_EQ(out.received, 2510u);
    EXPECT_EQ(h.sink.data.size(), 2510u);
    EXPECT_EQ(h.body.readSizes, (std::vector<uint32_t>{1024, 1024, 452, 10}));
    ASSERT_EQ(h.reports.size(), 4u);
    EXPECT_EQ(h.reports.back().received, 2510u);
    EXPECT_EQ(h.pumps, 4);
    EXPECT_TRUE(IsCompleteTransfer(out, true, 2510));
    EXPECT_TRUE(IsCompleteTransfer(out, false, 0));
}

TEST(TransferLoop, ShortTransferReportsSpeedZero) {
    Harness h;
    h.body.chunks = {3000, 3000};
    h.body.onQuery = [&h] { h.now += 400; };
    h.Run();
    for (const auto& r : h.reports) EXPECT_EQ(r.speed, 0u);
}

TEST(SpeedSampling, SamplesOnlyAfterMoreThanASecondAndRestartsWithTheNextChunk) {
    SpeedSampler s;
    s.OnAnnounce(1000);
    s.OnDrained(2000, 5000);  // exactly 1000 ms: nothing changes
    EXPECT_EQ(s.Speed(), 0u);
    s.OnAnnounce(2100);       // timer still running from 1000
    s.OnDrained(3000, 8000);  // 2000 ms, 8000 bytes since the last sample
    EXPECT_EQ(s.Speed(), 4000u);
    s.OnAnnounce(3500);       // restarts now
    s.OnDrained(4000, 9000);
    EXPECT_EQ(s.Speed(), 4000u);
    s.OnDrained(4600, 10200); // 1100 ms since 3500, 2200 bytes since 8000
    EXPECT_EQ(s.Speed(), 2000u);
}

TEST(SpeedSampling, SurvivesTickCounterWrap) {
    SpeedSampler s;
    s.OnAnnounce(0xFFFFFF00u);
    s.OnDrained(0x00000700u, 3000);  // 2048 ms later
    EXPECT_EQ(s.Speed(), 3000u * 1000 / 2048);
}

TEST(TransferLoop, SpeedReachesTheCallbacksAfterTheFirstSample) {
    Harness h;
    h.body.chunks = {1000, 1000, 1000, 1000};
    h.body.onQuery = [&h] { h.now += 600; };
    h.Run();
    ASSERT_EQ(h.reports.size(), 4u);
    EXPECT_EQ(h.reports[1].speed, 0u);  // 600 ms after the first announcement
    EXPECT_EQ(h.reports[2].speed, 0u);  // sampled only when its chunk is drained
    EXPECT_EQ(h.reports[3].speed, 3000u * 1000 / 1200);
}

TEST(TransferFailures, FailedOrEmptyReadEndsTheTransferIncomplete) {
    for (int mode = 0; mode < 2; ++mode) {
        Harness h;
        h.body.chunks = {4000};
        (mode ? h.body.emptyReadAt : h.body.failReadAt) = 2;
        const auto out = h.Run();
        EXPECT_TRUE(out.readFailed);
        EXPECT_EQ(out.received, 2048u);
        EXPECT_EQ(h.body.readSizes.size(), 3u);  // no spinning on the announced bytes
        EXPECT_FALSE(IsCompleteTransfer(out, false, 0));
    }
}

TEST(TransferFailures, WriteOrQueryFailureEndsIncomplete) {
    Harness h;
    h.body.chunks = {10};
    h.sink.fail = true;
    auto out = h.Run();
    EXPECT_TRUE(out.writeFailed);
    EXPECT_FALSE(IsCompleteTransfer(out, false, 0));
    Harness q;
    q.body.failQuery = true;
    out = q.Run();
    EXPECT_TRUE(out.queryFailed);
    EXPECT_FALSE(IsCompleteTransfer(out, false, 0));
}

TEST(TransferFailures, ByteCountMustMatchAnnouncedLengthAndZeroBytesIsNoFile) {
    TransferOutcome out;
    out.received = 999;
    EXPECT_FALSE(IsCompleteTransfer(out, true, 1000));   // cut short
    out.received = 1001;
    EXPECT_FALSE(IsCompleteTransfer(out, true, 1000));   // more than announced
    out.received = 0;
    EXPECT_FALSE(IsCompleteTransfer(out, true, 0));
    EXPECT_FALSE(IsCompleteTransfer(out, false, 0));
}

TEST(TransferLoop, OtherBlockSizesReadAsMuchPerCall) {
    Harness h;
    h.body.chunks = {10000};
    TransferHooks hooks;
    hooks.ticks = [] { return 0u; };
    hooks.blockSize = 4096;
    const auto out = RunTransfer(h.body, h.sink, hooks);
    EXPECT_EQ(out.received, 10000u);
    EXPECT_EQ(h.body.readSizes, (std::vector<uint32_t>{4096, 4096, 1808}));
}
