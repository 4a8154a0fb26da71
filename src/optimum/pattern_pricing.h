// The pricing step of the column generation: for one stock kind, the pattern whose pieces are
// worth the most at given values per piece. A bounded knapsack with at most the kind limit of fix
// lengths per bar, solved exactly (dynamic programming over the lengths divided by their greatest
// common divisor, or branch and bound where the kind limit can bind).
#pragma once

#include <cstdint>
#include <vector>

#include "optimum/cutting_job.h"

namespace zelk {

struct PricedPattern {
    Pattern pattern;
    double value = 0;       // worth of the pattern found
    double upperBound = 0;  // no pattern of the stock kind is worth more (above value only when
                            // the branch and bound ran out of nodes)
};

// The most valuable pattern of each of the stock kinds (positions in job.stock). values: worth
// of one piece of each fix kind; maxPieces: pieces of each fix kind a pattern may carry at most.
// Without a binding kind limit one table over the longest bar serves every stock kind.
std::vector<PricedPattern> MostValuablePatterns(const CuttingJob& job,
                                                const std::vector<int>& stocks,
                                                const std::vector<double>& values,
                                                const std::vector<int64_t>& maxPieces);

}  // namespace zelk
