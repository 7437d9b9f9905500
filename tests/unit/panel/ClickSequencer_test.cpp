#include <gtest/gtest.h>

#include "ClickSequencer.h"

using namespace panel;

TEST(ClickSequencer, WaitIsTheShorterOfDoubleClickTimeAnd350) {
    EXPECT_EQ(350u, ClickSequencer(500).WaitMs());
    EXPECT_EQ(200u, ClickSequencer(200).WaitMs());
    EXPECT_EQ(350u, ClickSequencer(350).WaitMs());
    EXPECT_EQ(0u, ClickSequencer(0).WaitMs());
}

TEST(ClickSequencer, SingleClickWaitsForTheTimer) {
    ClickSequencer s(500);
    ClickStep down = s.LeftDown(3);
    EXPECT_TRUE(down.startTimer);
    EXPECT_EQ(Gesture::None, down.gesture);
    EXPECT_EQ(-1, down.flushedCell);
    EXPECT_EQ(3, s.PendingCell());
    ClickStep fired = s.TimerFired();
    EXPECT_TRUE(fired.stopTimer);
    EXPECT_EQ(3, fired.cell);
    EXPECT_EQ(Gesture::Single, fired.gesture);
    EXPECT_EQ(-1, s.PendingCell());
    // A late timer message does nothing more.
    EXPECT_EQ(Gesture::None, s.TimerFired().gesture);
}

TEST(ClickSequencer, DoubleClickSendsOnceWithoutAnInsert) {
    ClickSequencer s(500);
    s.LeftDown(2);
    ClickStep dbl = s.DoubleClick(2);
    EXPECT_TRUE(dbl.stopTimer);
    EXPECT_EQ(2, dbl.cell);
    EXPECT_EQ(Gesture::Double, dbl.gesture);
    EXPECT_EQ(-1, dbl.flushedCell);
    EXPECT_EQ(Gesture::None, s.TimerFired().gesture);
}

TEST(ClickSequencer, SecondPlainPressOnTheSameCellAbandonsTheClick) {
    ClickSequencer s(500);
    s.LeftDown(1);
    ClickStep again = s.LeftDown(1);
    EXPECT_TRUE(again.stopTimer);
    EXPECT_FALSE(again.startTimer);
    EXPECT_EQ(Gesture::None, again.gesture);
    EXPECT_EQ(Gesture::None, s.TimerFired().gesture);
}

TEST(ClickSequencer, PressOnAnotherCellDeliversThePendingClickFirst) {
    ClickSequencer s(500);
    s.LeftDown(1);
    ClickStep other = s.LeftDown(4);
    EXPECT_EQ(1, other.flushedCell);
    EXPECT_TRUE(other.stopTimer);
    EXPECT_TRUE(other.startTimer);
    EXPECT_EQ(4, s.PendingCell());
    ClickStep dbl = s.DoubleClick(7);  // a double click elsewhere flushes too
    EXPECT_EQ(4, dbl.flushedCell);
    EXPECT_EQ(7, dbl.cell);
}

TEST(ClickSequencer, RightClickSendsAtOnceAndReplacesAPendingClickOfItsCell) {
    ClickSequencer s(500);
    ClickStep plain = s.RightDown(5);
    EXPECT_EQ(Gesture::Right, plain.gesture);
    EXPECT_FALSE(plain.stopTimer);
    s.LeftDown(5);
    ClickStep same = s.RightDown(5);
    EXPECT_EQ(-1, same.flushedCell);
    EXPECT_TRUE(same.stopTimer);
    EXPECT_EQ(Gesture::None, s.TimerFired().gesture);
    s.LeftDown(6);
    ClickStep other = s.RightDown(5);
    EXPECT_EQ(6, other.flushedCell);
    EXPECT_EQ(5, other.cell);
}

TEST(ClickSequencer, ForgettingACellDropsOnlyItsPendingClick) {
    ClickSequencer s(500);
    s.LeftDown(2);
    EXPECT_FALSE(s.Forget(3).stopTimer);
    EXPECT_EQ(2, s.PendingCell());
    EXPECT_TRUE(s.Forget(2).stopTimer);
    EXPECT_EQ(Gesture::None, s.TimerFired().gesture);
    s.LeftDown(1);
    EXPECT_TRUE(s.ForgetAll().stopTimer);
    EXPECT_EQ(-1, s.PendingCell());
    EXPECT_FALSE(s.ForgetAll().stopTimer);
}
