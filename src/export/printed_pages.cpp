#include "export/printed_pages.h"

namespace zelk {

namespace {

// Printed lengths in pixels of 1/96 inch, the unit in which the spreadsheet program lays out a
// sheet at 100 %.
constexpr double kPixelsPerInch = 96;
// The workbook names no paper, so the printer's is used: counted as A4, narrower than Letter,
// upright, less the normal left and right margins of 0.7 inch that the workbook writes.
constexpr double kPrintableWidth = (8.27 - 2 * 0.7) * kPixelsPerInch;
// A character of Calibri 11 is 7 pixels wide on average; 8 leave room for wider letters, bold
// type and a printer's rounding, so that no page is ever overfull.
constexpr double kCharacterWidth = 8;
// The cell padding the spreadsheet program adds to every column.
constexpr double kColumnPadding = 5;
// A column without a width of its own.
constexpr double kStandardCharacters = 8.43;

double PrintedWidth(const std::map<int, int>& widths, int first, int last) {
    double total = 0;
    for (int col = first; col <= last; ++col) {
        auto found = widths.find(col);
        double characters =
            found == widths.end() || found->second == 0 ? kStandardCharacters : found->second;
        total += characters * kCharacterWidth + kColumnPadding;
    }
    return total;
}

}  // namespace

std::vector<int> PageBreaksBetweenRuns(const std::vector<ColumnRun>& runs, int titleColumns,
                                       const std::map<int, int>& widths) {
    const double room = kPrintableWidth - PrintedWidth(widths, 1, titleColumns);
    std::vector<int> breaks;
    double used = 0;  // by the runs on the current page
    for (const ColumnRun& run : runs) {
        double width = PrintedWidth(widths, run.first, run.last);
        if (used > 0 && used + width > room) {
            breaks.push_back(run.first);
            used = 0;
        }
        used += width;
    }
    return breaks;
}

}  // namespace zelk
