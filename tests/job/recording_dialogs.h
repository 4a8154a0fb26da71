// Test doubles for the job layer: a Dialogs that records what a command showed, and a short way
// to write and read the data rows of an input list.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "base/dialogs.h"
#include "base/text_grid.h"

namespace zelk {

class RecordingDialogs : public Dialogs {
public:
    std::vector<std::string> messages;
    std::vector<std::string> errors;
    bool confirmAnswer = true;

    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool Confirm(const std::string&, const std::string& question, const std::string&,
                 const std::string&) override {
        messages.push_back(question);
        return confirmAnswer;
    }
    void ShowError(const std::string& text) override { errors.push_back(text); }
};

using ListRows = std::vector<std::pair<std::string, std::string>>;  // count, length

// An input list with a header row and these data rows (one empty data row when none given).
inline TextGrid MakeList(const ListRows& rows) {
    TextGrid list(2, 2);
    list.SetCell(0, 0, "Stück");
    list.SetCell(0, 1, "Länge mm");
    list.SetRowCount(rows.empty() ? 2 : static_cast<int>(rows.size()) + 1);
    for (size_t i = 0; i < rows.size(); ++i) {
        list.SetCell(static_cast<int>(i) + 1, 0, rows[i].first);
        list.SetCell(static_cast<int>(i) + 1, 1, rows[i].second);
    }
    return list;
}

// The data rows of an input list.
inline ListRows DataRows(const TextGrid& list) {
    ListRows rows;
    for (int row = 1; row < list.RowCount(); ++row) {
        rows.emplace_back(list.Cell(row, 0), list.Cell(row, 1));
    }
    return rows;
}

}  // namespace zelk
