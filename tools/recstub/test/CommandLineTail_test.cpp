// The parameter text a started program sees, the way WinMain cuts it from the command line.
#include "CommandLineTail.h"

#include <gtest/gtest.h>

using recstub::ArgumentsOf;

TEST(CommandLineTail, QuotedProgramPathWithSpaces) {
    EXPECT_EQ(ArgumentsOf("\"C:\\Program Files\\x\\Volte.exe\" -upgrade -s"), "-upgrade -s");
}

TEST(CommandLineTail, UnquotedProgramName) {
    EXPECT_EQ(ArgumentsOf("C:\\x\\.\\Tessel.exe -AddFace 0|a|C:\\b c.gif"),
              "-AddFace 0|a|C:\\b c.gif");
}

TEST(CommandLineTail, BlanksAfterTheNameAreSkippedTheRestIsKept) {
    EXPECT_EQ(ArgumentsOf("a.exe \t  \"x y\"  z "), "\"x y\"  z ");
}

TEST(CommandLineTail, NoParameters) {
    EXPECT_EQ(ArgumentsOf("\"C:\\x\\Tessel.exe\""), "");
    EXPECT_EQ(ArgumentsOf("Tessel.exe"), "");
    EXPECT_EQ(ArgumentsOf("Tessel.exe   "), "");
    EXPECT_EQ(ArgumentsOf(""), "");
}

TEST(CommandLineTail, UnterminatedQuoteTakesTheWholeLine) {
    EXPECT_EQ(ArgumentsOf("\"C:\\x\\Tessel.exe -quit"), "");
}

TEST(CommandLineTail, TextGluedToTheClosingQuoteBelongsToTheName) {
    EXPECT_EQ(ArgumentsOf("\"C:\\x\"y.exe -quit"), "-quit");
}

TEST(CommandLineTail, Utf8ParametersPassThrough) {
    EXPECT_EQ(ArgumentsOf("\"Tessel.exe\" -S C:\\temp\\表情包.mpk"), "-S C:\\temp\\表情包.mpk");
}
