// UTF-8 <-> UTF-16 conversion: round trips, surrogate pairs, and ill-formed input.
#include <gtest/gtest.h>

#include "text/Utf.h"

using text::IsValidUtf8;
using text::Utf16ToUtf8;
using text::Utf8ToUtf16;

namespace {
const std::u16string kFffd(1, u'\uFFFD');
}

TEST(Utf, EmptyStaysEmpty) {
    EXPECT_EQ(Utf8ToUtf16(""), u"");
    EXPECT_EQ(Utf16ToUtf8(u""), "");
    EXPECT_TRUE(IsValidUtf8(""));
}

TEST(Utf, RoundTripsAsciiChineseAndEmbeddedNul) {
    const std::string s = std::string("PeluQQ\xE8\xA1\xA8\xE6\x83\x85\xE7\xB2\xBE\xE7\x81\xB5", 18) +
                          std::string("\0x", 2);
    const std::u16string w = Utf8ToUtf16(s);
    EXPECT_EQ(w, std::u16string(u"PeluQQ表情精灵") + std::u16string(u"\0x", 2));
    EXPECT_EQ(Utf16ToUtf8(w), s);
}

TEST(Utf, EncodingLengthBoundaries) {
    // The last code point of each UTF-8 length and the first of the next.
    const char32_t points[] = {0x7F, 0x80, 0x7FF, 0x800, 0xD7FF, 0xE000, 0xFFFD, 0xFFFF,
                               0x10000, 0x10FFFF};
    const size_t lengths[] = {1, 2, 2, 3, 3, 3, 3, 3, 4, 4};
    for (size_t k = 0; k < std::size(points); ++k) {
        std::string u8;
        text::AppendUtf8(u8, points[k]);
        EXPECT_EQ(u8.size(), lengths[k]) << std::hex << points[k];
        EXPECT_TRUE(IsValidUtf8(u8));
        EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(u8)), u8);
    }
}

TEST(Utf, SupplementaryPlaneUsesSurrogatePair) {
    const std::string smile = "\xF0\x9F\x98\x80";  // U+1F600
    EXPECT_EQ(Utf8ToUtf16(smile), u"\U0001F600");
    EXPECT_EQ(Utf8ToUtf16(smile), std::u16string({char16_t(0xD83D), char16_t(0xDE00)}));
    EXPECT_EQ(Utf16ToUtf8(u"a\U0010FFFFb"), "a\xF4\x8F\xBF\xBF" "b");
}

TEST(Utf, LoneSurrogatesBecomeReplacement) {
    EXPECT_EQ(Utf16ToUtf8(std::u16string({char16_t(0xD800)})), "\xEF\xBF\xBD");
    EXPECT_EQ(Utf16ToUtf8(std::u16string({u'a', char16_t(0xDC00), u'b'})), "a\xEF\xBF\xBD" "b");
    // A high surrogate followed by another high surrogate and then a low one: only the
    // second pair is a character.
    EXPECT_EQ(Utf16ToUtf8(std::u16string({char16_t(0xD800), char16_t(0xD83D), char16_t(0xDE00)})),
              "\xEF\xBF\xBD\xF0\x9F\x98\x80");
    // Reversed pair.
    EXPECT_EQ(Utf16ToUtf8(std::u16string({char16_t(0xDE00), char16_t(0xD83D)})),
              "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Utf, InvalidUtf8IsReplacedPerMaximalSubpart) {
    struct Case {
        std::string in;
        std::u16string out;
    } cases[] = {
        {"\x80", kFffd},                                  // stray continuation
        {"\xC0\xAF", kFffd + kFffd},                      // overlong lead byte
        {"\xE0\x80\xAF", kFffd + kFffd + kFffd},          // overlong 3-byte
        {"\xED\xA0\x80", kFffd + kFffd + kFffd},          // encoded surrogate
        {"\xF4\x90\x80\x80", kFffd + kFffd + kFffd + kFffd},  // past U+10FFFF
        {"\xF5", kFffd},
        {"\xFF" "a", kFffd + u"a"},
        {"\xE4\xBD", kFffd},                              // truncated at end
        {"\xE4\xBD" "a", kFffd + u"a"},                   // truncated, then ASCII survives
        {"\xF0\x9F\x98", kFffd},
        {"a\xC3", u"a" + kFffd},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToUtf16(c.in), c.out) << testing::PrintToString(c.in);
        EXPECT_FALSE(IsValidUtf8(c.in)) << testing::PrintToString(c.in);
    }
}

TEST(Utf, LiteralReplacementCharacterIsValid) {
    EXPECT_TRUE(IsValidUtf8("x\xEF\xBF\xBDy"));
    EXPECT_EQ(Utf8ToUtf16("x\xEF\xBF\xBDy"), u"x\uFFFDy");
}

TEST(Utf, AppendRejectsNonCharacters) {
    std::string s;
    text::AppendUtf8(s, 0xD800);
    text::AppendUtf8(s, 0x110000);
    EXPECT_EQ(s, "\xEF\xBF\xBD\xEF\xBF\xBD");
}
