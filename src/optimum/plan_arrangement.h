// From a solution of the optimum (bars per pattern) to a plan the saw can work through: surplus
// pieces taken off, the bars grouped into entries, and the entries put in an order that keeps
// within the drop-off bins exactly as the search's candidate filter counts them. Among the orders
// found, the one the plan ordering judges best (the bar with the greatest rest as a single last
// entry where it can be).
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "engine/bearbeitung.h"
#include "optimum/cutting_job.h"

namespace zelk {

// Takes pieces beyond the order off the bars (emptied bars are dropped), so that every fix length
// gets exactly its count; the bars are grouped by pattern again.
std::vector<PatternUse> TakeOffSurplus(const CuttingJob& job, const std::vector<PatternUse>& uses);

// The bar entries of the plan in their order, or none when no order keeps within the bins.
std::optional<std::vector<TStab>> ArrangePlan(const JobTables& tables, const CuttingJob& job,
                                              SelectionLimits limits,
                                              const std::vector<PatternUse>& uses);

// A plan of the context with copies of the entries, totals computed.
std::unique_ptr<TBearbeitung> PlanFromEntries(EngineContext& context,
                                              const std::vector<TStab>& entries);

}  // namespace zelk
