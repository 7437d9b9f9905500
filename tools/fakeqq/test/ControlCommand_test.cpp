// Remote-control commands: what is accepted, and that anything malformed is refused whole.
#include "ControlCommand.h"

#include <gtest/gtest.h>

using namespace fakeqq;

TEST(ControlCommand, VerbsWithoutArguments) {
    EXPECT_EQ(ParseCommand("ping")->verb, Verb::Ping);
    EXPECT_EQ(ParseCommand("quit")->verb, Verb::Quit);
    EXPECT_FALSE(ParseCommand("quit now"));
    EXPECT_FALSE(ParseCommand(""));
    EXPECT_FALSE(ParseCommand("PING"));
}

TEST(ControlCommand, WindowVerbsTakeOnePositiveId) {
    for (const char* verb : {"hwnd", "input", "activate", "minimize", "restore", "show", "hide",
                             "close", "dock", "selfdestruct"}) {
        auto c = ParseCommand(std::string(verb) + " 3");
        ASSERT_TRUE(c) << verb;
        EXPECT_EQ(c->window, 3);
        EXPECT_FALSE(ParseCommand(verb)) << verb;
        EXPECT_FALSE(ParseCommand(std::string(verb) + " 0")) << verb;
        EXPECT_FALSE(ParseCommand(std::string(verb) + " -1")) << verb;
        EXPECT_FALSE(ParseCommand(std::string(verb) + " 1 2")) << verb;
        EXPECT_FALSE(ParseCommand(std::string(verb) + " one")) << verb;
    }
}

TEST(ControlCommand, MoveTakesAnyCoordinatesResizeOnlyPositiveSizes) {
    auto m = ParseCommand("move 2 -40 700");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->verb, Verb::Move);
    EXPECT_EQ(m->window, 2);
    EXPECT_EQ(m->a, -40);
    EXPECT_EQ(m->b, 700);
    EXPECT_FALSE(ParseCommand("move 2 10"));
    EXPECT_FALSE(ParseCommand("move 2 10 20 30"));

    auto r = ParseCommand("resize 1 320 240");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->a, 320);
    EXPECT_EQ(r->b, 240);
    EXPECT_FALSE(ParseCommand("resize 1 0 240"));
    EXPECT_FALSE(ParseCommand("resize 1 320 -5"));
}

TEST(ControlCommand, RepeatedSpacesAndATerminatingNulAreTolerated) {
    auto c = ParseCommand(std::string("move  1   5 6\0\0", 16));
    ASSERT_TRUE(c);
    EXPECT_EQ(c->a, 5);
    EXPECT_EQ(c->b, 6);
    // A NUL inside the text is not a C-string sender's terminator.
    EXPECT_FALSE(ParseCommand(std::string("ping\0x", 6)));
}

TEST(ControlCommand, FreeTextKeepsItsSpacesAndUtf8) {
    auto s = ParseCommand("settext 1 你好 world  !");
    ASSERT_TRUE(s);
    EXPECT_EQ(s->verb, Verb::SetText);
    EXPECT_EQ(s->window, 1);
    EXPECT_EQ(s->text, "你好 world  !");
    auto e = ParseCommand("settext 1");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->text, "");
    EXPECT_FALSE(ParseCommand("settext x hi"));

    auto m = ParseCommand("mark step 2");
    ASSERT_TRUE(m);
    EXPECT_EQ(m->verb, Verb::Mark);
    EXPECT_EQ(m->text, "step 2");
}

TEST(ControlCommand, OutOfRangeNumbersAreRefused) {
    EXPECT_FALSE(ParseCommand("hwnd 99999999999"));
    EXPECT_FALSE(ParseCommand("move 1 1e3 2"));
}
