// The sample faces are what the gallery and the picture-control tests rely on: every
// file is well formed and carries the delays and disposals its name promises.
#include "SampleSet.h"

#include <gtest/gtest.h>

#include <map>

#include "BmpWriter.h"
#include "GifFormat.h"
#include "JpegWriter.h"

namespace {

std::map<std::string, std::vector<uint8_t>> Samples() {
    std::map<std::string, std::vector<uint8_t>> m;
    for (auto& f : samples::MakeSampleFaces())
        m[f.name] = f.bytes;
    return m;
}

std::vector<gif::FrameSpan> Frames(const std::vector<uint8_t>& g) {
    const auto s = gif::ReadScreen(g.data(), g.size());
    return s ? gif::ListFrames(g.data(), g.size(), *s) : std::vector<gif::FrameSpan>{};
}

}  // namespace

TEST(SampleFaces, CoverEveryDisposalWithAndWithoutTransparency) {
    const auto m = Samples();
    for (int d = 0; d <= 3; ++d) {
        for (const char* suffix : {"", "_transparent"}) {
            const std::string name = "disposal" + std::to_string(d) + suffix + ".gif";
            ASSERT_TRUE(m.count(name)) << name;
            const auto& g = m.at(name);
            const auto f = Frames(g);
            ASSERT_EQ(5u, f.size()) << name;
            EXPECT_EQ(d, f[1].disposal) << name;
            const bool transparent = (g[f[1].begin + 3] & 1) != 0;
            EXPECT_EQ(*suffix != 0, transparent) << name;
        }
    }
}

TEST(SampleFaces, CoverTheDelaysAroundThe100msRule) {
    const auto m = Samples();
    for (int delay : {0, 3, 10, 50, 1000}) {
        const auto f = Frames(m.at("delay" + std::to_string(delay) + ".gif"));
        ASSERT_EQ(3u, f.size());
        for (const auto& fr : f)
            EXPECT_EQ(delay, fr.delay);
    }
    const auto mixed = Frames(m.at("delays_mixed.gif"));
    ASSERT_EQ(5u, mixed.size());
    EXPECT_EQ(1000, mixed[4].delay);
    for (const auto& fr : Frames(m.at("no_control.gif")))
        EXPECT_EQ(gif::kNoDelay, fr.delay);
}

TEST(SampleFaces, StillsAreWellFormedGifBmpAndJpeg) {
    const auto m = Samples();
    EXPECT_EQ(1u, Frames(m.at("still.gif")).size());
    const auto& bmp = m.at("still.bmp");
    ASSERT_GE(bmp.size(), 54u);
    EXPECT_EQ('B', bmp[0]);
    EXPECT_EQ('M', bmp[1]);
    EXPECT_EQ(54u + 32 * 32 * 3, bmp.size());  // 96-byte rows need no padding
    for (const char* name : {"still.jpg", "large.jpg"}) {
        const auto& jpg = m.at(name);
        ASSERT_GT(jpg.size(), 4u);
        EXPECT_EQ(0xFF, jpg[0]);
        EXPECT_EQ(0xD8, jpg[1]);
        EXPECT_EQ(0xFF, jpg[jpg.size() - 2]);
        EXPECT_EQ(0xD9, jpg.back());
        // Entropy-coded data never holds a bare 0xFF: every one is stuffed or a marker.
        size_t sos = 0;
        for (size_t i = 2; i + 1 < jpg.size(); ++i)
            if (jpg[i] == 0xFF && jpg[i + 1] == 0xDA)
                sos = i;
        ASSERT_GT(sos, 0u);
        const size_t data = sos + 2 + (jpg[sos + 2] << 8 | jpg[sos + 3]);
        for (size_t i = data; i + 2 < jpg.size(); ++i) {
            if (jpg[i] == 0xFF) {
                EXPECT_EQ(0x00, jpg[i + 1]) << name << " at " << i;
            }
        }
    }
}

TEST(SampleFaces, WriterRefusesMismatchedPixelBuffers) {
    EXPECT_TRUE(samples::WriteBmp(2, 2, std::vector<uint8_t>(11)).empty());
    EXPECT_TRUE(samples::WriteJpeg(2, 2, std::vector<uint8_t>(13)).empty());
    EXPECT_TRUE(samples::WriteJpeg(0, 2, {}).empty());
}
