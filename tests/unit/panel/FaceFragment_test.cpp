#include <gtest/gtest.h>

#include "FaceFragment.h"

using namespace panel;

TEST(FaceFragment, FragmentIsTheMessengersTextWithThePathUnescaped) {
    EXPECT_EQ("<QQRichEditFormat><Info version=\"1001\"></Info><EditElement type=\"1\" "
              "filepath=\"C:\\P\\face\\smile.gif\" shortcut=\"\"></EditElement></QQRichEditFormat>",
              RichEditFragment("C:\\P\\face\\smile.gif"));
    // 8-bit bytes (a GBK path) and an ampersand go in as they are.
    const std::string gbk = "C:\\\xb1\xed\xc7\xe9\\face\\a&b.gif";
    EXPECT_NE(std::string::npos, RichEditFragment(gbk).find("filepath=\"" + gbk + "\""));
}

TEST(FaceFragment, CacheNameKeepsThePartAfterTheLastSeparator) {
    EXPECT_EQ("smile.gif", FaceCacheFileName("smile.gif"));
    EXPECT_EQ("smile.gif", FaceCacheFileName("  smile.gif \t"));
    EXPECT_EQ("smile.gif", FaceCacheFileName("C:\\faces\\old\\smile.gif"));
    EXPECT_EQ("smile.gif", FaceCacheFileName("faces/old/smile.gif"));
    EXPECT_EQ("smile.gif", FaceCacheFileName("a/b\\smile.gif"));
    EXPECT_EQ("\xe5\xbe\xae\xe7\xac\x91.gif", FaceCacheFileName("x\\\xe5\xbe\xae\xe7\xac\x91.gif"));
    EXPECT_EQ("my face.gif", FaceCacheFileName("my face.gif"));
}

TEST(FaceFragment, CacheNameRefusesNamesThatCouldEscapeOrMisnameTheFile) {
    for (const char* bad : {"", "   ", "C:\\faces\\", "faces/", ".", "..", "x\\..", "C:evil.gif",
                            "x\\a/b.gif", "a?.gif", "a*.gif", "a|b.gif", "a<b>.gif",
                            "a\"b.gif", "tab\x01.gif", "smile.", "x\\smile. "})
        EXPECT_EQ("", FaceCacheFileName(bad)) << bad;
}

TEST(FaceFragment, CacheFolderIsBelowTheProgramFolder) {
    EXPECT_EQ("C:\\P\\face\\", FaceCacheFolder("C:\\P\\"));
    EXPECT_EQ("C:\\P\\face\\", FaceCacheFolder("C:\\P"));
    EXPECT_EQ("face\\", FaceCacheFolder(""));
}
