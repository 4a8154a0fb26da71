#include "base/text_grid.h"

#include <stdexcept>

namespace zelk {

TextGrid::TextGrid(int rows, int cols) {
    SetColCount(cols);
    SetRowCount(rows);
}

void TextGrid::CheckRow(int row) const {
    if (row < 0 || row >= RowCount()) {
        throw std::out_of_range("grid row " + std::to_string(row) + " of " +
                                std::to_string(RowCount()));
    }
}

const std::string& TextGrid::Cell(int row, int col) const {
    CheckRow(row);
    if (col < 0 || col >= cols_) {
        throw std::out_of_range("grid column " + std::to_string(col) + " of " +
                                std::to_string(cols_));
    }
    return cells_[row][col];
}

void TextGrid::SetCell(int row, int col, std::string text) {
    Cell(row, col);  // bounds check
    cells_[row][col] = std::move(text);
}

void TextGrid::SetRowCount(int rows) {
    if (rows < 0) {
        throw std::out_of_range("negative row count");
    }
    cells_.resize(rows, std::vector<std::string>(cols_));
}

void TextGrid::SetColCount(int cols) {
    if (cols < 0) {
        throw std::out_of_range("negative column count");
    }
    cols_ = cols;
    for (auto& row : cells_) {
        row.resize(cols);
    }
}

void TextGrid::InsertRow(int row) {
    if (row < 0 || row > RowCount()) {
        throw std::out_of_range("grid insert position " + std::to_string(row));
    }
    cells_.insert(cells_.begin() + row, std::vector<std::string>(cols_));
}

void TextGrid::RemoveRow(int row) {
    CheckRow(row);
    cells_.erase(cells_.begin() + row);
}

void TextGrid::ClearRow(int row) {
    CheckRow(row);
    for (auto& cell : cells_[row]) {
        cell.clear();
    }
}

const std::vector<std::string>& TextGrid::Row(int row) const {
    CheckRow(row);
    return cells_[row];
}

}  // namespace zelk
