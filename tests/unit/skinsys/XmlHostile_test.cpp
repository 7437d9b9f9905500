// Hostile and truncated documents: the reader fails cleanly, never reads past the input
// and never recurses without bound.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "XmlReader.h"

namespace {

std::string Nested(int depth) {
    std::string s;
    for (int i = 0; i < depth; ++i) s += "<e>";
    for (int i = 0; i < depth; ++i) s += "</e>";
    return s;
}

}  // namespace

TEST(XmlHostile, NestingUpToTheLimitIsAccepted) {
    auto root = ParseXmlText(Nested(kXmlMaxDepth));
    ASSERT_TRUE(root);
    int depth = 1;
    for (const CXMLElement* e = root.get(); !e->m_children.empty(); e = e->m_children[0].get())
        ++depth;
    EXPECT_EQ(depth, kXmlMaxDepth);
}

TEST(XmlHostile, NestingPastTheLimitFails) {
    EXPECT_FALSE(ParseXmlText(Nested(kXmlMaxDepth + 1)));
}

TEST(XmlHostile, VeryDeepUnclosedNestingFailsWithoutExhaustingTheStack) {
    std::string s;
    for (int i = 0; i < 1000000; ++i) s += "<e>";
    EXPECT_FALSE(ParseXmlText(s));
}

TEST(XmlHostile, EveryTruncationOfAValidSkinFails) {
    const std::string doc =
        "<?xml version=\"1.0\"?><!-- skin --><!DOCTYPE s><skin><dialog background=\"bg.bmp\">"
        "<window><topleft image=\"f.bmp\" rect=\"0,0,8,8\"/></window></dialog>"
        "<main_window><close type=\"sysbutton\" position=\"1,2,3,4\" hint=\"&#20851;&amp;\"/>"
        "<static text=\"a &lt; b\">t</static></main_window></skin>";
    ASSERT_TRUE(ParseXmlText(doc));
    for (std::size_t n = 0; n < doc.size(); ++n) {
        // Exact-size heap copies let sanitizers see any read past the end.
        std::vector<char> copy(doc.begin(), doc.begin() + static_cast<long>(n));
        auto root = ParseXmlBuffer(copy.data(), copy.size());
        EXPECT_FALSE(root) << "prefix of " << n << " bytes parsed";
    }
}

TEST(XmlHostile, SingleBytesAndStrayMarkupFail) {
    for (const char* doc : {"<", ">", "&", "<a", "<a ", "<a/", "<a x", "<a x=", "<a x='", "<a>&",
                            "<a>&#", "<a>&#1", "<a><", "<a></", "<a></a", "<!--", "<!DOCTYPE",
                            "<?xml version=\"", "<a><!--x-->"}) {
        EXPECT_FALSE(ParseXmlText(doc)) << doc;
    }
}

TEST(XmlHostile, ManyAttributesAndLongTextStayLinear) {
    std::string doc = "<a";
    for (int i = 0; i < 20000; ++i) doc += " a" + std::to_string(i) + "='&amp;&#65;'";
    doc += ">";
    for (int i = 0; i < 20000; ++i) doc += "t<b/>";
    doc += "</a>";
    auto root = ParseXmlText(doc);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->m_attributes.size(), 20000u);
    EXPECT_EQ(root->m_children.size(), 20000u);
    EXPECT_EQ(root->GetAttributeValue("A19999"), "&A");
}

TEST(XmlHostile, RepeatedAttributeIsReplacedNotAccumulated) {
    std::string doc = "<a";
    for (int i = 0; i < 10000; ++i) doc += " v='" + std::to_string(i) + "'";
    doc += "/>";
    auto root = ParseXmlText(doc);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->m_attributes.size(), 1u);
    EXPECT_EQ(root->GetAttributeValue("v"), "9999");
}

TEST(XmlHostile, ReferenceFloodWithoutSemicolonsFails) {
    std::string doc = "<a>";
    for (int i = 0; i < 100000; ++i) doc += "&#1";
    doc += "</a>";
    EXPECT_FALSE(ParseXmlText(doc));
}

TEST(XmlHostile, BinaryGarbageDoesNotCrash) {
    std::string junk;
    unsigned v = 12345;
    for (int i = 0; i < 65536; ++i) {
        v = v * 1103515245u + 12345u;
        junk += static_cast<char>((v >> 16) & 0xFF);
    }
    for (std::size_t off = 0; off < 64; ++off) {
        // Must not crash; the odd random document may still be refused or accepted.
        auto root = ParseXmlBuffer(junk.data() + off, junk.size() - off);
        (void)root;
    }
    SUCCEED();
}
