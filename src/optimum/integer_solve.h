// A short integer solve over the pattern pool with COIN-OR CBC: the fewest usable length of whole
// bars of the patterns found so far, below a cutoff.
#pragma once

#include <optional>
#include <vector>

#include "optimum/column_generation.h"

namespace zelk {

struct IntegerSolveLimits {
    int maxNodes = 0;
    double seconds = 0;
};

// Bars per pattern of the pool using less than cutoff usable length, or none found.
std::optional<std::vector<PatternUse>> SolveOverPool(const CuttingJob& job,
                                                     const std::vector<Pattern>& pool,
                                                     int64_t cutoff, IntegerSolveLimits limits,
                                                     const StopCheck& stop);

}  // namespace zelk
