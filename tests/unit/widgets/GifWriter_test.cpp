// The test pictures are only as good as the encoder: decode its LZW stream with an
// independent textbook decoder and compare the pixels.
#include "GifWriter.h"

#include <gtest/gtest.h>

#include "GifFormat.h"

namespace {

std::vector<uint8_t> Unblock(const std::vector<uint8_t>& g, size_t& pos) {
    std::vector<uint8_t> out;
    while (g.at(pos) != 0) {
        const size_t n = g.at(pos++);
        out.insert(out.end(), g.begin() + static_cast<std::ptrdiff_t>(pos),
                   g.begin() + static_cast<std::ptrdiff_t>(pos + n));
        pos += n;
    }
    ++pos;
    return out;
}

std::vector<uint8_t> LzwDecode(const std::vector<uint8_t>& data, int minCode) {
    const int clear = 1 << minCode;
    std::vector<std::vector<uint8_t>> table;
    auto reset = [&] {
        table.clear();
        for (int i = 0; i < clear + 2; ++i)
            table.push_back({static_cast<uint8_t>(i)});
    };
    reset();
    int width = minCode + 1;
    size_t bit = 0;
    std::vector<uint8_t> out, prev;
    while (bit + static_cast<size_t>(width) <= data.size() * 8) {
        int code = 0;
        for (int i = 0; i < width; ++i, ++bit)
            code |= ((data[bit / 8] >> (bit % 8)) & 1) << i;
        if (code == clear) {
            reset();
            width = minCode + 1;
            prev.clear();
            continue;
        }
        if (code == clear + 1)
            break;
        std::vector<uint8_t> entry;
        if (code < static_cast<int>(table.size())) {
            entry = table[static_cast<size_t>(code)];
        } else {
            entry = prev;
            entry.push_back(prev.at(0));
        }
        out.insert(out.end(), entry.begin(), entry.end());
        if (!prev.empty()) {
            auto added = prev;
            added.push_back(entry[0]);
            table.push_back(added);
        }
        prev = entry;
        if (static_cast<int>(table.size()) == (1 << width) && width < 12)
            ++width;
    }
    return out;
}

}  // namespace

TEST(GifWriter, ImageDataDecodesBackToThePixels) {
    for (int bits : {1, 2, 4, 8}) {
        std::vector<uint8_t> pixels;
        for (int i = 0; i < 3000; ++i)
            pixels.push_back(static_cast<uint8_t>((i * 7 + i / 13) % (1 << bits)));
        const auto data = samples::GifWriter::ImageData(pixels, bits);
        size_t pos = 1;
        const auto stream = Unblock(data, pos);
        EXPECT_EQ(data.size(), pos);
        EXPECT_EQ(pixels, LzwDecode(stream, data[0])) << bits << " bits";
    }
}

TEST(GifWriter, WritesAFileTheWalkerReads) {
    samples::GifWriter w(3, 2, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}, 1);
    samples::GifFrame f = samples::SolidFrame(0, 0, 3, 2, 2);
    f.transparent = 1;
    f.delay = 1000;
    f.disposal = 3;
    w.AddFrame(f);
    const auto g = w.Finish();
    const auto s = gif::ReadScreen(g.data(), g.size());
    ASSERT_TRUE(s);
    EXPECT_EQ(12u, s->globalTableBytes);  // three colours round up to four
    EXPECT_EQ(0x060504u, s->backgroundColor);
    const auto frames = gif::ListFrames(g.data(), g.size(), *s);
    ASSERT_EQ(1u, frames.size());
    EXPECT_EQ(1000, frames[0].delay);
    EXPECT_EQ(3, frames[0].disposal);
    EXPECT_EQ(0x01, g[frames[0].begin + 3] & 0x01);  // transparency flag
    EXPECT_EQ(1, g[frames[0].begin + 6]);
    size_t pos = frames[0].image + 11;
    EXPECT_EQ(std::vector<uint8_t>(6, 2), LzwDecode(Unblock(g, pos), g[frames[0].image + 10]));
}
