// Log lines stay single lines and keep paths readable.
#include "LogText.h"

#include <gtest/gtest.h>

using namespace fakeqq;

TEST(LogText, LineBreaksTabsAndControlBytesAreEscaped) {
    EXPECT_EQ(EscapeLogText("a\r\nb\tc"), "a\\r\\nb\\tc");
    EXPECT_EQ(EscapeLogText(std::string("x\0y\x1f\x7f", 5)), "x\\x00y\\x1F\\x7F");
}

TEST(LogText, PathsQuotesAndUtf8AreKept) {
    EXPECT_EQ(EscapeLogText("C:\\face\\微笑.gif \"q\""), "C:\\face\\微笑.gif \"q\"");
    EXPECT_EQ(EscapeLogText(""), "");
}

TEST(LogText, HandlesHaveOneFixedForm) {
    EXPECT_EQ(HexHandle(0), "0x00000000");
    EXPECT_EQ(HexHandle(0x1002A), "0x0001002A");
    EXPECT_EQ(HexHandle(0xFFFFFFFFu), "0xFFFFFFFF");
}

TEST(LogText, BoxText) { EXPECT_EQ(BoxText(-5, 0, 10, 20), "-5,0,10,20"); }
