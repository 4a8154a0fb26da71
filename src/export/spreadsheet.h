// The spreadsheet as the saw plan sees it: a new workbook with at least two worksheets, one of
// them active. Rows and columns count from 1, as in the spreadsheet program. Creating the
// workbook is the backend's constructor; a failed operation throws RuntimeError.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zelk {

// A background colour.
struct Rgb {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    bool operator==(const Rgb&) const = default;
};

class Spreadsheet {
public:
    virtual ~Spreadsheet() = default;

    // The cell of the active sheet shows the text; an empty text empties the cell.
    virtual void SetCellText(int row, int col, const std::string& text) = 0;
    virtual void SetBold(int row, int col) = 0;
    virtual void SetFillColor(int row, int col, Rgb colour) = 0;

    // Page and sheet settings of the active sheet. The footer text uses the header and footer
    // codes of the spreadsheet program (&P: page number).
    virtual void RenameActiveSheet(const std::string& name) = 0;
    virtual void SetCenterFooter(const std::string& text) = 0;
    virtual void SetLandscape() = 0;
    virtual void SetPrintGridlines() = 0;

    // The width of a column of the active sheet, in characters of the sheet's standard font.
    virtual void SetColumnWidth(int col, int width) = 0;

    // Print titles of the active sheet: these rows, and these columns, are printed again on
    // every page, so that each page of a wide or long table carries its headings.
    virtual void SetPrintTitleRows(int firstRow, int lastRow) = 0;
    virtual void SetPrintTitleColumns(int firstCol, int lastCol) = 0;

    // Manual page breaks of the active sheet: each of these columns begins a new printed page.
    // Replaces the breaks set before.
    virtual void SetColumnPageBreaks(const std::vector<int>& firstColumns) = 0;

    // The second worksheet of the workbook becomes the active sheet.
    virtual void SelectSecondSheet() = 0;

    // True when the cell of the active sheet holds no value at all.
    virtual bool IsCellEmpty(int row, int col) const = 0;
};

}  // namespace zelk
