#include "result/cell_colours.h"

#include <string>

#include "result/grid_cells.h"

namespace zelk {

namespace {

bool RowHasZeroCount(const TextGrid& G_V, int row, int stockKinds) {
    for (int i = 1; i <= stockKinds; ++i) {
        if (CellText(G_V, row, i) == "0") {
            return true;
        }
    }
    return false;
}

bool CarriesValue(const std::string& text) {
    return !text.empty() && text != "0" && text != kNotApplicable;
}

}  // namespace

CellColour G_VCellColour(const TextGrid& G_V, int stockKinds, int col, int row, CellState state) {
    if (col == stockKinds + 1) {
        return state.selected ? CellColour::Highlight : CellColour::Yellow;
    }
    if (state.selected) {
        return CellColour::Highlight;
    }
    if (state.fixed) {
        return CellColour::ButtonFace;
    }
    if (RowHasZeroCount(G_V, row, stockKinds)) {
        return CellColour::LightGrey;
    }
    // No stock cell is "0" here, so a stock cell with a value carries the row's count.
    if (IsAssignedRow(G_V, row, stockKinds)) {
        bool restColumn = col == G_V.ColCount() - 1;
        return !restColumn && CarriesValue(CellText(G_V, row, col)) ? CellColour::SpringGreen
                                                                    : CellColour::Teal;
    }
    return CellColour::Window;
}

CellColour G_SCellColour(const TextGrid& G_S, int col, int row, CellState state) {
    if (state.fixed) {
        return CellColour::ButtonFace;
    }
    if (row == 1) {
        const std::string& text = CellText(G_S, row, col);
        bool settled = text == "0" || WholeNumberSign(text).value_or(0) < 0;
        return settled ? CellColour::SpringGreen : CellColour::Teal;
    }
    return CellColour::Window;
}

}  // namespace zelk
