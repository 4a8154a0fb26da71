#include "job/list_aids.h"

#include <optional>
#include <utility>
#include <vector>

#include "base/errors.h"
#include "base/numbers.h"

namespace zelk {

namespace {

constexpr int kCountCol = 0;
constexpr int kLengthCol = 1;

bool RowIsEmpty(const TextGrid& list, int row) {
    return list.Cell(row, kCountCol).empty() && list.Cell(row, kLengthCol).empty();
}

}  // namespace

void CompactList(TextGrid& list, OrderForm& order, char decimalSeparator) {
    for (int row = list.RowCount() - 1; row >= 1; --row) {
        list.SetCell(row, kCountCol, Trim(list.Cell(row, kCountCol)));
        list.SetCell(row, kLengthCol, Trim(list.Cell(row, kLengthCol)));
        if (RowIsEmpty(list, row) && list.RowCount() > 2) {
            list.RemoveRow(row);
        }
    }
    SortFixLists(order, decimalSeparator);
}

void SortListByLength(TextGrid& list, char decimalSeparator) {
    int last = list.RowCount() - 1;
    if (last < 2) {
        return;
    }
    // The exchange sort works on the rows held aside and writes them back once, also when a
    // length stops it. Each length is read when the sort first looks at it, and an exchanged one
    // again from its rewritten text, exactly when reading the cells on every comparison would;
    // so a long list sorts in moments instead of reading its lengths n * n times.
    struct SortRow {
        std::string count;
        std::string lengthText;
        std::optional<double> length;  // read; empty until first looked at or when unreadable
        bool exchanged = false;        // its length text is the general format of `length`
    };
    std::vector<SortRow> rows(last + 1);
    std::vector<int> at(last + 1);  // the row held at each position of the list
    for (int i = 1; i <= last; ++i) {
        rows[i].count = list.Cell(i, kCountCol);
        rows[i].lengthText = list.Cell(i, kLengthCol);
        at[i] = i;
    }
    auto lengthAt = [&](int position) {
        SortRow& row = rows[at[position]];
        if (!row.length) {
            row.length = DecimalOrConversionError(row.lengthText, decimalSeparator);
        }
        return *row.length;
    };
    auto rewriteAt = [&](int position) {
        SortRow& row = rows[at[position]];
        if (!row.exchanged) {
            row.exchanged = true;
            row.lengthText = FormatGeneral(*row.length, decimalSeparator);
            // Reads back, unless the length was beyond the range of a floating-point number.
            row.length = ParseDecimal(row.lengthText, decimalSeparator);
        }
    };
    auto writeBack = [&] {
        for (int i = 1; i <= last; ++i) {
            list.SetCell(i, kCountCol, std::move(rows[at[i]].count));
            list.SetCell(i, kLengthCol, std::move(rows[at[i]].lengthText));
        }
    };
    try {
        for (int i = 1; i <= last; ++i) {
            for (int j = i + 1; j <= last; ++j) {
                const double a = lengthAt(i);  // row i is read first: its error comes first
                const double b = lengthAt(j);
                if (a < b) {
                    std::swap(at[i], at[j]);
                    rewriteAt(i);
                    rewriteAt(j);
                }
            }
        }
    } catch (const RuntimeError&) {
        writeBack();
        throw;
    }
    writeBack();
}

void SortFixLists(OrderForm& order, char decimalSeparator) {
    for (int group = 1; group <= 3; ++group) {
        SortListByLength(order.FixList(group), decimalSeparator);
    }
}

ListKeyAction g_hslKeyDown(const TextGrid& list, CellPosition cell, ListKey key, ListKind kind) {
    ListKeyAction action;
    bool dataRow = cell.row >= 1 && cell.row < list.RowCount();
    if (key == ListKey::Tab && dataRow && cell.col == kLengthCol) {
        action.consumed = true;
        bool lastRow = cell.row == list.RowCount() - 1;
        if (lastRow) {
            action.appendRow = true;
            if (RowIsEmpty(list, cell.row)) {
                // The empty row appended here disappears again when the list is left.
                action.focus =
                    kind == ListKind::Stock ? FocusTarget::G_Fixl : FocusTarget::E_WastToStock;
                return action;
            }
        }
        action.moveCursorTo = CellPosition{cell.row + 1, kCountCol};
    } else if (key == ListKey::ShiftTab && dataRow && cell.row >= 2 && cell.col == kCountCol) {
        action.consumed = true;
        action.moveCursorTo = CellPosition{cell.row - 1, kLengthCol};
    }
    return action;
}

}  // namespace zelk
