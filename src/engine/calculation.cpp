#include "engine/calculation.h"

#include <array>
#include <exception>

#include "base/translate.h"

namespace zelk {

namespace {

constexpr int kWidth = 4;

void ShowFault(SearchHost& host, const std::exception& fault) {
    host.ShowCalcError(CalcErrorText(fault.what()));
}

}  // namespace

int SearchBudget(int depthItemIndex) {
    constexpr std::array<int, 5> budgets = {2000, 10000, 20000, 50000, 200000};
    if (depthItemIndex < 0 || depthItemIndex >= static_cast<int>(budgets.size())) {
        return budgets[0];
    }
    return budgets[depthItemIndex];
}

std::string CalcErrorText(const std::string& faultText) {
    return Translate("Es ist ein Fehler bei der Berechnung aufgetreten: ") + "\r\n\r\n" + faultText;
}

EngineCounters RunCalculation(std::unique_ptr<TBearbeitung> root, bool totalsPending, int budget,
                              SelectionLimits limits, SearchHost& host) {
    EngineContext& context = root->Context();
    context.KindLimit = limits.KindLimit;
    context.BinLimit = limits.BinLimit;
    context.counters = {};
    context.selections.Clear();  // the job or the limits may have changed since the last run

    if (totalsPending) {
        try {
            root->UpdateTotals();
        } catch (const std::exception& fault) {
            ShowFault(host, fault);
            return context.counters;
        }
    }

    std::unique_ptr<TBearbeitung> best;
    try {
        for (const bool narrow : {true, false}) {
            root->Search(host, narrow, kWidth, budget, best);
            if (best) {
                host.ShowBestPlan(*best, BestPlanEvent::PassFinished);
            }
        }
    } catch (const std::exception& fault) {
        ShowFault(host, fault);
    }
    context.pool.ClearBarPool();  // the bars of this run are of no use to the next one
    return context.counters;
}

}  // namespace zelk
