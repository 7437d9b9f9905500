// Reordering faces: exchanges and rotations of their `orderid` values.
#include <algorithm>

#include "LibraryFixture.h"

namespace {

class OrderTest : public LibraryTest {
protected:
    // Faces f0 ... f(n-1) added in that order: orderid 1 ... n.
    int Category(int n) {
        int cat = library.CreateCategory("order", 0);
        for (int i = 0; i < n; ++i)
            EXPECT_EQ(Add(cat, Bytes("GIF face " + std::to_string(i)), "f" + std::to_string(i)),
                      AddFaceResult::Added);
        return cat;
    }
    std::string Digest(int i) { return LibraryTest::Digest(Bytes("GIF face " + std::to_string(i))); }
    // "name=orderid" in display order.
    std::vector<std::string> Order(int cat) {
        std::vector<FaceRow> rows;
        EXPECT_TRUE(library.ReadPage(cat, 1000, 0, false, rows));
        std::vector<std::string> out;
        for (const FaceRow& r : rows) out.push_back(r.name + "=" + std::to_string(r.orderId));
        return out;
    }
    std::vector<int> OrderIds(int cat) {
        std::vector<FaceRow> rows;
        EXPECT_TRUE(library.ReadPage(cat, 1000, 0, false, rows));
        std::vector<int> ids;
        for (const FaceRow& r : rows) ids.push_back(r.orderId);
        std::sort(ids.begin(), ids.end());
        return ids;
    }
    // Four faces A B C D with orderid 1, 2, 5, 9: the gaps deleted faces leave.
    int GappedCategory() {
        int cat = Category(9);
        std::vector<std::string> gone;
        for (int i : {2, 3, 5, 6, 7}) gone.push_back(Digest(i));
        EXPECT_TRUE(library.RemoveFaces(cat, gone));
        EXPECT_TRUE(library.RenameFace(cat, Digest(0), "A"));
        EXPECT_TRUE(library.RenameFace(cat, Digest(1), "B"));
        EXPECT_TRUE(library.RenameFace(cat, Digest(4), "C"));
        EXPECT_TRUE(library.RenameFace(cat, Digest(8), "D"));
        return cat;
    }
};

TEST_F(OrderTest, MovingTheLastOfFourToSecondPlaceRotatesTheValuesBetween) {
    int cat = GappedCategory();
    ASSERT_EQ(Order(cat), (std::vector<std::string>{"A=1", "B=2", "C=5", "D=9"}));
    ASSERT_TRUE(library.RotateOrder(cat, 3, 1));
    EXPECT_EQ(Order(cat), (std::vector<std::string>{"A=1", "D=2", "B=5", "C=9"}));
}

TEST_F(OrderTest, MovingForwardGivesTheFaceTheTargetValueAndShiftsTheOthersBack) {
    int cat = GappedCategory();
    ASSERT_TRUE(library.RotateOrder(cat, 0, 3));
    EXPECT_EQ(Order(cat), (std::vector<std::string>{"B=1", "C=2", "D=5", "A=9"}));
    ASSERT_TRUE(library.RotateOrder(cat, 1, 2));  // a rotation of two is an exchange
    EXPECT_EQ(Order(cat), (std::vector<std::string>{"B=1", "D=2", "C=5", "A=9"}));
}

TEST_F(OrderTest, RotationsAcrossPagesKeepTheSetOfValues) {
    int cat = Category(50);
    const std::vector<int> before = OrderIds(cat);
    ASSERT_TRUE(library.RotateOrder(cat, 45, 2));
    ASSERT_TRUE(library.RotateOrder(cat, 0, 49));
    ASSERT_TRUE(library.RotateOrder(cat, 39, 40));
    EXPECT_EQ(OrderIds(cat), before);
    std::vector<std::string> order = Order(cat);
    EXPECT_EQ(order[1], "f45=2");   // moved from 45 to 2, then one back by the 0 -> 49 move
    EXPECT_EQ(order[49], "f0=50");  // the first face now last
}

TEST_F(OrderTest, SwapExchangesTwoValuesAcrossAPageBoundary) {
    int cat = Category(41);
    ASSERT_TRUE(library.SwapOrder(cat, 39, 40));
    std::vector<std::string> order = Order(cat);
    EXPECT_EQ(order[39], "f40=40");
    EXPECT_EQ(order[40], "f39=41");
    ASSERT_TRUE(library.SwapOrder(cat, 40, 39));  // and back
    EXPECT_EQ(Order(cat)[39], "f39=40");
}

TEST_F(OrderTest, PositionsOutsideTheCategoryChangeNothing) {
    int cat = Category(3);
    const std::vector<std::string> before = Order(cat);
    EXPECT_FALSE(library.SwapOrder(cat, 2, 3));
    EXPECT_FALSE(library.SwapOrder(cat, -1, 0));
    EXPECT_FALSE(library.RotateOrder(cat, 0, 3));
    EXPECT_FALSE(library.RotateOrder(cat, 5, 1));
    EXPECT_FALSE(library.RotateOrder(999, 0, 1));  // no such category
    EXPECT_TRUE(library.RotateOrder(cat, 1, 1));    // nothing to do
    EXPECT_EQ(Order(cat), before);
}

}  // namespace
