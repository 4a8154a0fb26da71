// The bound and the gap as the user reads them under the Info-Box: "Untergrenze Verbrauch LL"
// in metres (or inches) of nominal stock length like "verplanter Verbrauch LL", and how far the
// shown plan lies above it.
#pragma once

#include <cstdint>
#include <string>

#include "job/job_tables.h"
#include "optimum/lower_bound.h"
#include "result/calculation_page.h"

namespace zelk {

// The least nominal stock length of a plan whose usable length is at least the bound: every bar
// also carries trim cut, clamp rest and kerf, and no plan has fewer bars than the bound's usable
// length over the longest usable length.
int64_t NominalBound(const JobTables& job, int64_t usableBound);

// The value beside "Untergrenze Verbrauch LL": "12,00 m" ("in." when not metres), or the message
// that the stock cannot meet the order; empty while no bound is known.
std::string BoundText(const JobTables& job, const std::optional<LowerBound>& bound, bool metres,
                      char decimalSeparator, char thousandsSeparator);

// "Plan ist optimal (bewiesen)" or "Plan liegt 3,4 % über der Untergrenze" (translated), for a
// plan that meets the order with the usable length planUsed in planBars bars; empty when there is
// nothing to say (no bound, a plan that does not meet the order, or one that keeps no kind limit
// and so lies below it).
std::string GapText(const JobTables& job, const std::optional<LowerBound>& bound, bool fulfilled,
                    long double planUsed, int64_t planBars, char decimalSeparator);

// The gap for the plan of the result grid as it now stands, after any edit, from the grid's own
// statistics; the bound was computed for boundJob. Empty unless job (the job the window holds)
// is that job and the grid's plan is for it.
std::string ResultGapText(const CalculationPage& page, const JobTables& job,
                          const JobTables& boundJob, const std::optional<LowerBound>& bound,
                          char decimalSeparator);

// What the user is told when the optimum stage has ended (translated): why it has no plan while
// the order can be met, or that it ended on its safety net of the clock; empty otherwise.
std::string StageEndText(bool hasPlan, bool orderCanBeMet, bool timedOut,
                         const std::string& whyNoPlan);

}  // namespace zelk
