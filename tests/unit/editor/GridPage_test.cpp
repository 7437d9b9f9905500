// The page shown in the grid: cells, positions and the per-page selection.
#include <gtest/gtest.h>

#include "GridPage.h"

using namespace editor;

namespace {

std::vector<FaceRow> Rows(int n) {
    std::vector<FaceRow> rows(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        rows[static_cast<size_t>(i)].digest = "d" + std::to_string(i);
        rows[static_cast<size_t>(i)].name = "n" + std::to_string(i);
    }
    return rows;
}

}  // namespace

TEST(GridPage, FillGivesPositionsAndClearsTheRest) {
    GridPage page(40);
    page.Fill(Rows(40), 0);
    page.Fill(Rows(3), 80);
    EXPECT_EQ(page.Cell(0).position, 80);
    EXPECT_EQ(page.Cell(2).position, 82);
    EXPECT_FALSE(page.IsFilled(3));
    EXPECT_EQ(page.Cell(3).digest, "");
    EXPECT_FALSE(page.IsFilled(40));
    EXPECT_FALSE(page.IsFilled(-1));
    page.Fill(Rows(50), 0);  // never more than the cells
    EXPECT_TRUE(page.IsFilled(39));
}

TEST(GridPage, SelectionTogglesOnFilledCellsAndDoesNotSurviveAPageChange) {
    GridPage page(40);
    page.Fill(Rows(5), 40);
    EXPECT_TRUE(page.Toggle(1));
    EXPECT_TRUE(page.Toggle(3));
    EXPECT_FALSE(page.Toggle(7));  // empty
    EXPECT_EQ(page.SelectedDigests(), (std::vector<std::string>{"d1", "d3"}));
    EXPECT_TRUE(page.Toggle(1));
    EXPECT_EQ(page.SelectedCount(), 1);
    page.Fill(Rows(5), 0);
    EXPECT_EQ(page.SelectedCount(), 0);
    page.SelectAll();
    EXPECT_EQ(page.SelectedCount(), 5);
    EXPECT_FALSE(page.Cell(5).selected);
}

TEST(GridPage, InPageExchangeSwapsFacesAndSelectionButKeepsPositions) {
    GridPage page(40);
    page.Fill(Rows(4), 0);
    page.Toggle(2);
    ASSERT_TRUE(page.SwapContents(2, 3));
    EXPECT_EQ(page.Cell(2).digest, "d3");
    EXPECT_EQ(page.Cell(3).digest, "d2");
    EXPECT_TRUE(page.Cell(3).selected);
    EXPECT_FALSE(page.Cell(2).selected);
    EXPECT_EQ(page.Cell(3).position, 3);
    EXPECT_FALSE(page.SwapContents(3, 4));  // with an empty cell
    page.SetName(0, "renamed");
    EXPECT_EQ(page.Cell(0).name, "renamed");
}
