// The optimum stage: beside the search, it finds a plan that uses as little stock as it can and
// proves it optimal where it reaches the lower bound. Price and branch: first fit decreasing, the
// column generation of the bound, dives that round the relaxation (all its whole parts at once,
// then one pattern at a time with a little backtracking), and a short integer solve over every
// pattern found on the way. Every step that shapes the plan is bounded by counted work (pricing
// rounds, dive nodes, branch-and-bound nodes and simplex iterations), so the same job gives the
// same plan on a fast machine and a loaded one; a cap on the clock on the wall only guards against
// a job far beyond what the budgets were made for. Stopped by the caller's stop.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/engine_context.h"
#include "engine/stab.h"
#include "optimum/lower_bound.h"

namespace zelk {

// The stage's work budgets, counted in steps rather than seconds. The dives: the relaxations the
// one-pattern dives solve, how many of their steps may be taken back, and their pricing beyond the
// bound's own, in knapsacks over one fix kind (a pricing round solves one per stock kind over every
// fix kind). Where the optimum lies above the bound the dives cannot reach it, and these end them.
// The integer solve: its nodes, and its simplex iterations times the columns and rows of the
// problem. The defaults keep the stage to a few seconds on jobs up to the program's limits.
struct OptimumBudget {
    int diveNodes = 3000;
    int diveBacktracks = 200;
    int64_t divePricingWork = 3000000;
    int integerNodes = 100000;
    int64_t integerWork = 20000000;
};

struct OptimumSettings {
    SelectionLimits limits;
    // The safety net: the stage ends after this long at the latest. Its work budgets normally end
    // it long before; when the net fires, the outcome says so.
    double safetySeconds = 60;
    OptimumBudget budget{};
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

// The counted work the stage did.
struct OptimumWork {
    int64_t pricingRounds = 0;  // restricted LPs solved and priced, the bound's included
    int64_t patterns = 0;       // in the shared pool at the end
    int diveNodes = 0;          // relaxations of the one-pattern dives
    int integerNodes = 0;       // branch-and-bound nodes of the integer solve
    int64_t integerIterations = 0;
};

struct OptimumOutcome {
    LowerBound bound;
    std::optional<std::vector<TStab>> plan;  // the best plan of the stage
    bool proven = false;
    // Ended on the safety net of the clock rather than its work budgets: the plan may then
    // depend on the machine's speed.
    bool timedOut = false;
    std::string whyNoPlan;  // German, through the translation function when shown
    double seconds = 0;
    OptimumWork work;
};

OptimumOutcome RunOptimumStage(const JobTables& job, const OptimumSettings& settings,
                               OptimumHost& host);

}  // namespace zelk
