// The skin files' XML reader: grammar, text decoding, encodings and file loading.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "XmlReader.h"

namespace {

std::string TextOf(const char* xml) {
    auto root = ParseXmlText(xml);
    return root ? root->m_strValue : "<null>";
}

std::string AttrOf(const char* xml, const char* name) {
    auto root = ParseXmlText(xml);
    return root ? root->GetAttributeValue(name) : "<null>";
}

}  // namespace

TEST(XmlAttributes, DuplicateNamesDifferingInCaseKeepTheLastAndMatchAnyCase) {
    auto root = ParseXmlText("<a x='1' X=\"2\"/>");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->m_attributes.size(), 1u);
    EXPECT_EQ(root->GetAttributeValue("x"), "2");
    EXPECT_EQ(root->GetAttributeValue("X"), "2");
    ASSERT_TRUE(root->GetAttribute("X"));
    EXPECT_EQ(root->GetAttribute("x")->GetName(), "X");
    EXPECT_EQ(root->GetAttribute("x")->m_nType, CXMLNode::kAttribute);
    EXPECT_EQ(root->GetAttribute("x")->m_pParent, root.get());
}

TEST(XmlAttributes, MissingAttributeGivesNullAndEmptyText) {
    auto root = ParseXmlText("<a b=\"\"/>");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->GetAttribute("c"), nullptr);
    EXPECT_EQ(root->GetAttributeValue("c"), "");
    EXPECT_NE(root->GetAttribute("b"), nullptr);
}

TEST(XmlAttributes, QuotesOfTheOtherKindAreData) {
    EXPECT_EQ(AttrOf("<a v='say \"hi\"'/>", "v"), "say \"hi\"");
    EXPECT_EQ(AttrOf("<a v=\"it's\"/>", "v"), "it's");
}

TEST(XmlAttributes, BlanksAroundEqualsAndBeforeSlashAreAllowed) {
    EXPECT_EQ(AttrOf("<a  v = \"1\"  w\n=\t'2' />", "w"), "2");
}

TEST(XmlAttributes, MalformedAttributesFailTheDocument) {
    EXPECT_FALSE(ParseXmlText("<a v=1/>"));
    EXPECT_FALSE(ParseXmlText("<a v/>"));
    EXPECT_FALSE(ParseXmlText("<a v=\"1/>"));
    EXPECT_FALSE(ParseXmlText("<a v=\"1\""));
    EXPECT_FALSE(ParseXmlText("<a v=\"1\" /x>"));
    EXPECT_FALSE(ParseXmlText("<a -v=\"1\"/>"));
    EXPECT_FALSE(ParseXmlText("<a v=\"&#x41;\"/>"));
}

TEST(XmlText, BlankRunsFoldLeadingDropsTrailingKeepsOne) {
    EXPECT_EQ(TextOf("<a>  Hello   World  </a>"), "Hello World ");
    EXPECT_EQ(TextOf("<a>\t\v\fx\r\n\v y</a>"), "x y");
    EXPECT_EQ(TextOf("<a>   </a>"), "");
}

TEST(XmlText, EntitiesAndCharacterReferences) {
    EXPECT_EQ(AttrOf("<a v=\"A&amp;B&#65;&foo;\"/>", "v"), "A&BA&foo;");
    EXPECT_EQ(AttrOf("<a v=\"&LT;&Gt;&quot;&apos;&nbsp;&AmP;\"/>", "v"), "<>\"' &");
    EXPECT_EQ(AttrOf("<a v=\"&amp\"/>", "v"), "&amp");
    EXPECT_EQ(AttrOf("<a v=\"a & b\"/>", "v"), "a & b");
}

TEST(XmlText, CharacterReferencesAreStoredAsUtf8) {
    EXPECT_EQ(AttrOf("<a v=\"&#20013;&#65;\"/>", "v"), "\xE4\xB8\xAD" "A");
    EXPECT_EQ(AttrOf("<a v=\"&#128512;\"/>", "v"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(AttrOf("<a v=\"&#0065;\"/>", "v"), "A");
}

TEST(XmlText, ReferencesNamingNoCharacterBecomeReplacementCharacter) {
    const std::string fffd = "\xEF\xBF\xBD";
    EXPECT_EQ(AttrOf("<a v=\"&#0;\"/>", "v"), fffd);
    EXPECT_EQ(AttrOf("<a v=\"&#55296;\"/>", "v"), fffd);
    EXPECT_EQ(AttrOf("<a v=\"&#1114112;\"/>", "v"), fffd);
    EXPECT_EQ(AttrOf("<a v=\"&#99999999999999999999999;\"/>", "v"), fffd);
}

TEST(XmlText, DecodingResumesAfterTheNextSemicolon) {
    EXPECT_EQ(AttrOf("<a v=\"&#65abc;B\"/>", "v"), "AB");
}

TEST(XmlText, ReferenceWithoutDigitOrSemicolonFailsTheElement) {
    EXPECT_FALSE(ParseXmlText("<a>&#x41;</a>"));
    EXPECT_FALSE(ParseXmlText("<a>&#</a>"));
    // The semicolon is looked for inside the text only, never past the next tag.
    EXPECT_FALSE(ParseXmlText("<a>&#65 <b/>;</a>"));
    EXPECT_FALSE(ParseXmlText("<a v=\"&#65\" w=\";\"/>"));
}

TEST(XmlElements, TextAroundChildrenIsJoinedWithOneBlank) {
    auto root = ParseXmlText("<a>x<b/>y</a>");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->m_strValue, "x y");
    ASSERT_EQ(root->m_children.size(), 1u);
    EXPECT_EQ(root->m_children[0]->GetName(), "b");
    EXPECT_EQ(root->m_children[0]->m_pParent, root.get());
    EXPECT_EQ(root->m_pParent, nullptr);
    EXPECT_EQ(root->m_nType, CXMLNode::kElement);
}

TEST(XmlElements, ChildrenKeepDocumentOrderAndNames) {
    auto root = ParseXmlText("<Skin><b:x/><c_1 k='v'><d>t</d></c_1><b:x/></Skin>");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->GetName(), "Skin");
    ASSERT_EQ(root->m_children.size(), 3u);
    EXPECT_EQ(root->m_children[0]->GetName(), "b:x");
    EXPECT_EQ(root->m_children[1]->GetName(), "c_1");
    ASSERT_EQ(root->m_children[1]->m_children.size(), 1u);
    EXPECT_EQ(root->m_children[1]->m_children[0]->m_strValue, "t");
}

TEST(XmlElements, EndTagMustMatchExactly) {
    EXPECT_FALSE(ParseXmlText("<a></A>"));
    EXPECT_FALSE(ParseXmlText("<a></a >"));
    EXPECT_FALSE(ParseXmlText("<a><b></a></b>"));
    EXPECT_TRUE(ParseXmlText("<a>\n  </a>"));
    EXPECT_TRUE(ParseXmlText("<a ></a>"));
}

TEST(XmlElements, NamesStopAtCharactersOutsideTheNameSet) {
    EXPECT_FALSE(ParseXmlText("<a-b/>"));
    EXPECT_FALSE(ParseXmlText("<a.b/>"));
    EXPECT_FALSE(ParseXmlText("<\xE4\xB8\xAD/>"));
    EXPECT_FALSE(ParseXmlText("</>"));
}

TEST(XmlElements, UnsupportedConstructsInsideContentFail) {
    EXPECT_FALSE(ParseXmlText("<a><![CDATA[x]]></a>"));
    EXPECT_FALSE(ParseXmlText("<a><?pi x?></a>"));
}

TEST(XmlDocument, CommentsAreSkippedEverywhere) {
    auto root = ParseXmlText("<!-- c1 --> <!--c2--><a>x<!-- <b/> -->y<!---->z</a>");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->m_strValue, "x y z");
    EXPECT_TRUE(root->m_children.empty());
}

TEST(XmlDocument, UnterminatedCommentFails) {
    EXPECT_FALSE(ParseXmlText("<!-- open <a/>"));
    EXPECT_FALSE(ParseXmlText("<a><!-- open </a>"));
}

TEST(XmlDocument, DeclarationAndDoctypeAreSkipped) {
    auto root = ParseXmlText(
        "<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n<!-- c --><!DOCTYPE skin>"
        "<!-- d --><skin/>");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->GetName(), "skin");
    EXPECT_FALSE(ParseXmlText("<?xml version=\"1.0\" <a/>"));
    EXPECT_FALSE(ParseXmlText("<!DOCTYPE skin"));
    // Only the declaration with a double-quoted version is recognised.
    EXPECT_FALSE(ParseXmlText("<?xml version='1.0'?><a/>"));
}

TEST(XmlDocument, TextAfterTheRootIsIgnored) {
    auto root = ParseXmlText("<a>1</a> trailing <b> garbage & <<<");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->m_strValue, "1");
}

TEST(XmlDocument, EmptyOrTextOnlyInputFails) {
    EXPECT_FALSE(ParseXmlText(""));
    EXPECT_FALSE(ParseXmlText(static_cast<const char*>(nullptr)));
    EXPECT_FALSE(ParseXmlText("   "));
    EXPECT_FALSE(ParseXmlText("hello"));
    EXPECT_FALSE(ParseXmlText("<a>"));
}

TEST(XmlEncoding, Utf8IsKeptAndItsMarkDropped) {
    const char doc[] = "\xEF\xBB\xBF<a v=\"\xE8\xA1\xA8\xE6\x83\x85\">\xE7\xB2\xBE</a>";
    auto root = ParseXmlBuffer(doc, sizeof doc - 1);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->GetAttributeValue("v"), "\xE8\xA1\xA8\xE6\x83\x85");
    EXPECT_EQ(root->m_strValue, "\xE7\xB2\xBE");
}

TEST(XmlEncoding, DeclaredEncodingIsNotConsulted) {
    const char doc[] = "<?xml version=\"1.0\" encoding=\"gb2312\"?><a>\xE4\xB8\xAD</a>";
    auto root = ParseXmlBuffer(doc, sizeof doc - 1);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->m_strValue, "\xE4\xB8\xAD");
}

TEST(XmlEncoding, InvalidUtf8BecomesReplacementCharacters) {
    const char doc[] = "<a>\xB1\xED x\xE4\xB8</a>";  // GBK bytes, a cut sequence
    auto root = ParseXmlBuffer(doc, sizeof doc - 1);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->m_strValue, "\xEF\xBF\xBD\xEF\xBF\xBD x\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(SanitizeUtf8("\xC0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD");  // overlong NUL
    EXPECT_EQ(SanitizeUtf8("\xED\xA0\x80"), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(XmlEncoding, Utf16InEitherByteOrderIsConvertedToUtf8) {
    const std::u16string text = u"<a v=\"\u4E2D\U0001F600\">x</a>";
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    for (char16_t u : text) {
        le += static_cast<char>(u & 0xFF);
        le += static_cast<char>(u >> 8);
        be += static_cast<char>(u >> 8);
        be += static_cast<char>(u & 0xFF);
    }
    for (const std::string& doc : {le, be}) {
        auto root = ParseXmlBuffer(doc.data(), doc.size());
        ASSERT_TRUE(root);
        EXPECT_EQ(root->GetAttributeValue("v"), "\xE4\xB8\xAD\xF0\x9F\x98\x80");
        EXPECT_EQ(root->m_strValue, "x");
    }
}

TEST(XmlEncoding, Utf16LoneSurrogatesAndOddByteAreHandled) {
    const unsigned char units[] = {0x00, 0xD8, 'A', 0, 0x00, 0xDC, 'B'};
    EXPECT_EQ(Utf16ToUtf8(units, sizeof units, false), "\xEF\xBF\xBD" "A" "\xEF\xBF\xBD");
}

TEST(XmlEncoding, TextEndsAtTheFirstNul) {
    const char doc[] = "<a>x</a>\0<b>";
    EXPECT_TRUE(ParseXmlBuffer(doc, sizeof doc - 1));
    const char cut[] = "<a>x\0</a>";
    EXPECT_FALSE(ParseXmlBuffer(cut, sizeof cut - 1));
}

TEST(XmlEncoding, ShortBuffersWithPartialMarks) {
    EXPECT_FALSE(ParseXmlBuffer("\xFF", 1));
    EXPECT_FALSE(ParseXmlBuffer("\xFF\xFE", 2));
    EXPECT_FALSE(ParseXmlBuffer("\xEF\xBB", 2));
    EXPECT_FALSE(ParseXmlBuffer(nullptr, 0));
    EXPECT_FALSE(ParseXmlBuffer("", 0));
}

class XmlFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_file = std::tmpfile();
        ASSERT_TRUE(m_file);
    }
    void TearDown() override {
        if (m_file) std::fclose(m_file);
    }
    void Write(const std::string& s) { std::fwrite(s.data(), 1, s.size(), m_file); }
    void WriteSized(std::size_t size) {
        std::string doc = "<a>";
        std::string tail = "</a>";
        Write(doc);
        Write(std::string(size - doc.size() - tail.size(), 'x'));
        Write(tail);
    }
    std::FILE* m_file = nullptr;
};

TEST_F(XmlFileTest, ReadsTheWholeFileFromItsStart) {
    Write("<skin><dialog background='b.bmp'/></skin>");
    // The position left by an earlier reader does not matter.
    std::fseek(m_file, 10, SEEK_SET);
    auto root = LoadXmlFile(m_file);
    ASSERT_TRUE(root);
    ASSERT_EQ(root->m_children.size(), 1u);
    EXPECT_EQ(root->m_children[0]->GetAttributeValue("BACKGROUND"), "b.bmp");
}

TEST_F(XmlFileTest, FileOfExactlyFourMebibytesIsRead) {
    WriteSized(4194304);
    auto root = LoadXmlFile(m_file);
    ASSERT_TRUE(root);
    EXPECT_EQ(root->m_strValue.size(), 4194304u - 7);
}

TEST_F(XmlFileTest, FileOneByteOverTheLimitIsRefused) {
    WriteSized(4194305);
    EXPECT_FALSE(LoadXmlFile(m_file));
}

TEST(XmlFile, MissingPathOrNullFileGivesNull) {
    EXPECT_FALSE(LoadXmlFile(static_cast<std::FILE*>(nullptr)));
    EXPECT_FALSE(LoadXmlFile(std::string("/nonexistent/skin.xml")));
}
