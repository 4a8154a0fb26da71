#include "job/remainder_order.h"

#include <algorithm>
#include <string>

#include "base/numbers.h"
#include "job/order_page.h"

namespace zelk {

namespace {

constexpr int kRestRow = 1;

// The pieces of fix kind k still missing; a cell that is no whole number, or that the grid does
// not have, counts as 0.
int32_t MissingPieces(const TextGrid& G_S, const JobTables& tables, int k) {
    int col = tables.StockKinds + 1 + k;
    if (kRestRow >= G_S.RowCount() || col >= G_S.ColCount()) {
        return 0;
    }
    return IntegerOrZero(G_S.Cell(kRestRow, col));
}

// Appends a data row to a list, filling the single empty row of an emptied list first.
void AppendRow(TextGrid& list, std::string count, std::string length) {
    bool emptied = list.RowCount() == 2 && list.Cell(1, 0).empty();
    int row = emptied ? 1 : list.RowCount();
    list.SetRowCount(row + 1);
    list.SetCell(row, 0, std::move(count));
    list.SetCell(row, 1, std::move(length));
}

bool ContainsRestInAnyCase(const std::string& name) {
    std::string upper = name;
    // Only ASCII letters change; the bytes of umlauts in UTF-8 are left as they are.
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
    return upper.find("REST") != std::string::npos;
}

}  // namespace

void Btn_RestAlsNeuenAuftragClick(OrderForm& order, const TextGrid& G_S, const JobTables& tables,
                                  char decimalSeparator) {
    for (TextGrid* list : {&order.g_hsl, &order.G_Fixl, &order.g_fixl2, &order.g_fixl3}) {
        ResetToOneEmptyRow(*list);
    }
    for (int k = 1; k <= tables.FixKinds; ++k) {
        int32_t missing = MissingPieces(G_S, tables, k);
        if (missing <= 0) {
            continue;
        }
        AppendRow(order.FixList(tables.FixGroup[k]), std::to_string(missing),
                  FormatHundredths(tables.FixLength[k], decimalSeparator));
    }
    if (!ContainsRestInAnyCase(order.E_ABez)) {
        order.E_ABez += " Rest";
    }
}

}  // namespace zelk
