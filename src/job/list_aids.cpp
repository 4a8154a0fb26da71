#include "job/list_aids.h"

#include <utility>

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
    for (int i = 1; i <= last; ++i) {
        for (int j = i + 1; j <= last; ++j) {
            double a = DecimalOrConversionError(list.Cell(i, kLengthCol), decimalSeparator);
            double b = DecimalOrConversionError(list.Cell(j, kLengthCol), decimalSeparator);
            if (a < b) {
                std::string countI = list.Cell(i, kCountCol);
                list.SetCell(i, kCountCol, list.Cell(j, kCountCol));
                list.SetCell(j, kCountCol, std::move(countI));
                list.SetCell(i, kLengthCol, FormatGeneral(b, decimalSeparator));
                list.SetCell(j, kLengthCol, FormatGeneral(a, decimalSeparator));
            }
        }
    }
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
