// Reading the rich-edit fragment the sender puts on the clipboard.
#include "RichEditFragment.h"

#include <gtest/gtest.h>

using namespace fakeqq;

namespace {

std::string Fragment(const std::string& path) {
    return "<QQRichEditFormat><Info version=\"1001\"></Info><EditElement type=\"1\" filepath=\"" +
           path + "\" shortcut=\"\"></EditElement></QQRichEditFormat>";
}

}  // namespace

TEST(RichEditFragment, TheSendersFragmentYieldsItsPathVerbatim) {
    const std::string path = "C:\\facelib\\e2e\\face\\smile.gif";
    EXPECT_TRUE(IsRichEditFragment(Fragment(path)));
    EXPECT_EQ(FragmentFilePaths(Fragment(path)), std::vector<std::string>{path});
}

TEST(RichEditFragment, PathsWithSpacesAndNonAsciiAreNotUnescaped) {
    const std::string path = "C:\\Program Files\\表情 &amp; co\\a b.gif";
    EXPECT_EQ(FragmentFilePaths(Fragment(path)), std::vector<std::string>{path});
}

TEST(RichEditFragment, SeveralElementsInOrder) {
    std::string text =
        "<QQRichEditFormat><EditElement type=\"1\" filepath=\"a.gif\"></EditElement>"
        "<EditElement type=\"0\">text</EditElement>"
        "<EditElement filepath=\"b.gif\" type=\"1\"/></QQRichEditFormat>";
    EXPECT_EQ(FragmentFilePaths(text), (std::vector<std::string>{"a.gif", "b.gif"}));
}

TEST(RichEditFragment, LookAlikeAttributesAndBrokenValuesAreSkipped) {
    EXPECT_TRUE(FragmentFilePaths("<EditElement xfilepath=\"no.gif\">").empty());
    EXPECT_TRUE(FragmentFilePaths("<EditElement filepath=\"unterminated").empty());
    EXPECT_TRUE(FragmentFilePaths("<Info filepath=\"not-an-element.gif\">").empty());
    // A '>' inside a quoted value does not end the tag.
    EXPECT_EQ(FragmentFilePaths("<EditElement shortcut=\">\" filepath=\"x.gif\">"),
              std::vector<std::string>{"x.gif"});
    // An empty value is still a value.
    EXPECT_EQ(FragmentFilePaths("<EditElement filepath=\"\">"), std::vector<std::string>{""});
}

TEST(RichEditFragment, OnlyAWrappedTextIsAFragment) {
    EXPECT_FALSE(IsRichEditFragment(""));
    EXPECT_FALSE(IsRichEditFragment("<QQRichEditFormat>"));
    EXPECT_FALSE(IsRichEditFragment("plain text"));
    EXPECT_FALSE(IsRichEditFragment(" " + Fragment("a.gif")));
    EXPECT_TRUE(IsRichEditFragment("<QQRichEditFormat></QQRichEditFormat>"));
}
