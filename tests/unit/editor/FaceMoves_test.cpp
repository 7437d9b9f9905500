// Targets of the single-face moves and the typed position.
#include <gtest/gtest.h>

#include "FaceMoves.h"

using namespace editor;

TEST(FaceMoves, EarlierAndLaterStopAtTheEndsAndCrossPagesAtCellZeroAnd39) {
    EXPECT_FALSE(MoveEarlier(0));
    auto inPage = MoveEarlier(5);
    ASSERT_TRUE(inPage);
    EXPECT_EQ(inPage->kind, MoveKind::Swap);
    EXPECT_EQ(inPage->to, 4);
    EXPECT_FALSE(inPage->crossesPage);
    auto firstOfPage2 = MoveEarlier(40);
    ASSERT_TRUE(firstOfPage2);
    EXPECT_EQ(firstOfPage2->to, 39);
    EXPECT_TRUE(firstOfPage2->crossesPage);

    EXPECT_FALSE(MoveLater(9, 10));
    EXPECT_FALSE(MoveLater(0, 0));
    auto lastOfPage1 = MoveLater(39, 41);
    ASSERT_TRUE(lastOfPage1);
    EXPECT_EQ(lastOfPage1->to, 40);
    EXPECT_TRUE(lastOfPage1->crossesPage);
    EXPECT_FALSE(MoveLater(38, 41)->crossesPage);
    EXPECT_FALSE(MoveLater(39, 40));  // the last face of a full page
}

TEST(FaceMoves, RowMovesRotateByEightClippedToTheCategory) {
    EXPECT_FALSE(MoveRowUp(0));
    EXPECT_EQ(MoveRowUp(3)->to, 0);
    EXPECT_EQ(MoveRowUp(8)->to, 0);
    EXPECT_EQ(MoveRowUp(45)->to, 37);
    EXPECT_EQ(MoveRowUp(45)->kind, MoveKind::Rotate);
    EXPECT_EQ(MoveRowDown(37, 40)->to, 39);
    EXPECT_EQ(MoveRowDown(3, 40)->to, 11);
    EXPECT_FALSE(MoveRowDown(39, 40));
}

TEST(FaceMoves, TypedPositionZeroTextAndBeyondTheEnd) {
    EXPECT_EQ(ParseTypedPosition("0", 30).target, 0);
    EXPECT_EQ(ParseTypedPosition("abc", 30).target, 0);
    EXPECT_EQ(ParseTypedPosition("-7", 30).target, 0);
    EXPECT_EQ(ParseTypedPosition("", 30).target, 0);
    EXPECT_FALSE(ParseTypedPosition("abc", 30).beyondEnd);
    EXPECT_EQ(ParseTypedPosition(" 12", 30).target, 11);
    EXPECT_EQ(ParseTypedPosition("30", 30).target, 29);
    EXPECT_FALSE(ParseTypedPosition("30", 30).beyondEnd);
    TypedPosition beyond = ParseTypedPosition("500", 30);
    EXPECT_TRUE(beyond.beyondEnd);
    EXPECT_EQ(beyond.target, 29);
    EXPECT_TRUE(ParseTypedPosition("99999999999999999999", 30).beyondEnd);
    EXPECT_EQ(ParseTypedPosition("-99999999999999999999", 30).target, 0);
    EXPECT_EQ(BeyondEndMessage(30), "您的输入超过最大值:30. \n该表情将被移动到最末尾.");
}
