// The editing aids of the four input lists: tidying a list when it is left, sorting the fix lists
// longest first, and where the Tab key takes the cursor.
#pragma once

#include <optional>

#include "job/forms.h"

namespace zelk {

// Exit aid of an input list (any of the order's four lists): trims every cell, removes rows that
// are then empty from the last up (one empty data row stays), and sorts all three fix lists,
// whichever list was left. Placing the cursor on the first count cell is the window's part.
// A fix list with an unreadable length stops the sort with the conversion error (RuntimeError).
void CompactList(TextGrid& list, OrderForm& order, char decimalSeparator);

// Exchange sort of one list by length, longest first. Exchanged length cells are rewritten in the
// general number format; other cells keep their text as typed. A list with one data row is left
// alone. An empty or non-numeric length stops the sort midway with the conversion error; the rows
// exchanged so far stay exchanged.
void SortListByLength(TextGrid& list, char decimalSeparator);

// Sorts fix lists 1, 2 and 3 in this order, hidden groups included. The stock list is never sorted.
void SortFixLists(OrderForm& order, char decimalSeparator);

// Which list a key went to: the stock list hands the focus on to fix list 1, a fix list to the
// remnant threshold field.
enum class ListKind { Stock, Fix };

// The keys the lists handle: Tab without modifiers, Tab with Shift alone, anything else.
enum class ListKey { Tab, ShiftTab, Other };

// Where the focus goes when Tab leaves a list.
enum class FocusTarget { StayInList, G_Fixl, E_WastToStock };

struct CellPosition {
    int row = 0;
    int col = 0;
    bool operator==(const CellPosition&) const = default;
};

// What the window does with a key press in an input list.
struct ListKeyAction {
    bool consumed = false;   // the grid must not handle the key itself
    bool appendRow = false;  // an empty row is appended first
    std::optional<CellPosition> moveCursorTo;
    FocusTarget focus = FocusTarget::StayInList;
    bool operator==(const ListKeyAction&) const = default;
};

// Tab navigation of an input list with the cursor in cell (row, col): Tab in the length cell goes
// to the next row's count cell, appending a row at the end, or leaves the list when the last row
// is empty; Shift+Tab in a count cell below the first data row goes to the length cell above.
// Everything else is the grid's ordinary behaviour (not consumed).
ListKeyAction g_hslKeyDown(const TextGrid& list, CellPosition cell, ListKey key, ListKind kind);

}  // namespace zelk
