#include "result/plan_statistics.h"

#include <optional>
#include <string>
#include <vector>

#include "base/numbers.h"
#include "base/translate.h"
#include "job/machine_values.h"
#include "result/grid_cells.h"

namespace zelk {

namespace {

// The totals of the planned rows, lengths in hundredths of the display unit. Counts of bars stay
// within 64 bits (a sum of 32-bit cells); everything multiplied by a count is floating point, so
// that absurd counts cannot overflow.
struct Figures {
    std::vector<int64_t> plannedBars;        // per stock length, 1-based
    std::vector<long double> plannedPieces;  // per fix length, 1-based
    long double stockTotal = 0;              // nominal length of the planned bars
    long double fixTotal = 0;                // nominal length of the planned pieces
    long double waste = 0;                   // rests too short to go back to stock
    long double toStock = 0;                 // remnants back to stock, clamp rest included
    long double machine = 0;    // trim cuts, kerfs with tolerance, clamp rests of waste
    long double restTotal = 0;  // rests of all planned bars
};

// A machine input in hundredths, as read on every update; its message when it is not a number.
std::optional<long double> MachineInput(const std::string& text,
                                        const MachineValueMessages& messages,
                                        const ResultContext& context) {
    auto value = HundredthsValue(text, context.decimalSeparator);
    if (!value) {
        context.dialogs.ShowMessage(Translate(messages.invalid));
    }
    return value;
}

std::optional<Figures> ComputeFigures(const TextGrid& G_V, const ResultContext& context) {
    const JobTables& job = context.job;
    const MachineForm& machineForm = context.orderPage.machine;
    const OrderForm& order = context.orderPage.order;
    auto trimCut = MachineInput(machineForm.E_ASL, kTrimCutMessages, context);
    if (!trimCut) {
        return std::nullopt;
    }
    auto clampRest = MachineInput(machineForm.E_RSL, kClampRestMessages, context);
    if (!clampRest) {
        return std::nullopt;
    }
    auto tolerance = MachineInput(order.EToleranz, kToleranceMessages, context);
    if (!tolerance) {
        return std::nullopt;
    }
    auto kerf = MachineInput(machineForm.E_SKB, kKerfMessages, context);
    if (!kerf) {
        return std::nullopt;
    }
    long double kerfTol = *tolerance + *kerf;
    std::optional<long double> returnFrom;  // read once a row has bars

    ResultColumns columns = ColumnsOf(job);
    Figures f;
    f.plannedBars.assign(columns.stockKinds + 1, 0);
    f.plannedPieces.assign(columns.fixKinds + 1, 0);
    for (int r = 1; r < G_V.RowCount(); ++r) {
        int64_t n = 0;
        for (int i = 1; i <= columns.stockKinds; ++i) {
            int32_t b = IntegerOrZero(CellText(G_V, r, i));
            f.stockTotal += static_cast<long double>(int64_t{b} * job.StockLength[i]);
            f.plannedBars[i] += b;
            n += b;
        }
        if (n == 0) {
            continue;
        }
        if (!returnFrom) {
            returnFrom = MachineInput(order.E_WastToStock, kReturnFromMessages, context);
            if (!returnFrom) {
                return std::nullopt;
            }
        }
        long double bars = static_cast<long double>(n);
        long double rest =
            RestHundredths(CellText(G_V, r, columns.RestPerBar()), context.decimalSeparator);
        f.restTotal += bars * rest;
        if (rest + *clampRest >= *returnFrom) {
            f.toStock += bars * (rest + *clampRest);
            f.machine += bars * (*trimCut + kerfTol);
        } else {
            f.waste += bars * rest;
            f.machine += bars * (*clampRest + *trimCut + kerfTol);
        }
        for (int j = 1; j <= columns.fixKinds; ++j) {
            long double pieces = bars * IntegerOrZero(CellText(G_V, r, columns.Fix(j)));
            f.plannedPieces[j] += pieces;
            f.fixTotal += pieces * job.FixLength[j];
        }
    }
    for (int j = 1; j <= columns.fixKinds; ++j) {
        f.machine += f.plannedPieces[j] * kerfTol;  // one kerf with tolerance per piece
    }
    return f;
}

void WriteSummary(TextGrid& G_S, const Figures& f, const ResultContext& context) {
    const JobTables& job = context.job;
    ResultColumns columns = ColumnsOf(job);
    for (int i = 1; i <= columns.stockKinds; ++i) {
        SetExistingCell(G_S, 0, i, std::to_string(f.plannedBars[i]));
        SetExistingCell(G_S, 1, i, std::to_string(job.StockCountOrig[i] - f.plannedBars[i]));
    }
    for (int j = 1; j <= columns.fixKinds; ++j) {
        SetExistingCell(G_S, 0, columns.Fix(j), WholeNumberText(f.plannedPieces[j]));
        SetExistingCell(G_S, 1, columns.Fix(j),
                        WholeNumberText(job.FixCountOrig[j] - f.plannedPieces[j]));
    }
    SetExistingCell(
        G_S, 0, columns.RestPerBar(),
        FormatGeneral(static_cast<double>(f.restTotal / 100), context.decimalSeparator));
}

// Lengths shown in metres when the unit is millimetres, else in inches; each rounded on its exact
// decimal value, so that the figures add up as the lengths behind them do.
void WriteInfoBox(CalculationPage& page, const Figures& f, const ResultContext& context) {
    bool metres = context.orderPage.UnitText() == "mm";
    int64_t hundredthsPerUnit = metres ? 100000 : 100;
    const char* suffix = metres ? " m" : " in.";
    auto show = [&](long double hundredths) {
        return FormatTwoDecimals(hundredths, hundredthsPerUnit, context.decimalSeparator,
                                 context.thousandsSeparator) +
               suffix;
    };
    page.L_HLSumme = show(f.stockTotal);
    page.L_FIXLSumme = show(f.fixTotal);
    page.L_LagerRest = show(f.toStock);
    page.L_Maschrest = show(f.machine);
    page.L_Rest = show(f.waste);
}

// What the summary G_S says of the order: pieces still missing, surplus pieces, anything planned.
struct OrderState {
    bool missing = false;
    bool over = false;
    bool planned = false;
};

OrderState OrderStateOf(const CalculationPage& page, const JobTables& job) {
    ResultColumns columns = ColumnsOf(job);
    OrderState state;
    for (int j = 1; j <= columns.fixKinds; ++j) {
        int left = WholeNumberSign(CellText(page.G_S, 1, columns.Fix(j))).value_or(0);
        state.missing = state.missing || left > 0;
        state.over = state.over || left < 0;
        state.planned =
            state.planned || WholeNumberSign(CellText(page.G_S, 0, columns.Fix(j))).value_or(0) > 0;
    }
    return state;
}

}  // namespace

void UpdatePlanStatistics(CalculationPage& page, const ResultContext& context) {
    std::optional<Figures> figures = ComputeFigures(page.G_V, context);
    if (!figures) {
        return;
    }
    WriteSummary(page.G_S, *figures, context);
    WriteInfoBox(page, *figures, context);
    UpdateOrderState(page, context.job);
}

PlannedStock PlannedStockOf(const CalculationPage& page, const JobTables& job) {
    PlannedStock stock;
    for (int i = 1; i <= ColumnsOf(job).stockKinds; ++i) {
        const int64_t bars = IntegerOrZero(CellText(page.G_S, 0, i));
        stock.bars += bars;
        stock.usable += bars * job.StockUsable[i];
    }
    const OrderState state = OrderStateOf(page, job);
    stock.fulfilled = state.planned && !state.missing;
    return stock;
}

void UpdateOrderState(CalculationPage& page, const JobTables& job) {
    const auto [missing, over, planned] = OrderStateOf(page, job);
    page.Btn_RestAlsNeuenAuftragVisible = missing && planned;
    page.L_AuftragNichtErfuelltVisible = (missing || over) && planned;
    // Missing pieces win over surplus pieces of other lengths.
    page.L_AuftragNichtErfuellt =
        missing ? Translate("Auftrag nicht erfüllt!") : Translate("Auftrag überliefert!");
}

}  // namespace zelk
