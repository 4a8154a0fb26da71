// The least usable stock length any plan for the job can consume: the linear relaxation by column
// generation, rounded up to what whole bars on hand can reach. Never above a plan that exists.
#pragma once

#include <cstdint>
#include <optional>

#include "job/job_tables.h"
#include "optimum/column_generation.h"

namespace zelk {

struct LowerBound {
    bool orderCanBeMet = true;          // false: proven that the bars on hand cannot meet it
    std::optional<int64_t> usedLength;  // hundredths; none when the order cannot be met
    bool complete = false;              // the relaxation was solved to the end, not stopped
};

// The bound of a relaxation that was solved over the bars its column generation has on hand.
LowerBound BoundOf(const ColumnGeneration& generation, const RelaxationResult& relaxation);

// The bound for the job under the kind limit of the run (below 1: no limit).
LowerBound ComputeLowerBound(const JobTables& job, int kindLimit, const StopCheck& stop);

}  // namespace zelk
