// The optimum stage: beside the search, it finds a plan that uses as little stock as it can and
// proves it optimal where it reaches the lower bound. Price and branch: first fit decreasing, the
// column generation of the bound, dives that round the relaxation (all its whole parts at once,
// then one pattern at a time with a little backtracking), and a short integer solve over every
// pattern found on the way. Deterministic for a job, bounded in time, stopped by the caller's stop.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/engine_context.h"
#include "engine/stab.h"
#include "optimum/lower_bound.h"

namespace zelk {

struct OptimumSettings {
    SelectionLimits limits;
    double seconds = 10;  // the stage ends after this long at the latest
};

// Where the stage reports; its calls come from the thread the stage runs on.
class OptimumHost {
public:
    virtual ~OptimumHost() = default;
    virtual bool StopRequested() = 0;
    // The lower bound, as soon as it is known.
    virtual void ShowBound(const LowerBound& bound) = 0;
    // Each better plan of the stage: its bar entries in plan order; proven when it uses exactly
    // the bound.
    virtual void ShowOptimumPlan(const std::vector<TStab>& entries, bool proven) = 0;
};

struct OptimumOutcome {
    LowerBound bound;
    std::optional<std::vector<TStab>> plan;  // the best plan of the stage
    bool proven = false;
    std::string whyNoPlan;  // German, through the translation function when shown
    double seconds = 0;
};

OptimumOutcome RunOptimumStage(const JobTables& job, const OptimumSettings& settings,
                               OptimumHost& host);

}  // namespace zelk
