// Where the columns of the result grids stand and how their cells are read. With S stock kinds
// and F fix kinds: column 0 "Nr.", stock columns 1 .. S, Max LL S + 1, fix columns S + 2 ..
// S + F + 1, Rest/LL S + F + 2.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/text_grid.h"
#include "job/job_tables.h"

namespace zelk {

// The mark of a stock column that does not apply to a row.
inline constexpr const char* kNotApplicable = "X";

struct ResultColumns {
    int stockKinds = 0;
    int fixKinds = 0;

    int MaxLL() const { return stockKinds + 1; }
    int Fix(int j) const { return stockKinds + 1 + j; }
    int RestPerBar() const { return stockKinds + fixKinds + 2; }
    int Count() const { return stockKinds + fixKinds + 3; }
};

ResultColumns ColumnsOf(const JobTables& job);

// The text of a cell, empty for a cell the grid does not have: the grids may still be laid out
// for an earlier job when the rules run for a new one.
const std::string& CellText(const TextGrid& grid, int row, int col);

// Writes a cell only where the grid has it.
void SetExistingCell(TextGrid& grid, int row, int col, std::string text);

// A row carries a bar count: some stock cell is neither empty, nor "0", nor "X".
bool IsAssignedRow(const TextGrid& G_V, int row, int stockKinds);

// The sign (-1, 0, 1) of a whole number of any length, with optional sign and blanks; empty
// when the text is not a whole number.
std::optional<int> WholeNumberSign(std::string_view text);

// A decimal text times 100, exact for up to two decimal places; empty when it is not a number.
std::optional<long double> HundredthsValue(std::string_view text, char decimalSeparator);

// A Rest/LL cell in hundredths, truncated toward zero; 0 when it is empty or not a number.
long double RestHundredths(std::string_view text, char decimalSeparator);

// A count that may exceed 64 bits, written as a plain whole number.
std::string WholeNumberText(long double value);

}  // namespace zelk
