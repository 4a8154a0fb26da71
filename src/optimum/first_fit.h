// A first plan for the optimum to beat: first fit decreasing under the kind limit.
#pragma once

#include <optional>
#include <vector>

#include "optimum/cutting_job.h"

namespace zelk {

// Each piece, longest first, on the first open bar it fits (and whose kinds it keeps within the
// limit), else on a new bar of the longest stock length still on hand; none when a piece finds
// no bar. Orders of very many pieces are left to the column generation.
std::optional<std::vector<PatternUse>> FirstFitDecreasing(const CuttingJob& job);

// Uses of the same pattern joined, in the order of their first use.
std::vector<PatternUse> MergeUses(const std::vector<PatternUse>& uses);

}  // namespace zelk
