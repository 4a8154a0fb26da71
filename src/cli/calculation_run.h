// The command line's calculation: the whole two-pass search on the job, with a time limit and a
// stop from Ctrl-C. Every plan the search puts into its best slot is kept, and each one is shown
// on the calculation page the way the window shows it.
#pragma once

#include <atomic>
#include <optional>
#include <vector>

#include "cli/plan_output.h"
#include "engine/calculation.h"
#include "result/calculation_page.h"

namespace zelk {

struct CalculationOutcome {
    std::vector<PlanRecord> improvements;  // every new best plan, in the order found
    std::optional<PlanRecord> best;
    EngineCounters counters;
    double seconds = 0;
    bool stopped = false;  // ended by the time limit or a stop request
    std::optional<std::string> fault;
};

struct CalculationSettings {
    int budget = 0;
    SelectionLimits limits;
    std::optional<double> timeLimit;
};

// Progress is told to progressOut (when given) as each better plan is found.
CalculationOutcome RunCliCalculation(const CalculationSettings& settings,
                                     const std::atomic<bool>& stopRequest,
                                     std::ostream* progressOut, CalculationPage& page,
                                     const ResultContext& context);

}  // namespace zelk
