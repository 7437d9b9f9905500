#include <gtest/gtest.h>

#include <memory>

#include "ThumbnailCache.h"

using namespace panel;

namespace {

std::vector<uint8_t> Bytes(int seed) { return std::vector<uint8_t>(100, static_cast<uint8_t>(seed)); }
std::string Digest(int i) { return "digest" + std::to_string(i); }

}  // namespace

TEST(ThumbnailCache, FindsWhatWasPutOnlyForTheSameFaceAndBytes) {
    ThumbnailCache<int> cache;
    EXPECT_EQ(nullptr, cache.Find(Digest(1), Bytes(1)));
    cache.Put(Digest(1), Bytes(1), 11);
    ASSERT_NE(nullptr, cache.Find(Digest(1), Bytes(1)));
    EXPECT_EQ(11, *cache.Find(Digest(1), Bytes(1)));
    EXPECT_EQ(nullptr, cache.Find(Digest(2), Bytes(1)));  // the same bytes, another face
    // The face's thumbnail was redone: the old picture is not shown.
    EXPECT_EQ(nullptr, cache.Find(Digest(1), Bytes(2)));
    std::vector<uint8_t> longer = Bytes(1);
    longer.push_back(1);
    EXPECT_EQ(nullptr, cache.Find(Digest(1), longer));
    cache.Put(Digest(1), Bytes(2), 12);  // replaces, does not add
    EXPECT_EQ(1u, cache.Size());
    EXPECT_EQ(12, *cache.Find(Digest(1), Bytes(2)));
}

TEST(ThumbnailCache, FacesWithoutADigestAreNeverKept) {
    ThumbnailCache<int> cache;
    cache.Put("", Bytes(1), 1);
    EXPECT_EQ(0u, cache.Size());
    EXPECT_EQ(nullptr, cache.Find("", Bytes(1)));
}

TEST(ThumbnailCache, KeepsAtMostItsCapacityForgettingTheLeastRecentlyUsed) {
    ThumbnailCache<int> cache(3);
    for (int i = 1; i <= 3; ++i) cache.Put(Digest(i), Bytes(i), i);
    ASSERT_NE(nullptr, cache.Find(Digest(1), Bytes(1)));  // 1 is now the most recent
    cache.Put(Digest(4), Bytes(4), 4);
    EXPECT_EQ(3u, cache.Size());
    EXPECT_EQ(nullptr, cache.Find(Digest(2), Bytes(2)));  // used longest ago
    EXPECT_TRUE(cache.Contains(Digest(1), Bytes(1)));
    EXPECT_TRUE(cache.Contains(Digest(3), Bytes(3)));
    EXPECT_TRUE(cache.Contains(Digest(4), Bytes(4)));
    // Contains does not count as a use: 3 goes next, after 1 was found again.
    cache.Put(Digest(5), Bytes(5), 5);
    EXPECT_FALSE(cache.Contains(Digest(3), Bytes(3)));
    for (int i = 6; i < 200; ++i) cache.Put(Digest(i), Bytes(i), i);
    EXPECT_EQ(3u, cache.Size());
    EXPECT_EQ(197, *cache.Find(Digest(197), Bytes(197)));
}

TEST(ThumbnailCache, ReplacingAnEntryMakesItTheMostRecent) {
    ThumbnailCache<int> cache(2);
    cache.Put(Digest(1), Bytes(1), 1);
    cache.Put(Digest(2), Bytes(2), 2);
    cache.Put(Digest(1), Bytes(1), 10);
    cache.Put(Digest(3), Bytes(3), 3);
    EXPECT_FALSE(cache.Contains(Digest(2), Bytes(2)));
    EXPECT_EQ(10, *cache.Find(Digest(1), Bytes(1)));
}

TEST(ThumbnailCache, ClearAndSmallerCapacityDropEntriesAndReleaseThem) {
    auto picture = std::make_shared<int>(7);
    ThumbnailCache<std::shared_ptr<int>> cache(4);
    for (int i = 0; i < 4; ++i) cache.Put(Digest(i), Bytes(i), picture);
    EXPECT_EQ(5, picture.use_count());
    cache.SetCapacity(1);
    EXPECT_EQ(1u, cache.Size());
    EXPECT_TRUE(cache.Contains(Digest(3), Bytes(3)));
    EXPECT_EQ(2, picture.use_count());
    cache.Clear();
    EXPECT_EQ(0u, cache.Size());
    EXPECT_EQ(1, picture.use_count());
    EXPECT_EQ(nullptr, cache.Find(Digest(3), Bytes(3)));
    cache.SetCapacity(0);  // keeps nothing at all
    cache.Put(Digest(1), Bytes(1), picture);
    EXPECT_EQ(0u, cache.Size());
}

TEST(ThumbnailCache, AnUndecodablePictureIsRememberedAsEmpty) {
    ThumbnailCache<std::shared_ptr<int>> cache;
    cache.Put(Digest(1), Bytes(0xAB), nullptr);
    const std::shared_ptr<int>* found = cache.Find(Digest(1), Bytes(0xAB));
    ASSERT_NE(nullptr, found);
    EXPECT_EQ(nullptr, *found);
}

TEST(ThumbnailCache, StampTellsApartBytesOfTheSameSize) {
    EXPECT_EQ(StampOf(Bytes(1)), StampOf(Bytes(1)));
    EXPECT_FALSE(StampOf(Bytes(1)) == StampOf(Bytes(2)));
    std::vector<uint8_t> a = Bytes(5), b = Bytes(5);
    b[50] = 6;
    EXPECT_FALSE(StampOf(a) == StampOf(b));
    EXPECT_EQ(0u, StampOf({}).size);
}
