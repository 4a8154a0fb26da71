#include "optimum/bound_text.h"

#include <cmath>

#include "base/errors.h"
#include "base/numbers.h"
#include "base/translate.h"
#include "result/plan_statistics.h"
#include "result/result_grids.h"

namespace zelk {

namespace {

// Trim cut, clamp rest and kerf: what each bar has beyond its usable length.
int64_t MachineLengthPerBar(const JobTables& job) {
    return job.StockKinds > 0 ? int64_t{job.StockLength[1]} - job.StockUsable[1] : 0;
}

int64_t LongestUsable(const JobTables& job) {
    int64_t longest = 0;
    for (int s = 1; s <= job.StockKinds; ++s) {
        if (job.StockCountOrig[s] > 0) {
            longest = std::max<int64_t>(longest, job.StockUsable[s]);
        }
    }
    return longest;
}

}  // namespace

int64_t NominalBound(const JobTables& job, int64_t usableBound) {
    const int64_t longest = LongestUsable(job);
    const int64_t bars = longest > 0 ? (usableBound + longest - 1) / longest : 0;
    return usableBound + bars * MachineLengthPerBar(job);
}

std::string BoundText(const JobTables& job, const std::optional<LowerBound>& bound, bool metres,
                      char decimalSeparator, char thousandsSeparator) {
    if (!bound) {
        return {};
    }
    if (!bound->orderCanBeMet || !bound->usedLength) {
        return Translate("Der Lagerbestand reicht für den Auftrag nicht aus.");
    }
    return FormatTwoDecimals(NominalBound(job, *bound->usedLength), metres ? 100000 : 100,
                             decimalSeparator, thousandsSeparator) +
           (metres ? " m" : " in.");
}

std::string GapText(const JobTables& job, const std::optional<LowerBound>& bound, bool fulfilled,
                    long double planUsed, int64_t planBars, char decimalSeparator) {
    if (!bound || !bound->usedLength || !fulfilled || planUsed < *bound->usedLength) {
        return {};
    }
    if (planUsed == *bound->usedLength) {
        return Translate("Plan ist optimal (bewiesen)");
    }
    const long double nominal =
        planUsed + static_cast<long double>(planBars) * MachineLengthPerBar(job);
    const long double least = NominalBound(job, *bound->usedLength);
    // Rounded up to a tenth, so that a plan above the bound never reads 0,0 %.
    const auto tenths =
        std::max<int64_t>(1, std::llround(std::ceil((nominal - least) / least * 1000 - 1e-9L)));
    const std::string percent =
        std::to_string(tenths / 10) + decimalSeparator + std::to_string(tenths % 10);
    return Insert(Translate("Plan liegt %s über der Untergrenze"), {percent + " %"});
}

std::string ResultGapText(const CalculationPage& page, const JobTables& job,
                          const JobTables& boundJob, const std::optional<LowerBound>& bound,
                          char decimalSeparator) {
    if (!(job == boundJob) || PlanIsForEarlierOrder(page, job)) {
        return {};
    }
    const PlannedStock stock = PlannedStockOf(page, job);
    return GapText(job, bound, stock.fulfilled, stock.usable, stock.bars, decimalSeparator);
}

std::string StageEndText(bool hasPlan, bool orderCanBeMet, bool timedOut,
                         const std::string& whyNoPlan) {
    if (!hasPlan && orderCanBeMet && !whyNoPlan.empty()) {
        return Translate(whyNoPlan);
    }
    return timedOut ? Translate("Die Optimumsuche hat ihre Zeitgrenze erreicht.") : std::string();
}

}  // namespace zelk
