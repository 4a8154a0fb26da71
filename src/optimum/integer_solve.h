// A short integer solve over the pattern pool with COIN-OR CBC: the fewest usable length of whole
// bars of the patterns found so far, below a cutoff. Bounded by counted work only (branch-and-bound
// nodes and simplex iterations, one thread, no clock), so that the same pool gives the same answer
// on any machine.
#pragma once

#include <optional>
#include <vector>

#include "optimum/column_generation.h"

namespace zelk {

struct IntegerSolveLimits {
    int maxNodes = 0;
    // Simplex iterations over all nodes times the columns and rows of the problem (what one
    // iteration costs grows with them), checked at each node.
    int64_t maxWork = 0;
};

struct IntegerSolveResult {
    std::optional<std::vector<PatternUse>> uses;  // bars per pattern, or none found
    int nodes = 0;
    int64_t iterations = 0;
};

// Bars per pattern of the pool using less than cutoff usable length. stop ends the solve at the
// next node (a stop of the user or the stage's safety net, not part of its budget).
IntegerSolveResult SolveOverPool(const CuttingJob& job, const std::vector<Pattern>& pool,
                                 int64_t cutoff, IntegerSolveLimits limits, const StopCheck& stop);

}  // namespace zelk
