#include "result/row_sort.h"

#include <algorithm>

#include "result/grid_cells.h"

namespace zelk {

bool CompareResultRows(const ResultRowKey& a, const ResultRowKey& b) {
    if (a.assigned != b.assigned) {
        return a.assigned;
    }
    if (a.rest != b.rest) {
        return a.rest < b.rest;
    }
    return a.previousRow < b.previousRow;
}

void SortResultRows(TextGrid& G_V, int stockKinds, char decimalSeparator) {
    int restColumn = G_V.ColCount() - 1;
    std::vector<ResultRowKey> keys;
    for (int r = 1; r < G_V.RowCount(); ++r) {
        keys.push_back({IsAssignedRow(G_V, r, stockKinds),
                        RestHundredths(CellText(G_V, r, restColumn), decimalSeparator), r,
                        G_V.Row(r)});
    }
    std::sort(keys.begin(), keys.end(), CompareResultRows);
    for (size_t k = 0; k < keys.size(); ++k) {
        int row = static_cast<int>(k) + 1;
        if (keys[k].previousRow != row) {
            for (int col = 0; col < G_V.ColCount(); ++col) {
                G_V.SetCell(row, col, std::move(keys[k].cells[col]));
            }
        }
    }
}

}  // namespace zelk
