#include "files/order_section.h"

#include <algorithm>

#include "base/numbers.h"
#include "base/translate.h"
#include "files/line_cursor.h"
#include "files/section_start.h"
#include "job/order_page.h"

namespace zelk {

namespace {

constexpr const char* kKind = "ZELK_ADATA";

// A count line, then one line per data row: count, TAB, length.
void WriteListBlock(Lines& lines, const TextGrid& list) {
    lines.push_back(std::to_string(list.RowCount() - 1));
    for (int row = 1; row < list.RowCount(); ++row) {
        lines.push_back(list.Cell(row, 0) + "\t" + list.Cell(row, 1));
    }
}

// A list block that must be there. A row line is split at its first TAB: the count before it, the
// length after it (further TABs included); a line without TAB is all length.
void ReadListRows(const Lines& lines, size_t& cursor, TextGrid& list) {
    const int64_t rows = IntegerOrConversionError(TakeLine(lines, cursor));
    const int64_t sized = RowsToSize(lines, cursor, rows);
    ResetToOneEmptyRow(list);  // a block of no rows leaves the one data row every list has
    list.SetRowCount(static_cast<int>(std::max<int64_t>(sized, 1)) + 1);
    for (int row = 1; row <= rows; ++row) {  // a file that ends early fails at its missing line
        const std::string& line = TakeLine(lines, cursor);
        size_t tab = line.find('\t');
        if (tab == std::string::npos) {
            list.SetCell(row, 0, "");
            list.SetCell(row, 1, line);
        } else {
            list.SetCell(row, 0, line.substr(0, tab));
            list.SetCell(row, 1, line.substr(tab + 1));
        }
    }
}

}  // namespace

void WriteOrderSection(Lines& lines, const OrderPage& page) {
    const OrderForm& order = page.order;
    lines.insert(lines.end(), {std::string(kKind) + " V2", page.UnitText(), order.E_ABez,
                               order.EToleranz, order.E_WastToStock, "0"});
    for (const TextGrid* list : {&order.g_hsl, &order.G_Fixl, &order.g_fixl2, &order.g_fixl3}) {
        WriteListBlock(lines, *list);
    }
    lines.insert(lines.end(), {order.e_fixbez, order.e_fixbez2, order.e_fixbez3});
}

void ReadListBlock(const Lines& lines, size_t& cursor, TextGrid& list) {
    if (cursor < lines.size()) {
        ReadListRows(lines, cursor, list);
    } else {
        ResetToOneEmptyRow(list);
    }
}

void ReadOrderSection(const Lines& lines, size_t& cursor, OrderPage& page, Dialogs& dialogs) {
    int version = SectionVersion(lines, cursor, kKind,
                                 Translate("Die Auftragsdaten sind ungültig."), dialogs);
    if (version == 0) {
        return;
    }
    size_t next = cursor + 1;
    std::string unit = version == 2 ? TakeLine(lines, next) : "mm";
    if (unit != page.UnitText()) {
        FailWithUnitConflict(dialogs);
    }
    cursor = next;

    OrderForm& order = page.order;
    Btn_ANeuClick(order);
    order.E_ABez = TakeLine(lines, cursor);
    order.EToleranz = TakeLine(lines, cursor);
    order.E_WastToStock = TakeLine(lines, cursor);
    ++cursor;  // reserved line, not read
    ReadListRows(lines, cursor, order.g_hsl);
    for (int group = 1; group <= 3; ++group) {
        ReadListBlock(lines, cursor, order.FixList(group));
    }
    if (cursor < lines.size()) {
        order.e_fixbez = TakeLine(lines, cursor);
        order.e_fixbez2 = TakeLine(lines, cursor);
        order.e_fixbez3 = TakeLine(lines, cursor);
    }
    order.group2Shown = !order.g_fixl2.Cell(1, 0).empty();
    order.group3Shown = !order.g_fixl3.Cell(1, 0).empty();
    PlaceGroupButton(order);
}

}  // namespace zelk
