#include "files/result_section.h"

#include <algorithm>
#include <limits>
#include <string_view>

#include "base/errors.h"
#include "base/numbers.h"
#include "base/translate.h"
#include "files/line_cursor.h"

namespace zelk {

namespace {

constexpr const char* kMagic = "ZELK_EDATA V1";

// Every cell a block writes is followed by a TAB, so a genuine block has a character per cell.
// A block may ask for that many cells and this many more, which lets hand-shortened row lines
// through but keeps a size line from reserving more than its file could ever fill.
constexpr int64_t kSpareCells = 1 << 16;

void WriteGridBlock(Lines& lines, const TextGrid& grid) {
    lines.push_back(std::to_string(grid.RowCount() - 1) + "\t" +
                    std::to_string(grid.ColCount() - 1));
    for (int row = 0; row < grid.RowCount(); ++row) {
        std::string line;
        for (const std::string& cell : grid.Row(row)) {
            line += cell;
            line += '\t';
        }
        lines.push_back(std::move(line));
    }
}

// The characters, line ends counted, of the `count` lines from the cursor on.
int64_t CharactersOf(const Lines& lines, size_t cursor, int64_t count) {
    int64_t characters = 0;
    for (int64_t i = 0; i < count; ++i) {
        characters += static_cast<int64_t>(lines[cursor + i].size()) + 1;
    }
    return characters;
}

// Cuts a row line into `cols` fields from the left: a field ends at the next TAB, which goes with
// it; once no TAB is left the field is the rest of the line and the further fields are empty.
// Text after the last field is ignored.
void SetRowFields(TextGrid& grid, int row, std::string_view line) {
    bool lineUsedUp = false;
    for (int col = 0; col < grid.ColCount(); ++col) {
        size_t tab = lineUsedUp ? std::string_view::npos : line.find('\t');
        if (tab != std::string_view::npos) {
            grid.SetCell(row, col, std::string(line.substr(0, tab)));
            line.remove_prefix(tab + 1);
        } else {
            grid.SetCell(row, col, lineUsedUp ? std::string() : std::string(line));
            lineUsedUp = true;
        }
    }
}

}  // namespace

void WriteResultSection(Lines& lines, const TextGrid& G_V, const TextGrid& G_S) {
    lines.push_back(kMagic);
    WriteGridBlock(lines, G_V);
    WriteGridBlock(lines, G_S);
}

void ReadResultSection(const Lines& lines, size_t& cursor, TextGrid& G_V, TextGrid& G_S,
                       Dialogs& dialogs) {
    if (cursor >= lines.size() || lines[cursor] != kMagic) {
        dialogs.ShowMessage(Translate("Die Ergebnisdaten sind ungültig."));
        return;
    }
    ++cursor;
    ReadGridBlock(lines, cursor, G_V);
    ReadGridBlock(lines, cursor, G_S);
}

void ReadGridBlock(const Lines& lines, size_t& cursor, TextGrid& grid) {
    std::string_view sizeLine = TakeLine(lines, cursor);
    size_t tab = sizeLine.find('\t');
    std::string_view rowPart = sizeLine.substr(0, tab);
    std::string_view colPart = tab == std::string_view::npos ? "" : sizeLine.substr(tab + 1);
    int64_t rows = int64_t{IntegerOrConversionError(rowPart)} + 1;
    int64_t cols = int64_t{IntegerOrConversionError(colPart)} + 1;
    const int64_t sized = RowsToSize(lines, cursor, rows);
    const int64_t present = std::min<int64_t>(sized, static_cast<int64_t>(lines.size() - cursor));
    bool fillable =
        cols >= 0 && cols <= std::numeric_limits<int>::max() &&
        std::max<int64_t>(sized, 1) * cols <= CharactersOf(lines, cursor, present) + kSpareCells;
    if (!fillable) {
        throw RuntimeError(ListIndexText(static_cast<long long>(lines.size())));
    }
    grid.SetColCount(static_cast<int>(cols));
    grid.SetRowCount(static_cast<int>(sized));
    for (int row = 0; row < rows; ++row) {  // a file that ends early fails at its missing line
        SetRowFields(grid, row, TakeLine(lines, cursor));
    }
}

}  // namespace zelk
