#include "result/row_sort.h"

#include "result_test_support.h"

namespace zelk {
namespace {

// Two stock columns, Max LL, one fix column and Rest/LL; the rows are given without numbers and
// numbered 2, 3, ... as the grid numbers them.
TextGrid Rows(const std::vector<Cells>& rows) {
    TextGrid G_V(static_cast<int>(rows.size()) + 1, 6);
    for (size_t r = 0; r < rows.size(); ++r) {
        int row = static_cast<int>(r) + 1;
        G_V.SetCell(row, 0, std::to_string(row + 1));
        for (size_t c = 0; c < rows[r].size(); ++c) {
            G_V.SetCell(row, static_cast<int>(c) + 1, rows[r][c]);
        }
    }
    return G_V;
}

// The "Nr." cells in row order after sorting.
Cells SortedNumbers(TextGrid G_V, char decimalSeparator = ',') {
    SortResultRows(G_V, 2, decimalSeparator);
    Cells numbers;
    for (int r = 1; r < G_V.RowCount(); ++r) {
        numbers.push_back(G_V.Cell(r, 0));
    }
    return numbers;
}

TEST(SortResultRows, AssignedRowsFirstThenByRest) {
    TextGrid G_V = Rows({
        {"0", "X", "2", "2", "12,5"},   // set to zero: not assigned
        {"X", "3", "3", "1", "40"},     //
        {"", "X", "2", "2", "3"},       // a candidate
        {"1", "X", "1", "4", "12,49"},  //
    });
    EXPECT_EQ(SortedNumbers(G_V), (Cells{"5", "3", "4", "2"}));

    SortResultRows(G_V, 2, ',');
    EXPECT_EQ(G_V.Row(1), (Cells{"5", "1", "X", "1", "4", "12,49"}));  // rows move whole
    EXPECT_EQ(G_V.Row(4), (Cells{"2", "0", "X", "2", "2", "12,5"}));
}

TEST(SortResultRows, AnyTextButEmptyZeroOrXIsACount) {
    EXPECT_EQ(SortedNumbers(Rows({
                  {"X", "", "", "", "1"},
                  {"X", "0", "", "", "2"},
                  {"X", "00", "", "", "3"},
                  {"X", "zwei", "", "", "4"},
              })),
              (Cells{"4", "5", "2", "3"}));
}

TEST(SortResultRows, EqualRestsKeepTheirOrder) {
    EXPECT_EQ(SortedNumbers(Rows({
                  {"2", "X", "1", "", "5"},
                  {"X", "1", "1", "", "3"},
                  {"1", "X", "1", "", "5"},
                  {"1", "X", "1", "", "5,00"},
                  {"X", "1", "1", "", "3"},
              })),
              (Cells{"3", "6", "2", "4", "5"}));
}

TEST(SortResultRows, ManyEqualRestsKeepTheirOrder) {
    // Enough rows that the sort partitions instead of inserting one by one.
    std::vector<Cells> rows;
    Cells expected;
    for (int r = 1; r <= 60; ++r) {
        rows.push_back(
            {r % 3 == 0 ? "X" : "1", r % 3 == 0 ? "1" : "X", "1", "", r % 2 ? "5" : "7"});
    }
    for (int rest : {5, 7}) {
        for (int r = 1; r <= 60; ++r) {
            if ((r % 2 ? 5 : 7) == rest) {
                expected.push_back(std::to_string(r + 1));
            }
        }
    }
    EXPECT_EQ(SortedNumbers(Rows(rows)), expected);
}

TEST(SortResultRows, ARestThatIsNoNumberCountsZero) {
    EXPECT_EQ(SortedNumbers(Rows({
                  {"1", "X", "1", "", "0,5"},
                  {"1", "X", "1", "", ""},
                  {"1", "X", "1", "", "kein Rest"},
                  {"1", "X", "1", "", "-0,01"},
                  {"1", "X", "1", "", "0.4"},  // the wrong separator
              })),
              (Cells{"5", "3", "4", "6", "2"}));
}

TEST(SortResultRows, RestsCompareExactlyInHundredths) {
    // 0,29 x 100 in floating point falls below 29; read exactly it does not.
    EXPECT_EQ(SortedNumbers(Rows({
                  {"1", "X", "1", "", "0,29"},
                  {"1", "X", "1", "", "0,289"},
                  {"1", "X", "1", "", "0,28"},
              })),
              (Cells{"3", "4", "2"}));
    EXPECT_EQ(SortedNumbers(Rows({
                  {"1", "X", "1", "", "99999999999,99"},
                  {"1", "X", "1", "", "-99999999999,99"},
              })),
              (Cells{"3", "2"}));
}

TEST(SortResultRows, AGridWithoutDataRowsStaysAsItIs) {
    TextGrid G_V(1, 6);
    G_V.SetCell(0, 0, "Nr.");
    TextGrid sorted = G_V;
    SortResultRows(sorted, 2, ',');
    EXPECT_EQ(sorted, G_V);
}

TEST(CompareResultRows, IsATotalOrder) {
    ResultRowKey assigned{true, 500, 3, {}};
    ResultRowKey open{false, 100, 2, {}};
    ResultRowKey sameRestLater{true, 500, 4, {}};
    EXPECT_TRUE(CompareResultRows(assigned, open));
    EXPECT_FALSE(CompareResultRows(open, assigned));
    EXPECT_TRUE(CompareResultRows(assigned, sameRestLater));
    EXPECT_FALSE(CompareResultRows(sameRestLater, assigned));
    EXPECT_FALSE(CompareResultRows(assigned, assigned));
}

}  // namespace
}  // namespace zelk
