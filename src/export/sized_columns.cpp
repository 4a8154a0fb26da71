#include "export/sized_columns.h"

#include <algorithm>

namespace zelk {

namespace {

// Two characters beside the text: the padding of the cell and the wider bold type of headings.
constexpr int kMargin = 2;
// The widest column the spreadsheet program allows.
constexpr int kMaxColumnWidth = 255;

// Characters of a UTF-8 text: every byte that does not continue a character ("ä" is one).
int CharacterCount(const std::string& text) {
    return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace

int ColumnWidthFor(const std::string& text) {
    if (text.empty()) {
        return 0;
    }
    return std::min(CharacterCount(text) + kMargin, kMaxColumnWidth);
}

void SizedColumns::Write(int row, int col, const std::string& text) {
    sheet_.SetCellText(row, col, text);
    int width = ColumnWidthFor(text);
    int& current = widths_[col];
    if (width > current) {
        current = width;
        sheet_.SetColumnWidth(col, width);
    }
}

}  // namespace zelk
