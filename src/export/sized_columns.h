// Writing the cells of a table so that each column it uses fits its widest text, header or
// value, as a user who tidies the sheet by hand would size it: no text is cut off by the cell
// beside it, on screen or on paper.
#pragma once

#include <map>
#include <string>

#include "export/spreadsheet.h"

namespace zelk {

// The width, in characters, of a column that shows the text in full: one per character and a
// margin for the cell's padding and bold type; 0 for an empty text. At most the spreadsheet
// program's widest column.
int ColumnWidthFor(const std::string& text);

// The table cells of the active sheet. Texts written past the table (a title, a note) are
// written to the sheet directly: they may run on over the empty cells beside them.
class SizedColumns {
public:
    explicit SizedColumns(Spreadsheet& sheet) : sheet_(sheet) {}

    // Writes the text into the cell and widens its column when the text needs more room. The
    // column is sized as the texts come, so that every way out of an export leaves it sized.
    void Write(int row, int col, const std::string& text);

    // The widths set so far, in characters by column; 0 or no entry: the standard width.
    const std::map<int, int>& Widths() const { return widths_; }

private:
    Spreadsheet& sheet_;
    std::map<int, int> widths_;  // width set so far, by column
};

}  // namespace zelk
