#include "GifFormat.h"

#include <gtest/gtest.h>

#include "GifWriter.h"

using samples::GifFrame;
using samples::GifWriter;
using samples::Rgb;
using samples::SolidFrame;

namespace {

const std::vector<Rgb> kPalette = {{255, 255, 255}, {255, 0, 0}, {0, 128, 0}, {0, 0, 255}};

GifFrame Framed(int left, int top, int w, int h, uint8_t index, int delay, int disposal) {
    GifFrame f = SolidFrame(left, top, w, h, index);
    f.delay = delay;
    f.disposal = disposal;
    return f;
}

std::vector<uint8_t> ThreeFrames() {
    GifWriter w(20, 10, kPalette, 2);
    w.AddLoop(0);
    w.AddFrame(Framed(0, 0, 20, 10, 0, 10, 1));
    w.AddFrame(Framed(2, 3, 5, 4, 1, 3, 2));
    w.AddFrame(Framed(10, 1, 6, 6, 3, 50, 3));
    return w.Finish();
}

std::vector<gif::FrameSpan> Frames(const std::vector<uint8_t>& g) {
    const auto screen = gif::ReadScreen(g.data(), g.size());
    if (!screen)
        return {};
    return gif::ListFrames(g.data(), g.size(), *screen);
}

}  // namespace

TEST(GifSignature, AcceptsOnlyVersions87aAnd89a) {
    EXPECT_TRUE(gif::HasGifSignature(reinterpret_cast<const uint8_t*>("GIF87a"), 6));
    EXPECT_TRUE(gif::HasGifSignature(reinterpret_cast<const uint8_t*>("GIF89a"), 6));
    EXPECT_FALSE(gif::HasGifSignature(reinterpret_cast<const uint8_t*>("GIF88a"), 6));
    EXPECT_FALSE(gif::HasGifSignature(reinterpret_cast<const uint8_t*>("GIF89"), 5));
    const uint8_t jpeg[] = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16};
    EXPECT_FALSE(gif::HasGifSignature(jpeg, sizeof jpeg));
    EXPECT_FALSE(gif::HasGifSignature(nullptr, 0));
}

TEST(GifScreen, ReadsSizeTableAndBackgroundColour) {
    const auto g = ThreeFrames();
    const auto s = gif::ReadScreen(g.data(), g.size());
    ASSERT_TRUE(s);
    EXPECT_EQ(20, s->width);
    EXPECT_EQ(10, s->height);
    EXPECT_EQ(12u, s->globalTableBytes);       // 3 * 2^(1+1)
    EXPECT_EQ(2, s->backgroundIndex);
    EXPECT_EQ(0x008000u, s->backgroundColor);  // green as COLORREF
}

TEST(GifScreen, BackgroundStaysWhiteWithoutTableOrWithIndexBeyondIt) {
    GifWriter noTable(4, 4, {}, 0);
    auto g = noTable.Finish();
    auto s = gif::ReadScreen(g.data(), g.size());
    ASSERT_TRUE(s);
    EXPECT_EQ(0u, s->globalTableBytes);
    EXPECT_EQ(0xFFFFFFu, s->backgroundColor);

    GifWriter small(4, 4, {{1, 2, 3}, {4, 5, 6}}, 200);
    g = small.Finish();
    s = gif::ReadScreen(g.data(), g.size());
    ASSERT_TRUE(s);
    EXPECT_EQ(6u, s->globalTableBytes);
    EXPECT_EQ(0xFFFFFFu, s->backgroundColor);
}

TEST(GifScreen, RejectsHeaderOrTableCutShort) {
    const auto g = ThreeFrames();
    EXPECT_FALSE(gif::ReadScreen(g.data(), 12));
    EXPECT_FALSE(gif::ReadScreen(g.data(), 13 + 11));  // table needs 12 bytes
    EXPECT_TRUE(gif::ReadScreen(g.data(), 13 + 12));
}

TEST(GifWalk, FindsEveryFrameWithDelayDisposalAndPlace) {
    const auto g = ThreeFrames();
    const auto f = Frames(g);
    ASSERT_EQ(3u, f.size());
    EXPECT_EQ(10, f[0].delay);
    EXPECT_EQ(1, f[0].disposal);
    EXPECT_EQ(3, f[1].delay);
    EXPECT_EQ(2, f[1].disposal);
    EXPECT_EQ(50, f[2].delay);
    EXPECT_EQ(3, f[2].disposal);
    EXPECT_EQ(2, f[1].left);
    EXPECT_EQ(3, f[1].top);
    EXPECT_EQ(5, f[1].width);
    EXPECT_EQ(4, f[1].height);
    for (const auto& fr : f) {
        EXPECT_EQ(0x21, g[fr.begin]);  // each frame starts at its control extension
        EXPECT_EQ(0xF9, g[fr.begin + 1]);
        EXPECT_EQ(fr.begin + 8, fr.image);
        EXPECT_EQ(0x2C, g[fr.image]);
        EXPECT_EQ(0x00, g[fr.end - 1]);  // ... and ends with its image data terminator
    }
    EXPECT_EQ(f[0].end, f[1].begin);
    EXPECT_EQ(g.size() - 1, f[2].end);  // then the trailer
}

TEST(GifWalk, FrameWithoutControlExtensionHasNoDelayAndStartsAtItsImage) {
    GifWriter w(8, 8, kPalette);
    GifFrame plain = SolidFrame(0, 0, 8, 8, 1);
    plain.control = false;
    w.AddFrame(plain);
    w.AddFrame(Framed(0, 0, 8, 8, 2, 7, 0));
    const auto g = w.Finish();
    const auto f = Frames(g);
    ASSERT_EQ(2u, f.size());
    EXPECT_EQ(gif::kNoDelay, f[0].delay);
    EXPECT_EQ(0, f[0].disposal);
    EXPECT_EQ(f[0].image, f[0].begin);
    EXPECT_EQ(7, f[1].delay);
}

TEST(GifWalk, SkipsExtensionsBeforeTheControlExtensionAndKeepsThoseAfterIt) {
    GifWriter w(8, 8, kPalette);
    w.AddComment("before");
    w.AddLoop(3);
    w.AddFrame(Framed(0, 0, 8, 8, 1, 20, 0));
    auto g = w.Finish();
    auto f = Frames(g);
    ASSERT_EQ(1u, f.size());
    EXPECT_EQ(0xF9, g[f[0].begin + 1]);

    // A comment between the control extension and the image travels with the frame.
    std::vector<uint8_t> comment = {0x21, 0xFE, 2, 'h', 'i', 0};
    g.insert(g.begin() + static_cast<std::ptrdiff_t>(f[0].begin + 8), comment.begin(),
             comment.end());
    f = Frames(g);
    ASSERT_EQ(1u, f.size());
    EXPECT_EQ(f[0].begin + 8 + comment.size(), f[0].image);
    EXPECT_EQ(20, f[0].delay);
}

TEST(GifWalk, LaterControlExtensionBeforeAnImageIsTheOneThatApplies) {
    GifWriter w(8, 8, kPalette);
    w.AddFrame(Framed(0, 0, 8, 8, 1, 20, 0));
    auto g = w.Finish();
    const std::vector<uint8_t> gce = {0x21, 0xF9, 4, 3 << 2, 90, 0, 0, 0};
    g.insert(g.begin() + 13 + 12 + 8, gce.begin(), gce.end());
    const auto f = Frames(g);
    ASSERT_EQ(1u, f.size());
    EXPECT_EQ(90, f[0].delay);
    EXPECT_EQ(3, f[0].disposal);
    EXPECT_EQ(13u + 12 + 8, f[0].begin);
}

TEST(GifWalk, TrailerEndsTheWalkAndLaterBytesAreIgnored) {
    auto g = ThreeFrames();
    g.insert(g.end(), {0x2C, 1, 2, 3});  // junk after the trailer
    gif::BlockWalker walker(g.data(), g.size(), 25);
    int n = 0;
    while (walker.NextFrame())
        ++n;
    EXPECT_EQ(3, n);
    EXPECT_FALSE(walker.Failed());
    EXPECT_FALSE(walker.NextFrame());  // stays at the end
    EXPECT_FALSE(walker.Failed());
}

TEST(GifWalk, TruncationAtEveryByteKeepsTheCompleteFramesOnly) {
    const auto g = ThreeFrames();
    const auto full = Frames(g);
    ASSERT_EQ(3u, full.size());
    for (size_t n = 0; n < g.size(); ++n) {
        const std::vector<uint8_t> cut(g.begin(), g.begin() + static_cast<std::ptrdiff_t>(n));
        const auto f = Frames(cut);
        size_t complete = 0;
        for (const auto& fr : full)
            if (fr.end <= n)
                ++complete;
        EXPECT_EQ(complete, f.size()) << "cut at " << n;
        for (const auto& fr : f)
            EXPECT_LE(fr.end, n);
    }
}

TEST(GifWalk, LengthsPastTheEndFailTheWalk) {
    auto g = ThreeFrames();
    const auto full = Frames(g);
    // The last frame's first data sub-block claims 255 bytes it does not have.
    g[full[2].image + 11] = 0xFF;
    auto f = Frames(g);
    EXPECT_EQ(2u, f.size());

    // A local colour table larger than what is left.
    g = ThreeFrames();
    g[full[0].image + 9] = 0x87;  // 768 bytes of table
    std::vector<uint8_t> cut(g.begin(), g.begin() + static_cast<std::ptrdiff_t>(full[0].image + 200));
    EXPECT_TRUE(Frames(cut).empty());

    // A control extension cut inside its eight bytes.
    cut.assign(g.begin(), g.begin() + static_cast<std::ptrdiff_t>(full[0].begin + 5));
    gif::BlockWalker walker(cut.data(), cut.size(), full[0].begin);
    EXPECT_FALSE(walker.NextFrame());
    EXPECT_TRUE(walker.Failed());
}

TEST(GifWalk, UnknownBlocksFailTheWalk) {
    auto g = ThreeFrames();
    const auto full = Frames(g);
    g[full[1].begin + 1] = 0x77;  // unknown extension label
    EXPECT_EQ(1u, Frames(g).size());
    g = ThreeFrames();
    g[full[0].begin] = 0x00;  // not a block at all
    EXPECT_TRUE(Frames(g).empty());
}

TEST(GifWalk, EndlessExtensionChainWithoutImageEndsWithoutFrames) {
    GifWriter w(8, 8, kPalette);
    auto g = w.Finish();
    g.pop_back();  // no trailer
    const std::vector<uint8_t> comment = {0x21, 0xFE, 1, 'x', 0};
    for (int i = 0; i < 200000; ++i)
        g.insert(g.end(), comment.begin(), comment.end());
    gif::BlockWalker walker(g.data(), g.size(), 25);
    EXPECT_FALSE(walker.NextFrame());
    EXPECT_TRUE(walker.Failed());
}

TEST(GifWalk, ZeroAndHugeImageSizesAreWalkedAsGiven) {
    GifWriter w(65535, 65535, kPalette);
    w.AddFrame(Framed(0, 0, 0, 0, 0, 0, 0));
    GifFrame huge = Framed(0, 0, 2, 2, 1, 0, 0);  // four pixels...
    huge.left = huge.top = huge.width = huge.height = 65535;  // ...claiming far more
    w.AddFrame(huge);
    const auto g = w.Finish();
    const auto f = Frames(g);
    ASSERT_EQ(2u, f.size());
    EXPECT_EQ(0, f[0].width);
    EXPECT_EQ(65535, f[1].width);
    EXPECT_EQ(65535, f[1].left);
}

TEST(GifWalk, NullOrEmptyDataHasNoFrames) {
    gif::BlockWalker empty(nullptr, 100, 0);
    EXPECT_FALSE(empty.NextFrame());
    gif::Screen s;
    EXPECT_TRUE(gif::ListFrames(nullptr, 0, s).empty());
}

TEST(GifCut, FrameBecomesAStandaloneGifOfItsOwnSize) {
    const auto g = ThreeFrames();
    const auto screen = gif::ReadScreen(g.data(), g.size());
    const auto f = Frames(g);
    const auto cut = gif::CutFrame(g.data(), g.size(), *screen, f[1]);
    ASSERT_EQ(13 + 12 + (f[1].end - f[1].begin) + 1, cut.size());
    EXPECT_TRUE(std::equal(g.begin(), g.begin() + 6, cut.begin()));
    EXPECT_TRUE(std::equal(g.begin() + 10, g.begin() + 25, cut.begin() + 10));  // flags, table
    EXPECT_EQ(0x3B, cut.back());
    const auto again = gif::ReadScreen(cut.data(), cut.size());
    ASSERT_TRUE(again);
    EXPECT_EQ(5, again->width);
    EXPECT_EQ(4, again->height);
    const auto inner = gif::ListFrames(cut.data(), cut.size(), *again);
    ASSERT_EQ(1u, inner.size());
    EXPECT_EQ(0, inner[0].left);
    EXPECT_EQ(0, inner[0].top);
    EXPECT_EQ(5, inner[0].width);
    EXPECT_EQ(3, inner[0].delay);
    EXPECT_EQ(2, inner[0].disposal);
    // The image data itself is untouched.
    EXPECT_TRUE(std::equal(g.begin() + static_cast<std::ptrdiff_t>(f[1].image + 5),
                           g.begin() + static_cast<std::ptrdiff_t>(f[1].end),
                           cut.begin() + static_cast<std::ptrdiff_t>(inner[0].image + 5)));
}

TEST(GifCut, InconsistentSpanGivesNothing) {
    const auto g = ThreeFrames();
    const auto screen = gif::ReadScreen(g.data(), g.size());
    auto f = Frames(g)[0];
    auto bad = f;
    bad.end = g.size() + 1;
    EXPECT_TRUE(gif::CutFrame(g.data(), g.size(), *screen, bad).empty());
    bad = f;
    bad.begin = 3;  // inside the header
    EXPECT_TRUE(gif::CutFrame(g.data(), g.size(), *screen, bad).empty());
    bad = f;
    bad.image = bad.end - 2;
    EXPECT_TRUE(gif::CutFrame(g.data(), g.size(), *screen, bad).empty());
}
