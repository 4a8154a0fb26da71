// The spreadsheet as an .xlsx workbook file. The constructor starts a new workbook with two
// worksheets, the first one active; the cells and settings are kept in memory and the whole
// workbook is written by Save.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "export/spreadsheet.h"

namespace zelk {

class XlsxSpreadsheet : public Spreadsheet {
public:
    // Cell texts that are numbers in the user's format (this decimal separator, no thousands
    // separator) are stored as numbers, as the spreadsheet program does with typed input.
    explicit XlsxSpreadsheet(char decimalSeparator);

    void SetCellText(int row, int col, const std::string& text) override;
    void SetBold(int row, int col) override;
    void SetFillColor(int row, int col, Rgb colour) override;
    void RenameActiveSheet(const std::string& name) override;
    void SetCenterFooter(const std::string& text) override;
    void SetLandscape() override;
    void SetPrintGridlines() override;
    void SetColumnWidth(int col, int width) override;
    void SetPrintTitleRows(int firstRow, int lastRow) override;
    void SetPrintTitleColumns(int firstCol, int lastCol) override;
    void SetColumnPageBreaks(const std::vector<int>& firstColumns) override;
    void SelectSecondSheet() override;
    bool IsCellEmpty(int row, int col) const override;

    // Writes the workbook to the file; a failure throws RuntimeError naming the file.
    void Save(const std::string& path) const;

private:
    struct Cell {
        std::string text;
        bool bold = false;
        std::optional<Rgb> fill;
    };

    struct Sheet {
        std::string name;
        std::map<std::pair<int, int>, Cell> cells;  // by (row, column)
        std::string centerFooter;
        bool landscape = false;
        bool printGridlines = false;
        std::map<int, int> columnWidths;                       // by column, in characters
        std::optional<std::pair<int, int>> printTitleRows;     // first and last row
        std::optional<std::pair<int, int>> printTitleColumns;  // first and last column
        std::vector<int> pageBreakColumns;                     // first columns of new pages
    };

    Sheet& Active() { return sheets_[active_]; }
    Cell& At(int row, int col) { return Active().cells[{row, col}]; }

    char decimalSeparator_;
    std::array<Sheet, 2> sheets_;
    int active_ = 0;
};

}  // namespace zelk
