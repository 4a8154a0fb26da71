#include "base/text_grid.h"

#include <gtest/gtest.h>

#include "base/translate.h"

namespace zelk {
namespace {

TextGrid Numbered(int rows, int cols) {
    TextGrid grid(rows, cols);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            grid.SetCell(r, c, std::to_string(r) + ":" + std::to_string(c));
        }
    }
    return grid;
}

TEST(TextGrid, ResizingKeepsTheRemainingCells) {
    TextGrid grid = Numbered(3, 3);
    grid.SetColCount(4);
    grid.SetRowCount(5);
    EXPECT_EQ(grid.Cell(2, 2), "2:2");
    EXPECT_EQ(grid.Cell(4, 3), "");
    grid.SetColCount(2);
    grid.SetRowCount(2);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_EQ(grid.ColCount(), 2);
    EXPECT_EQ(grid.Cell(1, 1), "1:1");
}

TEST(TextGrid, InsertAndRemoveMoveTheRowsBelow) {
    TextGrid grid = Numbered(3, 2);
    grid.InsertRow(1);
    EXPECT_EQ(grid.Cell(1, 0), "");
    EXPECT_EQ(grid.Cell(2, 0), "1:0");
    grid.RemoveRow(0);
    EXPECT_EQ(grid.Cell(0, 0), "");
    EXPECT_EQ(grid.Cell(2, 1), "2:1");
    grid.ClearRow(2);
    EXPECT_EQ(grid.Cell(2, 1), "");
}

TEST(TextGrid, PositionsOutsideAreRefused) {
    TextGrid grid(2, 2);
    EXPECT_THROW(grid.Cell(2, 0), std::out_of_range);
    EXPECT_THROW(grid.SetCell(0, -1, "x"), std::out_of_range);
    EXPECT_THROW(grid.RemoveRow(5), std::out_of_range);
    EXPECT_THROW(grid.SetRowCount(-1), std::out_of_range);
}

TEST(Translation, WithoutCatalogueTheGermanTextStays) {
    SetCatalogueDirectory("/nonexistent");
    EXPECT_EQ(Translate("Sie haben keine Fixlängen angegeben!"),
              "Sie haben keine Fixlängen angegeben!");
    EXPECT_EQ(Translate(""), "");
}

}  // namespace
}  // namespace zelk
