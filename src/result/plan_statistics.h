// The figures of a plan, computed from the text of the result grid alone so that they follow
// every edit: the summary grid G_S (planned and left per stock and fix length), the five values
// of the Info-Box, and whether the order is met.
#pragma once

#include "job/job_tables.h"
#include "result/calculation_page.h"

namespace zelk {

// Recomputes G_S and the Info-Box from G_V and the job, then the order state. The machine inputs
// are read on every update: when one is not a number, its message names the field and nothing is
// written, so the previous figures stay.
void UpdatePlanStatistics(CalculationPage& page, const ResultContext& context);

// The stock the plan of the result grid uses as its summary G_S states it, and whether it meets
// the order: what the lower bound's gap is measured on after every edit.
struct PlannedStock {
    int64_t bars = 0;
    int64_t usable = 0;      // hundredths: the planned bars times their usable lengths
    bool fulfilled = false;  // pieces are planned and no fix length has pieces open
};
PlannedStock PlannedStockOf(const CalculationPage& page, const JobTables& job);

// The warning "Auftrag nicht erfüllt!" or "Auftrag überliefert!" and the button "Restauftrag
// bilden", from the fix columns of G_S.
void UpdateOrderState(CalculationPage& page, const JobTables& job);

}  // namespace zelk
