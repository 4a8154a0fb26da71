#include "result/cell_colours.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelk {
namespace {

using Colours = std::vector<CellColour>;
using Cells = std::vector<std::string>;

constexpr CellColour kHighlight = CellColour::Highlight;
constexpr CellColour kFace = CellColour::ButtonFace;
constexpr CellColour kWindow = CellColour::Window;
constexpr CellColour kYellow = CellColour::Yellow;
constexpr CellColour kGrey = CellColour::LightGrey;
constexpr CellColour kGreen = CellColour::SpringGreen;
constexpr CellColour kTeal = CellColour::Teal;

constexpr CellState kPlain{};
constexpr CellState kSelected{true, false};
constexpr CellState kFixed{false, true};

// Two stock lengths, three fix lengths: a plan row with count 3 on the first stock length and a
// candidate row on the same stock length.
class G_VColoursTest : public ::testing::Test {
protected:
    G_VColoursTest() {
        Cells header{"Nr.", "LL 6000", "LL 5000", "Max LL", "2500", "1900", "1200", "Rest/LL"};
        Cells plan{"2", "3", "X", "3", "2", "", "1", "881"};
        Cells candidate{"3", "", "X", "2", "", "3", "", "178"};
        for (const Cells& row : {header, plan, candidate}) {
            G_V.SetRowCount(G_V.RowCount() + 1);
            for (int col = 0; col < 8; ++col) {
                G_V.SetCell(G_V.RowCount() - 1, col, row[col]);
            }
        }
    }

    // The colours of a row as the grid paints it: column 0 fixed, nothing selected.
    Colours RowColours(int row) const {
        Colours colours;
        for (int col = 0; col < G_V.ColCount(); ++col) {
            bool fixed = row == 0 || col == 0;
            colours.push_back(G_VCellColour(G_V, 2, col, row, {false, fixed}));
        }
        return colours;
    }

    TextGrid G_V{0, 8};
};

TEST_F(G_VColoursTest, ARowWithACountShowsItsValuesGreen) {
    EXPECT_EQ(RowColours(1),
              (Colours{kFace, kGreen, kTeal, kYellow, kGreen, kTeal, kGreen, kTeal}));
    G_V.SetCell(1, 5, "0");  // a piece cell set to 0 carries no value
    EXPECT_EQ(G_VCellColour(G_V, 2, 5, 1, kPlain), kTeal);
}

TEST_F(G_VColoursTest, ARowSetToZeroIsGrey) {
    G_V.SetCell(1, 1, "0");
    EXPECT_EQ(RowColours(1), (Colours{kFace, kGrey, kGrey, kYellow, kGrey, kGrey, kGrey, kGrey}));
    EXPECT_EQ(G_VCellColour(G_V, 2, 4, 1, kSelected), kHighlight);
    G_V.SetCell(1, 2, "4");  // a zero in any stock cell wins over a count
    EXPECT_EQ(G_VCellColour(G_V, 2, 2, 1, kPlain), kGrey);
}

TEST_F(G_VColoursTest, ACandidateWithoutCountIsWindowUntilACountIsTyped) {
    EXPECT_EQ(RowColours(2),
              (Colours{kFace, kWindow, kWindow, kYellow, kWindow, kWindow, kWindow, kWindow}));
    G_V.SetCell(2, 1, "1");
    EXPECT_EQ(RowColours(2), (Colours{kFace, kGreen, kTeal, kYellow, kTeal, kGreen, kTeal, kTeal}));
}

TEST_F(G_VColoursTest, HeadersAreButtonFaceButMaxLL) {
    EXPECT_EQ(RowColours(0), (Colours{kFace, kFace, kFace, kYellow, kFace, kFace, kFace, kFace}));
}

TEST_F(G_VColoursTest, SelectionIsHighlightEverywhere) {
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 8; ++col) {
            EXPECT_EQ(G_VCellColour(G_V, 2, col, row, kSelected), kHighlight) << row << col;
        }
    }
}

TEST_F(G_VColoursTest, TheEmptyFirstDataRowIsWindow) {
    TextGrid empty(2, 3);
    EXPECT_EQ(G_VCellColour(empty, 0, 1, 1, kPlain), kYellow);
    EXPECT_EQ(G_VCellColour(empty, 0, 2, 1, kPlain), kWindow);
    EXPECT_EQ(G_VCellColour(empty, 0, 0, 1, kFixed), kFace);
}

TEST(G_SColours, RemaindersAreGreenWhenSettled) {
    TextGrid G_S(2, 8);
    Cells planned{"Verplant", "3", "1", "", "4", "1", "2", "2340"};
    Cells left{"Rest", "-1", "3", "", "0", "2", "-1", ""};
    for (int col = 0; col < 8; ++col) {
        G_S.SetCell(0, col, planned[col]);
        G_S.SetCell(1, col, left[col]);
    }
    Colours row0;
    Colours row1;
    for (int col = 0; col < 8; ++col) {
        row0.push_back(G_SCellColour(G_S, col, 0, {false, col == 0}));
        row1.push_back(G_SCellColour(G_S, col, 1, {true, col == 0}));  // selection plays no part
    }
    EXPECT_EQ(row0,
              (Colours{kFace, kWindow, kWindow, kWindow, kWindow, kWindow, kWindow, kWindow}));
    EXPECT_EQ(row1, (Colours{kFace, kGreen, kTeal, kTeal, kGreen, kTeal, kGreen, kTeal}));

    for (const char* text : {"-0", "00", "x", "-1x", "+3"}) {
        G_S.SetCell(1, 4, text);
        EXPECT_EQ(G_SCellColour(G_S, 4, 1, kPlain), kTeal) << text;
    }
    G_S.SetCell(1, 4, "-99999999999");  // beyond 32 bits, still below 0
    EXPECT_EQ(G_SCellColour(G_S, 4, 1, kPlain), kGreen);
}

}  // namespace
}  // namespace zelk
