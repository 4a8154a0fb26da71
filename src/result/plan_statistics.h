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

// The warning "Auftrag nicht erfüllt!" or "Auftrag überliefert!" and the button "Restauftrag
// bilden", from the fix columns of G_S.
void UpdateOrderState(CalculationPage& page, const JobTables& job);

}  // namespace zelk
