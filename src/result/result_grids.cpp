#include "result/result_grids.h"

#include "base/numbers.h"
#include "base/translate.h"
#include "result/grid_cells.h"
#include "result/plan_statistics.h"
#include "result/row_sort.h"

namespace zelk {

namespace {

const std::string& GroupName(const OrderForm& order, int group) {
    return group == 2 ? order.e_fixbez2 : group == 3 ? order.e_fixbez3 : order.e_fixbez;
}

std::string FixHeader(const JobTables& job, const OrderForm& order, int j, char decimalSeparator) {
    std::string header = FormatHundredths(job.FixLength[j], decimalSeparator);
    if (order.group2Shown) {
        header += " " + GroupName(order, job.FixGroup[j]);
    }
    return header;
}

// One row of a bar entry or a candidate; a candidate's own stock cell stays empty.
void AppendBarRow(TextGrid& G_V, const TStab& bar, bool isCandidate, ResultColumns columns,
                  char decimalSeparator) {
    int r = AppendResultRow(G_V);
    std::string count = std::to_string(bar.BarCount);
    for (int i = 1; i <= columns.stockKinds; ++i) {
        G_V.SetCell(r, i, kNotApplicable);
    }
    G_V.SetCell(r, bar.StockIndex, isCandidate ? "" : count);
    G_V.SetCell(r, columns.MaxLL(), count);
    G_V.SetCell(r, columns.RestPerBar(), FormatHundredths(bar.Rest, decimalSeparator));
    for (int j = 1; j <= columns.fixKinds; ++j) {
        int32_t pieces = bar.Pieces[j];
        G_V.SetCell(r, columns.Fix(j), pieces == 0 ? "" : std::to_string(pieces));
    }
}

// After an edit, moving on re-sorts the rows, unless the bins are fewer than the fix lengths:
// the saw plan then hands out the bins in row order, so the engine's order must stay.
void SortAfterEdit(CalculationPage& page, const JobTables& job, char decimalSeparator) {
    if (page.ResultEdited && page.BinCount() == job.FixKinds) {
        page.ResultEdited = false;
        SortResultRows(page.G_V, job.StockKinds, decimalSeparator);
    }
}

}  // namespace

void RefreshResultCaptions(CalculationPage& page, const JobTables& job, char decimalSeparator) {
    ResultColumns columns = ColumnsOf(job);
    TextGrid& G_V = page.G_V;
    SetExistingCell(G_V, 0, 0, Translate("Nr."));
    for (int i = 1; i <= columns.stockKinds; ++i) {
        SetExistingCell(G_V, 0, i,
                        Translate("LL ") + FormatHundredths(job.StockLength[i], decimalSeparator));
    }
    SetExistingCell(G_V, 0, columns.MaxLL(), Translate("Max LL"));
    SetExistingCell(G_V, 0, columns.RestPerBar(), Translate("Rest/LL"));
    SetExistingCell(page.G_S, 0, 0, Translate("Verplant"));
    SetExistingCell(page.G_S, 1, 0, Translate("Rest"));
    UpdateOrderState(page, job);
}

void LayoutResultColumns(CalculationPage& page, const JobTables& job, const OrderForm& order,
                         char decimalSeparator) {
    ResultColumns columns = ColumnsOf(job);
    page.G_V.SetColCount(columns.Count());
    page.G_S.SetColCount(columns.Count());
    page.columnWidths.assign(columns.Count(), kGridDefaultWidth);
    page.columnWidths[0] = kNumberColumnWidth;
    for (int i = 1; i <= columns.stockKinds; ++i) {
        page.columnWidths[i] = kStockColumnWidth;
    }
    for (int j = 1; j <= columns.fixKinds; ++j) {
        page.columnWidths[columns.Fix(j)] = kFixColumnWidth;
        SetExistingCell(page.G_V, 0, columns.Fix(j), FixHeader(job, order, j, decimalSeparator));
    }
}

void EmptyResultRows(TextGrid& G_V) {
    G_V.SetRowCount(2);
    G_V.ClearRow(1);
}

void LayoutWithoutPlan(CalculationPage& page, const JobTables& job, const OrderForm& order,
                       char decimalSeparator) {
    if (!page.planJob) {
        LayoutResultColumns(page, job, order, decimalSeparator);
        RefreshResultCaptions(page, job, decimalSeparator);
    }
}

bool PlanIsForEarlierOrder(const CalculationPage& page, const JobTables& job) {
    return page.planJob && !(*page.planJob == job);
}

void ShowPlan(CalculationPage& page, const TBearbeitung& plan, const ResultContext& context) {
    // Laid out first, so that the headers find their columns when the job has grown.
    LayoutResultColumns(page, context.job, context.orderPage.order, context.decimalSeparator);
    RefreshResultCaptions(page, context.job, context.decimalSeparator);

    EmptyResultRows(page.G_V);
    for (int row = 0; row < page.G_S.RowCount(); ++row) {
        for (int col = 1; col < page.G_S.ColCount(); ++col) {
            page.G_S.SetCell(row, col, "");
        }
    }
    ResultColumns columns = ColumnsOf(context.job);
    for (const auto& bar : plan.Bars) {
        AppendBarRow(page.G_V, *bar, false, columns, context.decimalSeparator);
    }
    for (const auto& candidate : plan.Candidates) {
        AppendBarRow(page.G_V, *candidate, true, columns, context.decimalSeparator);
    }
    if (page.BinCount() == context.job.FixKinds) {
        SortResultRows(page.G_V, context.job.StockKinds, context.decimalSeparator);
    }
    page.planJob = context.job;
    UpdatePlanStatistics(page, context);
}

int AppendResultRow(TextGrid& G_V) {
    int r = 1;
    if (G_V.RowCount() != 2 || !G_V.Cell(1, 0).empty()) {
        r = G_V.RowCount();
        G_V.SetRowCount(r + 1);
    }
    G_V.SetCell(r, 0, std::to_string(r + 1));
    return r;
}

void RecalcRowRest(TextGrid& G_V, int row, const JobTables& job, char decimalSeparator) {
    ResultColumns columns = ColumnsOf(job);
    int64_t usable = 0;
    for (int i = 1; i <= columns.stockKinds; ++i) {
        if (CellText(G_V, row, i) != kNotApplicable) {
            usable += job.StockUsable[i];
        }
    }
    // Floating point: a typed piece count times a length may pass the range of 64 bits.
    long double used = 0;
    for (int j = 1; j <= columns.fixKinds; ++j) {
        used += static_cast<long double>(IntegerOrZero(CellText(G_V, row, columns.Fix(j)))) *
                job.FixEffLength[j];
    }
    double rest = static_cast<double>(usable - used);
    SetExistingCell(G_V, row, columns.RestPerBar(), FormatGeneral(rest / 100, decimalSeparator));
}

void G_VSetEditText(CalculationPage& page, int col, int row, std::string text,
                    const ResultContext& context) {
    page.G_V.SetCell(row, col, std::move(text));
    page.ResultEdited = true;
    RecalcRowRest(page.G_V, row, context.job, context.decimalSeparator);
    UpdatePlanStatistics(page, context);
}

int RestingColumn(const TextGrid& G_V, int row, int col, int stockKinds) {
    auto mayRest = [&](int c) {
        return c > 0 && c < G_V.ColCount() && CellText(G_V, row, c) != kNotApplicable;
    };
    if (mayRest(col)) {
        return col;
    }
    for (int i = 1; i <= stockKinds; ++i) {
        if (mayRest(i)) {
            return i;
        }
    }
    for (int distance = 1; distance < G_V.ColCount(); ++distance) {
        for (int c : {col - distance, col + distance}) {
            if (mayRest(c)) {
                return c;
            }
        }
    }
    return -1;
}

bool G_VSelectCell(CalculationPage& page, int col, int row, const JobTables& job,
                   char decimalSeparator) {
    // Sorted first: the rows may move under the cell that is to be selected.
    SortAfterEdit(page, job, decimalSeparator);
    return CellText(page.G_V, row, col) != kNotApplicable;
}

void G_VKeyDown(CalculationPage& page, int key, const JobTables& job, char decimalSeparator) {
    if (key == kEnterKey) {
        SortAfterEdit(page, job, decimalSeparator);
    }
}

}  // namespace zelk
