// Face-pack links: decoding, the scheme rules, "name=" and "id=", the installed-pack query.
#include <gtest/gtest.h>

#include "FaceLink.h"

using namespace update;

namespace {

// Standard base64, then the link alphabet: "+" -> "%", "/" -> "$", "=" -> "@".
std::string EncodeLink(const std::string& text) {
    static const char* abc = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789%$";
    std::string out;
    for (size_t i = 0; i < text.size(); i += 3) {
        uint32_t v = static_cast<uint8_t>(text[i]) << 16;
        if (i + 1 < text.size()) v |= static_cast<uint8_t>(text[i + 1]) << 8;
        if (i + 2 < text.size()) v |= static_cast<uint8_t>(text[i + 2]);
        out += abc[v >> 18 & 63];
        out += abc[v >> 12 & 63];
        out += i + 1 < text.size() ? abc[v >> 6 & 63] : '@';
        out += i + 2 < text.size() ? abc[v & 63] : '@';
    }
    return out;
}

}  // namespace

TEST(LinkDecoding, EncodedExampleGivesHttpUrlNameAndId) {
    const std::string encoded = "mienko://" + EncodeLink("H/p/a.zip?name=A&id=7");
    ASSERT_TRUE(IsEncodedLink(encoded));
    const std::string link = DecodeLink(encoded);
    EXPECT_EQ(link, "http://H/p/a.zip?name=A&id=7");
    const auto pack = ParsePackLink(link);
    ASSERT_TRUE(pack);
    EXPECT_EQ(pack->url, "http://H/p/a.zip");
    EXPECT_EQ(pack->name, "A");
    EXPECT_EQ(pack->id, "7");
}

TEST(LinkDecoding, TrailingSlashAndAllThreeSwappedCharactersAreUndone) {
    // Bytes chosen so that the encoding holds "%", "$" and "@".
    const std::string text = "mienko://x/\xfb\xff?id=12";
    const std::string encoded = EncodeLink(text);
    ASSERT_NE(encoded.find('$'), std::string::npos);
    ASSERT_NE(encoded.find('@'), std::string::npos);
    EXPECT_EQ(DecodeLink(encoded + "/"), text);  // holds "://": no "http://" put in front
    const std::string plus = EncodeLink(">>>");
    ASSERT_NE(plus.find('%'), std::string::npos);
    EXPECT_EQ(DecodeLink(plus), "http://>>>");
}

TEST(LinkDecoding, PlainLinksAndTextsWithADotStayAsGiven) {
    EXPECT_FALSE(IsEncodedLink("http://h.example/a.zip"));
    EXPECT_EQ(DecodeLink("http://h.example/a.zip"), "http://h.example/a.zip");
    EXPECT_EQ(DecodeLink("ftp://h.example/a.zip"), "ftp://h.example/a.zip");
    EXPECT_FALSE(ParsePackLink("ftp://h.example/a.zip"));
    EXPECT_FALSE(ParsePackLink("h.example/a.zip"));  // a "." but no scheme: ignored
    // A dot only in the first place does not make a text plain.
    EXPECT_TRUE(IsEncodedLink(".abc"));
}

TEST(LinkDecoding, UndecodableTextGivesNothing) {
    EXPECT_EQ(DecodeLink("mienko://abc"), "");        // not a multiple of four
    EXPECT_EQ(DecodeLink("mienko://"), "");
    EXPECT_EQ(DecodeLink(""), "");
    EXPECT_EQ(DecodeLink("mienko://AA@@"), "");        // one NUL byte: an empty text
}

TEST(LinkDecoding, FourKilobyteLinksDecodeWhole) {
    const std::string url = "h/p/" + std::string(4000, 'q') + ".zip?name=N";
    const std::string link = DecodeLink("mienko://" + EncodeLink(url));
    EXPECT_EQ(link, "http://" + url);
    EXPECT_EQ(ParsePackLink(link)->name, "N");
}

TEST(PackLinks, MienkoSchemeIsRewrittenAndQueryTrimmed) {
    const auto pack = ParsePackLink("mienko://h.example/p/a.zip?  id=12&name=Cats  ");
    ASSERT_TRUE(pack);
    EXPECT_EQ(pack->url, "http://h.example/p/a.zip");
    EXPECT_EQ(pack->name, "Cats");
    EXPECT_EQ(pack->id, "12");
}

TEST(PackLinks, NameFallsBackToUrlOrItsLastSegment) {
    EXPECT_EQ(ParsePackLink("http://h.example/p/a.zip?id=3")->name, "http://h.example/p/a.zip");
    EXPECT_EQ(ParsePackLink("http://h.example/p/a.zip")->name, "a.zip");
    EXPECT_EQ(ParsePackLink("http://h.example/p/")->name, "http://h.example/p/");
    EXPECT_EQ(ParsePackLink("http://h.example/p/a.zip")->id, "");
}

TEST(PackLinks, FirstOfSeveralNamesWinsAndKeysMatchWholeParameters) {
    const auto pack = ParsePackLink("http://h.example/a.zip?pid=9&name=One&name=Two&id=4&id=5");
    ASSERT_TRUE(pack);
    EXPECT_EQ(pack->name, "One");
    EXPECT_EQ(pack->id, "4");  // "pid=" is another key
    EXPECT_EQ(QueryValue("name=", "name=").value(), "");
    EXPECT_FALSE(QueryValue("nickname=x", "name="));
    EXPECT_EQ(QueryValue("a=1&name=%41", "name=").value(), "%41");  // no percent-decoding
}

TEST(PackLinks, SchemeWithoutServerIsNoUrl) {
    EXPECT_FALSE(ParsePackLink("http://"));
    EXPECT_FALSE(ParsePackLink("http://?name=x"));
    EXPECT_FALSE(ParsePackLink("mienko://"));
}

TEST(InstalledPackQuery, OnlyDecimalIdsReachTheStatement) {
    EXPECT_EQ(PackInstalledQuery("7"), "select * from  mmNameIndexTable where packid like '%|7|%'");
    EXPECT_EQ(PackInstalledQuery(""), "");
    EXPECT_EQ(PackInstalledQuery("7' or '1'='1"), "");
    EXPECT_EQ(PackInstalledQuery("1234567890"), "");
}
