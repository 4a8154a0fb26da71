// A first plan for the optimum to beat: first fit decreasing under the kind limit.
#pragma once

#include <optional>
#include <vector>

#include "optimum/cutting_job.h"

namespace zelk {

// Each piece, longest first, on the first open bar it fits (and whose kinds it keeps within the
// limit), else on a new bar of the longest stock length still on hand; none when a piece finds
// no bar.
std::optional<std::vector<PatternUse>> FirstFitDecreasing(const CuttingJob& job);

// The bars grouped by pattern, in the order of their first bar.
std::vector<PatternUse> GroupBars(const std::vector<Pattern>& bars);

}  // namespace zelk
