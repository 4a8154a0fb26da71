// Rows x columns of UTF-8 texts, the cells of a string grid. Input lists and result grids are
// text grids; the window shows a grid it owns, so core rules work on the cells the user sees.
#pragma once

#include <string>
#include <vector>

namespace zelk {

class TextGrid {
public:
    TextGrid() = default;
    TextGrid(int rows, int cols);

    int RowCount() const { return static_cast<int>(cells_.size()); }
    int ColCount() const { return cols_; }

    // Cell access; a position outside the grid is a programming error (std::out_of_range).
    const std::string& Cell(int row, int col) const;
    void SetCell(int row, int col, std::string text);

    // Resizing keeps the content of the cells that remain; new cells are empty.
    void SetRowCount(int rows);
    void SetColCount(int cols);

    void InsertRow(int row);  // an empty row at this index; the rows below move down
    void RemoveRow(int row);  // the rows below move up
    void ClearRow(int row);   // every cell of the row emptied

    // All cells of a row, for moving whole rows.
    const std::vector<std::string>& Row(int row) const;

    bool operator==(const TextGrid&) const = default;

private:
    void CheckRow(int row) const;

    int cols_ = 0;
    std::vector<std::vector<std::string>> cells_;
};

}  // namespace zelk
