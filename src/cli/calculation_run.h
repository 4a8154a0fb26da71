// The command line's calculation: the whole two-pass search on the job, with a time limit and a
// stop from Ctrl-C, and beside it on a thread of its own the lower bound or, when asked for, the
// optimum stage. Every plan put on show is kept, with where it came from, and shown on the
// calculation page the way the window shows it.
#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "cli/plan_output.h"
#include "engine/calculation.h"
#include "optimum/lower_bound.h"
#include "optimum/optimum_stage.h"
#include "result/calculation_page.h"

namespace zelk {

// What the optimum stage came to: "proven", "improved" (a plan of the stage was shown),
// "none", or "off" when it did not run.
struct OptimumReport {
    std::string status = "off";
    std::optional<int64_t> usedLength;  // of the stage's best plan
    double seconds = 0;
    std::string whyNoPlan;  // German: why the stage has no plan to offer
    bool timedOut = false;  // ended on its safety net of the clock, not its work budgets
    OptimumWork work;
};

struct CalculationOutcome {
    std::vector<PlanRecord> improvements;  // every new best plan, in the order shown
    std::optional<PlanRecord> best;
    EngineCounters counters;
    double seconds = 0;
    bool stopped = false;  // ended by the time limit, a stop request or a proven optimum
    std::optional<std::string> fault;
    std::optional<LowerBound> bound;
    double boundSeconds = 0;  // from the start until the bound was known
    OptimumReport optimum;
};

struct CalculationSettings {
    int budget = 0;
    SelectionLimits limits;
    std::optional<double> timeLimit;
    bool optimum = false;  // run the optimum stage beside the search
    bool search = true;    // false: the optimum stage alone
};

// Progress is told to progressOut (when given) as each better plan is found.
CalculationOutcome RunCliCalculation(const CalculationSettings& settings,
                                     const std::atomic<bool>& stopRequest,
                                     std::ostream* progressOut, CalculationPage& page,
                                     const ResultContext& context);

}  // namespace zelk
