#include "engine/plan_from_grid.h"

#include "base/numbers.h"

namespace zelk {

namespace {

// A cell read as a count; a cell the grid does not have (a layout of an older job) counts 0 too.
int32_t CountCell(const TextGrid& grid, int row, int col) {
    if (col >= grid.ColCount()) {
        return 0;
    }
    return IntegerOrZero(grid.Cell(row, col));
}

}  // namespace

void PlanFromGrid(TBearbeitung& plan, const TextGrid& G_V) {
    const JobTables& job = plan.Job();
    plan.ClearCandidates();
    plan.ClearBars();
    for (int r = 1; r < G_V.RowCount(); ++r) {
        int stock = 0;
        int32_t count = 0;
        for (int s = 1; s <= job.StockKinds; ++s) {
            const int32_t value = CountCell(G_V, r, s);
            if (value != 0) {
                stock = s;
                count = value;
            }
        }
        if (stock == 0) {
            continue;
        }
        std::unique_ptr<TStab> bar = plan.Context().pool.ObtainBar(stock, job.StockUsable[stock]);
        bar->BarCount = count;
        for (int k = 1; k <= job.FixKinds; ++k) {
            bar->AddPieces(job, k, CountCell(G_V, r, job.StockKinds + 1 + k));
        }
        plan.Bars.push_back(std::move(bar));
    }
}

}  // namespace zelk
