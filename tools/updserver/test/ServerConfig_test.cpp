// The reference server's configuration: the replies it builds and the HTTP heads it sends.
#include <gtest/gtest.h>

#include "ServerConfig.h"

using namespace updserver;

TEST(ServerConfig, BuildsCommand16ReplyFromFields) {
    std::string error;
    const auto c = ParseConfig(
        "# comment\n"
        "udp16 status=1 newest=0x0102 interval=60 base=http://127.0.0.1:{http}/u/\n"
        "item16 version=258 size=0x8005 url=a.exe params=-x%20y dir=3 action=1\n",
        8080, error);
    ASSERT_TRUE(c) << error;
    const std::string base = "http://127.0.0.1:8080/u/";
    Bytes want{2, 10, 16, 0, 0, 1, 2, 1, 60, 0, static_cast<uint8_t>(base.size())};
    want.insert(want.end(), base.begin(), base.end());
    const Bytes tail{1, 2, 1, 5, 0x80, 5, 0, 'a', '.', 'e', 'x', 'e', 4, 0, '-', 'x', ' ', 'y', 3, 1, 3};
    want.insert(want.end(), tail.begin(), tail.end());
    want[4] = static_cast<uint8_t>(want.size());
    EXPECT_EQ(c->replies.at(16), want);
    // Command 17 was not configured: status 0.
    EXPECT_EQ(c->replies.at(17), (Bytes{2, 10, 17, 0, 13, 0, 0, 0, 0, 0, 0, 0, 3}));
}

TEST(ServerConfig, RawAndSilentRepliesAndFileRoutes) {
    std::string error;
    const auto c = ParseConfig("raw16 hex=020a1000\nsilent17\nfile /a.zip size=300 mode=nolength slow=5 cut=10 extra=2\n", 1, error);
    ASSERT_TRUE(c) << error;
    EXPECT_EQ(c->replies.at(16), (Bytes{2, 10, 16, 0}));
    EXPECT_TRUE(c->replies.at(17).empty());
    const FileRoute& f = c->files.at("/a.zip");
    EXPECT_EQ(f.body.size(), 300u);
    EXPECT_EQ(f.body[252], FileByte(252));
    EXPECT_EQ(f.mode, "nolength");
    EXPECT_EQ(f.slowMs, 5);
    EXPECT_EQ(f.cut.value(), 10u);
    EXPECT_EQ(f.extra, 2u);
    EXPECT_EQ(ResponseHead(&f).find("Content-Length"), std::string::npos);
}

TEST(ServerConfig, UnknownDirectiveNamesTheLine) {
    std::string error;
    EXPECT_FALSE(ParseConfig("udp16 status=0\nbogus x=1\n", 1, error));
    EXPECT_EQ(error, "line 2: unknown directive bogus");
}

TEST(ServerConfig, HeadsAndRequestPaths) {
    FileRoute r;
    r.body.resize(7);
    EXPECT_EQ(ResponseHead(&r).rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
    EXPECT_NE(ResponseHead(&r).find("Content-Length: 7\r\n"), std::string::npos);
    EXPECT_EQ(ResponseHead(nullptr).rfind("HTTP/1.1 404", 0), 0u);
    EXPECT_EQ(RequestPath("GET /p/a.zip?x=1 HTTP/1.1\r\nHost: h\r\n\r\n"), "/p/a.zip");
    EXPECT_EQ(RequestPath("POST /p HTTP/1.1\r\n\r\n"), "");
    EXPECT_EQ(PercentDecode("a%20b%zz%4"), "a b%zz%4");
}
