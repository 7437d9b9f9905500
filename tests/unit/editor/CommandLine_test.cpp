// The editor's command-line forms and the "-AddFace " grammar.
#include <gtest/gtest.h>

#include "EditorCommandLine.h"

using namespace editor;

TEST(EditorCommand, FormsAreTriedInTheirOrder) {
    EXPECT_EQ(ParseEditorCommand("").kind, CommandKind::None);
    EXPECT_EQ(ParseEditorCommand("   ").kind, CommandKind::None);
    EXPECT_EQ(ParseEditorCommand("-quit").kind, CommandKind::Quit);
    EXPECT_EQ(ParseEditorCommand("-quit now").kind, CommandKind::OpenPack);  // not exactly -quit
    EXPECT_EQ(ParseEditorCommand("-AddFace C:\\a.gif").kind, CommandKind::AddFace);
    // "-AddFace " wins over "-S " when both are there.
    EXPECT_EQ(ParseEditorCommand("-S -AddFace C:\\a.gif").kind, CommandKind::AddFace);

    EditorCommand s = ParseEditorCommand("-S C:\\Program Files\\P\\temp\\动物.mpk");
    EXPECT_EQ(s.kind, CommandKind::ImportPack);
    EXPECT_EQ(s.packPath, "C:\\Program Files\\P\\temp\\动物.mpk");

    EditorCommand quoted = ParseEditorCommand("\"C:\\my packs\\a.zip\"");
    EXPECT_EQ(quoted.kind, CommandKind::OpenPack);
    EXPECT_EQ(quoted.packPath, "C:\\my packs\\a.zip");
    EXPECT_EQ(ParseEditorCommand("-S \"C:\\x y\\b.mpk\"").packPath, "C:\\x y\\b.mpk");
    EXPECT_EQ(ParseEditorCommand("-s C:\\b.mpk").kind, CommandKind::OpenPack);  // case matters
}

TEST(AddFaceGrammar, CategoryNameAndPathWithOrWithoutQuotes) {
    for (const char* text : {"-AddFace 5|smile|C:\\a\\b.gif", "-AddFace 5|smile|\"C:\\a\\b.gif\""}) {
        EditorCommand c = ParseEditorCommand(text);
        ASSERT_TRUE(c.addFace) << text;
        EXPECT_EQ(c.addFace->category, 5);
        EXPECT_EQ(c.addFace->name, "smile");
        EXPECT_EQ(c.addFace->path, "C:\\a\\b.gif");
    }
    // The web component's form: category 0, a name with blanks and bars-free text.
    auto web = ParseAddFace("0|开心 一下|C:\\Cache\\x[1].GIF");
    ASSERT_TRUE(web);
    EXPECT_EQ(web->category, 0);
    EXPECT_EQ(web->name, "开心 一下");
    EXPECT_EQ(web->path, "C:\\Cache\\x[1].GIF");  // extension compared lower-cased
}

TEST(AddFaceGrammar, PathAloneTakesCategoryZeroAndTheFileNameAsName) {
    auto r = ParseAddFace("C:\\faces\\cat.gif");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->category, 0);
    EXPECT_EQ(r->name, "cat");
    EXPECT_EQ(r->path, "C:\\faces\\cat.gif");
    auto dots = ParseAddFace("C:\\faces\\my.cat.bmp");
    ASSERT_TRUE(dots);
    EXPECT_EQ(dots->name, "my.cat");
}

TEST(AddFaceGrammar, EmptyNameRuleNeedsABackslashAfterTheFirstCharacterAndAStem) {
    EXPECT_EQ(ParseAddFace("||C:\\x\\.gif")->name, "");   // nothing between \ and .
    EXPECT_EQ(ParseAddFace("||\\a.gif")->name, "");       // backslash at position 0
    EXPECT_EQ(ParseAddFace("||a.gif")->name, "");         // no backslash at all
    EXPECT_EQ(ParseAddFace("||C:\\x\\b.gif")->name, "b");
    EXPECT_EQ(ParseAddFace("||C:\\x\\b.gif")->category, 0);  // empty category is 0
    EXPECT_EQ(ParseAddFace("abc|n|C:\\b.gif")->category, 0); // not a number
    EXPECT_EQ(ParseAddFace(" 12x|n|C:\\b.gif")->category, 12);
}

TEST(AddFaceGrammar, OneBarWrongExtensionOrNoDotIsIgnored) {
    EXPECT_FALSE(ParseAddFace("5|smile"));
    EXPECT_FALSE(ParseEditorCommand("-AddFace 5|smile").addFace);
    EXPECT_FALSE(ParseAddFace("5||C:\\x\\readme.txt"));
    EXPECT_FALSE(ParseAddFace("5||C:\\x\\photo.jpeg"));  // "jpeg" is not taken
    EXPECT_FALSE(ParseAddFace("5||C:\\x.d\\noext"));      // the last dot is in a folder
    EXPECT_FALSE(ParseAddFace("C:\\x\\noext"));
    EXPECT_FALSE(ParseAddFace(""));
    EXPECT_FALSE(ParseEditorCommand("-AddFace ").addFace);
}

TEST(AddFaceGrammar, NamesKeepQuotesAndFurtherBarsBelongToThePath) {
    auto r = ParseAddFace("3|say \"hi\"|C:\\a|b.gif");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->name, "say \"hi\"");
    EXPECT_EQ(r->path, "C:\\a|b.gif");
    std::string longName(200, 'n');
    auto l = ParseAddFace("1|" + longName + "|C:\\f.jpg");
    ASSERT_TRUE(l);
    EXPECT_EQ(l->name, longName);
}

TEST(ForwardedText, DollarAndTerminatorAreOptionalAndTheLengthBounds) {
    const char withDollar[] = "$-AddFace 1|a|C:\\a.gif";
    EXPECT_EQ(ForwardedCommandText(withDollar, sizeof withDollar), "-AddFace 1|a|C:\\a.gif");
    const char bare[] = {'-', 'q', 'u', 'i', 't', 'X', 'Y'};  // no NUL: the length counts
    EXPECT_EQ(ForwardedCommandText(bare, 5), "-quit");
    EXPECT_EQ(ForwardedCommandText("$", 2), "");
    EXPECT_EQ(ForwardedCommandText("$abc\0def", 9), "abc");
    EXPECT_EQ(ForwardedCommandText(nullptr, 10), "");
    EXPECT_EQ(ForwardedCommandText("x", 0), "");
}

TEST(FileNames, ExtensionsAndFaceNames) {
    EXPECT_EQ(LowerExtension("C:\\A.GiF"), "gif");
    EXPECT_EQ(LowerExtension("C:\\noext"), "");
    EXPECT_TRUE(IsAcceptedPicture("x.BMP"));
    EXPECT_FALSE(IsAcceptedPicture("x.jpeg"));
    EXPECT_FALSE(IsAcceptedPicture("gif"));
    EXPECT_EQ(FaceNameOf("C:\\dir.x\\笑脸.gif"), "笑脸");
    EXPECT_EQ(FaceNameOf("noext"), "noext");
}
