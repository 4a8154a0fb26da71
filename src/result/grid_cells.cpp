#include "result/grid_cells.h"

#include <charconv>
#include <cmath>

#include "base/numbers.h"

namespace zelk {

ResultColumns ColumnsOf(const JobTables& job) {
    return {job.StockKinds, job.FixKinds};
}

const std::string& CellText(const TextGrid& grid, int row, int col) {
    static const std::string empty;
    if (row < 0 || row >= grid.RowCount() || col < 0 || col >= grid.ColCount()) {
        return empty;
    }
    return grid.Cell(row, col);
}

void SetExistingCell(TextGrid& grid, int row, int col, std::string text) {
    if (row >= 0 && row < grid.RowCount() && col >= 0 && col < grid.ColCount()) {
        grid.SetCell(row, col, std::move(text));
    }
}

bool IsAssignedRow(const TextGrid& G_V, int row, int stockKinds) {
    for (int i = 1; i <= stockKinds; ++i) {
        const std::string& text = CellText(G_V, row, i);
        if (!text.empty() && text != "0" && text != kNotApplicable) {
            return true;
        }
    }
    return false;
}

std::optional<int> WholeNumberSign(std::string_view text) {
    std::string digits = Trim(text);
    bool negative = false;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        negative = digits[0] == '-';
        digits.erase(0, 1);
    }
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    if (digits.find_first_not_of('0') == std::string::npos) {
        return 0;
    }
    return negative ? -1 : 1;
}

std::optional<long double> HundredthsValue(std::string_view text, char decimalSeparator) {
    auto reading = ReadHundredths(text, decimalSeparator);
    if (reading && reading->exact) {
        return reading->hundredths;
    }
    // More decimal places, or a value beyond the range of lengths: as near as floating point.
    auto value = ParseDecimal(text, decimalSeparator);
    if (!value) {
        return std::nullopt;
    }
    return static_cast<long double>(*value) * 100;
}

long double RestHundredths(std::string_view text, char decimalSeparator) {
    return std::trunc(HundredthsValue(text, decimalSeparator).value_or(0));
}

std::string WholeNumberText(long double value) {
    char buffer[5000];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::trunc(value),
                                std::chars_format::fixed, 0);
    std::string text(buffer, result.ptr);
    return text == "-0" ? "0" : text;
}

}  // namespace zelk
