#include "export/xlsx_spreadsheet.h"

#include <xlsxwriter.h>

#include <memory>

#include "base/errors.h"
#include "base/numbers.h"
#include "base/translate.h"

namespace zelk {

namespace {

std::string WriteFailureText(const std::string& path, const std::string& reason) {
    std::string text = Translate("Die Datei %s kann nicht geschrieben werden: ");
    if (size_t mark = text.find("%s"); mark != std::string::npos) {
        text.replace(mark, 2, path);
    }
    return text + reason;
}

// Turns a failed call of the workbook library into the runtime error for the user.
void Check(lxw_error error, const std::string& path) {
    if (error != LXW_NO_ERROR) {
        throw RuntimeError(WriteFailureText(path, lxw_strerror(error)));
    }
}

// A cell text the spreadsheet program would take as a number when it is typed in: a plain
// decimal number with the user's separator, no blanks around it and no thousands separator.
std::optional<double> NumberInUserFormat(const std::string& text, char decimalSeparator) {
    if (text.empty() || Trim(text) != text) {
        return std::nullopt;
    }
    return ParseDecimal(text, decimalSeparator);
}

lxw_color_t ColourValue(Rgb colour) {
    lxw_color_t value = (lxw_color_t{colour.red} << 16) | (lxw_color_t{colour.green} << 8) |
                        lxw_color_t{colour.blue};
    return value == 0 ? lxw_color_t{LXW_COLOR_BLACK} : value;  // 0 means "no colour" there
}

// The cell formats of one workbook, one per combination of bold and fill that occurs.
class Formats {
public:
    explicit Formats(lxw_workbook* workbook) : workbook_(workbook) {}

    // Null for a plain cell.
    lxw_format* For(bool bold, const std::optional<Rgb>& fill) {
        if (!bold && !fill) {
            return nullptr;
        }
        lxw_color_t colour = fill ? ColourValue(*fill) : LXW_COLOR_UNSET;
        lxw_format*& format = formats_[{bold, colour}];
        if (format == nullptr) {
            format = workbook_add_format(workbook_);
            if (bold) {
                format_set_bold(format);
            }
            if (fill) {
                format_set_pattern(format, LXW_PATTERN_SOLID);
                format_set_bg_color(format, colour);
            }
        }
        return format;
    }

private:
    lxw_workbook* workbook_;
    std::map<std::pair<bool, lxw_color_t>, lxw_format*> formats_;
};

// The library's 0-based row and column of a 1-based one, which must lie on the sheet.
lxw_row_t SheetRow(int row, const std::string& path) {
    if (row < 1 || row > LXW_ROW_MAX) {
        Check(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE, path);
    }
    return static_cast<lxw_row_t>(row - 1);
}

lxw_col_t SheetCol(int col, const std::string& path) {
    if (col < 1 || col > LXW_COL_MAX) {
        Check(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE, path);
    }
    return static_cast<lxw_col_t>(col - 1);
}

// Writes one cell (1-based row and column): a number when the text is one in the user's format,
// else a string; an empty text keeps only the cell's format.
void WriteCell(lxw_worksheet* worksheet, int row, int col, const std::string& text,
               lxw_format* format, char decimalSeparator, const std::string& path) {
    lxw_row_t sheetRow = SheetRow(row, path);
    lxw_col_t sheetCol = SheetCol(col, path);
    if (text.empty()) {
        if (format != nullptr) {
            Check(worksheet_write_blank(worksheet, sheetRow, sheetCol, format), path);
        }
    } else if (auto number = NumberInUserFormat(text, decimalSeparator)) {
        Check(worksheet_write_number(worksheet, sheetRow, sheetCol, *number, format), path);
    } else {
        Check(worksheet_write_string(worksheet, sheetRow, sheetCol, text.c_str(), format), path);
    }
}

// Column widths and print titles of a sheet (1-based rows and columns).
void WriteLayout(lxw_worksheet* worksheet, const std::map<int, int>& columnWidths,
                 const std::optional<std::pair<int, int>>& titleRows,
                 const std::optional<std::pair<int, int>>& titleColumns, const std::string& path) {
    for (const auto& [col, width] : columnWidths) {
        lxw_col_t sheetCol = SheetCol(col, path);
        Check(worksheet_set_column(worksheet, sheetCol, sheetCol, width, nullptr), path);
    }
    if (titleRows) {
        Check(worksheet_repeat_rows(worksheet, SheetRow(titleRows->first, path),
                                    SheetRow(titleRows->second, path)),
              path);
    }
    if (titleColumns) {
        Check(worksheet_repeat_columns(worksheet, SheetCol(titleColumns->first, path),
                                       SheetCol(titleColumns->second, path)),
              path);
    }
}

// The library takes the 0-based columns that begin a page, ended by 0; column A cannot begin one.
void WritePageBreaks(lxw_worksheet* worksheet, const std::vector<int>& firstColumns,
                     const std::string& path) {
    if (firstColumns.empty()) {
        return;
    }
    std::vector<lxw_col_t> breaks;
    for (int col : firstColumns) {
        breaks.push_back(SheetCol(col, path));
        if (breaks.back() == 0) {
            Check(LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE, path);
        }
    }
    breaks.push_back(0);
    Check(worksheet_set_v_pagebreaks(worksheet, breaks.data()), path);
}

}  // namespace

XlsxSpreadsheet::XlsxSpreadsheet(char decimalSeparator) : decimalSeparator_(decimalSeparator) {
    sheets_[0].name = "Tabelle1";
    sheets_[1].name = "Tabelle2";
}

void XlsxSpreadsheet::SetCellText(int row, int col, const std::string& text) {
    At(row, col).text = text;
}

void XlsxSpreadsheet::SetBold(int row, int col) {
    At(row, col).bold = true;
}

void XlsxSpreadsheet::SetFillColor(int row, int col, Rgb colour) {
    At(row, col).fill = colour;
}

void XlsxSpreadsheet::RenameActiveSheet(const std::string& name) {
    Active().name = name;
}

void XlsxSpreadsheet::SetCenterFooter(const std::string& text) {
    Active().centerFooter = text;
}

void XlsxSpreadsheet::SetLandscape() {
    Active().landscape = true;
}

void XlsxSpreadsheet::SetPrintGridlines() {
    Active().printGridlines = true;
}

void XlsxSpreadsheet::SetColumnWidth(int col, int width) {
    Active().columnWidths[col] = width;
}

void XlsxSpreadsheet::SetPrintTitleRows(int firstRow, int lastRow) {
    Active().printTitleRows = {firstRow, lastRow};
}

void XlsxSpreadsheet::SetPrintTitleColumns(int firstCol, int lastCol) {
    Active().printTitleColumns = {firstCol, lastCol};
}

void XlsxSpreadsheet::SetColumnPageBreaks(const std::vector<int>& firstColumns) {
    Active().pageBreakColumns = firstColumns;
}

void XlsxSpreadsheet::SelectSecondSheet() {
    active_ = 1;
}

bool XlsxSpreadsheet::IsCellEmpty(int row, int col) const {
    const auto& cells = sheets_[active_].cells;
    auto found = cells.find({row, col});
    return found == cells.end() || found->second.text.empty();
}

void XlsxSpreadsheet::Save(const std::string& path) const {
    std::unique_ptr<lxw_workbook, decltype(&lxw_workbook_free)> workbook(workbook_new(path.c_str()),
                                                                         lxw_workbook_free);
    if (!workbook) {
        Check(LXW_ERROR_MEMORY_MALLOC_FAILED, path);
    }
    Formats formats(workbook.get());
    std::array<lxw_worksheet*, 2> worksheets{};
    for (size_t i = 0; i < sheets_.size(); ++i) {
        const Sheet& sheet = sheets_[i];
        if (sheet.name.empty()) {
            Check(LXW_ERROR_PARAMETER_VALIDATION, path);  // a sheet needs a name
        }
        Check(workbook_validate_sheet_name(workbook.get(), sheet.name.c_str()), path);
        lxw_worksheet* worksheet = workbook_add_worksheet(workbook.get(), sheet.name.c_str());
        if (worksheet == nullptr) {
            Check(LXW_ERROR_MEMORY_MALLOC_FAILED, path);
        }
        for (const auto& [position, cell] : sheet.cells) {
            WriteCell(worksheet, position.first, position.second, cell.text,
                      formats.For(cell.bold, cell.fill), decimalSeparator_, path);
        }
        if (!sheet.centerFooter.empty()) {
            Check(worksheet_set_footer(worksheet, ("&C" + sheet.centerFooter).c_str()), path);
        }
        if (sheet.landscape) {
            worksheet_set_landscape(worksheet);
        }
        if (sheet.printGridlines) {
            // Printed as well as shown, as the spreadsheet program does when printing is asked.
            worksheet_gridlines(worksheet, LXW_SHOW_ALL_GRIDLINES);
        }
        WriteLayout(worksheet, sheet.columnWidths, sheet.printTitleRows, sheet.printTitleColumns,
                    path);
        WritePageBreaks(worksheet, sheet.pageBreakColumns, path);
        worksheets[i] = worksheet;
    }
    worksheet_activate(worksheets[active_]);
    Check(workbook_close(workbook.release()), path);
}

}  // namespace zelk
