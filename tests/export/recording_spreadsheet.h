// A spreadsheet and a dialog recorder in memory, for checking what the saw plan export writes.
// Both append to one call log, so the order of message and cell writes can be checked.
#pragma once

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/dialogs.h"
#include "export/spreadsheet.h"

namespace zelk {

class RecordingSpreadsheet : public Spreadsheet {
public:
    struct Cell {
        std::string text;
        bool bold = false;
        std::optional<Rgb> fill;
    };

    struct Sheet {
        std::string name;
        std::map<std::pair<int, int>, Cell> cells;
        std::string footer;
        bool landscape = false;
        bool printGridlines = false;
        std::map<int, int> columnWidths;  // the last width asked for, by column
        std::pair<int, int> printTitleRows{};
        std::pair<int, int> printTitleColumns{};
        std::vector<int> pageBreakColumns;
    };

    explicit RecordingSpreadsheet(std::vector<std::string>& log) : log_(log) {}

    void SetCellText(int row, int col, const std::string& text) override {
        Active().cells[{row, col}].text = text;
        log_.push_back("cell " + Position(row, col) + " " + text);
    }
    void SetBold(int row, int col) override { Active().cells[{row, col}].bold = true; }
    void SetFillColor(int row, int col, Rgb colour) override {
        Active().cells[{row, col}].fill = colour;
    }
    void RenameActiveSheet(const std::string& name) override { Active().name = name; }
    void SetCenterFooter(const std::string& text) override { Active().footer = text; }
    void SetLandscape() override { Active().landscape = true; }
    void SetPrintGridlines() override { Active().printGridlines = true; }
    void SetColumnWidth(int col, int width) override { Active().columnWidths[col] = width; }
    void SetPrintTitleRows(int firstRow, int lastRow) override {
        Active().printTitleRows = {firstRow, lastRow};
    }
    void SetPrintTitleColumns(int firstCol, int lastCol) override {
        Active().printTitleColumns = {firstCol, lastCol};
    }
    void SetColumnPageBreaks(const std::vector<int>& firstColumns) override {
        Active().pageBreakColumns = firstColumns;
    }
    void SelectSecondSheet() override {
        active = 1;
        log_.push_back("select 2");
    }
    bool IsCellEmpty(int row, int col) const override { return Text(active, row, col).empty(); }

    // The cell of sheet 0 or 1; an unwritten cell is a plain empty one.
    Cell At(int sheet, int row, int col) const {
        auto found = sheets[sheet].cells.find({row, col});
        return found == sheets[sheet].cells.end() ? Cell{} : found->second;
    }
    std::string Text(int sheet, int row, int col) const { return At(sheet, row, col).text; }

    // A sheet row as its texts from column 1 on, joined by '|', without empty cells at the end.
    // A cell filled with the given colour is marked with '*', any other fill with '?'.
    std::string RowText(int sheet, int row, Rgb marked) const {
        int lastCol = 0;
        for (const auto& [position, cell] : sheets[sheet].cells) {
            if (position.first == row && (!cell.text.empty() || cell.fill)) {
                lastCol = std::max(lastCol, position.second);
            }
        }
        std::string text;
        for (int col = 1; col <= lastCol; ++col) {
            Cell cell = At(sheet, row, col);
            text += (col > 1 ? "|" : "") + cell.text;
            if (cell.fill) {
                text += *cell.fill == marked ? "*" : "?";
            }
        }
        return text;
    }

    std::array<Sheet, 2> sheets;
    int active = 0;

private:
    static std::string Position(int row, int col) {
        return std::to_string(row) + "," + std::to_string(col);
    }
    Sheet& Active() { return sheets[active]; }

    std::vector<std::string>& log_;
};

class RecordingDialogs : public Dialogs {
public:
    explicit RecordingDialogs(std::vector<std::string>& log) : log_(log) {}

    void ShowMessage(const std::string& text) override {
        messages.push_back(text);
        log_.push_back("message " + text);
    }
    bool Confirm(const std::string&, const std::string& question, const std::string&,
                 const std::string&) override {
        log_.push_back("confirm " + question);
        return true;
    }
    void ShowError(const std::string& text) override { log_.push_back("error " + text); }

    std::vector<std::string> messages;

private:
    std::vector<std::string>& log_;
};

}  // namespace zelk
