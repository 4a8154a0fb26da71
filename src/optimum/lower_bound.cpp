#include "optimum/lower_bound.h"

namespace zelk {

namespace {

// The relaxation's bound comes out of floating point: what lies this little above a whole number
// of hundredths or bars is taken as that number, so rounding never pushes the bound up.
constexpr long double kRelativeSlack = 1e-9L;

}  // namespace

LowerBound BoundOf(const ColumnGeneration& generation, const RelaxationResult& relaxation) {
    LowerBound bound;
    bound.complete = relaxation.complete;
    if (!relaxation.orderCanBeMet) {
        bound.orderCanBeMet = false;
        return bound;
    }
    bound.usedLength = generation.RoundUpToWholeBars(relaxation.bound * (1 - kRelativeSlack));
    bound.orderCanBeMet = bound.usedLength.has_value();
    return bound;
}

LowerBound ComputeLowerBound(const JobTables& job, int kindLimit, const StopCheck& stop) {
    const CuttingJob cutting = MakeCuttingJob(job, kindLimit);
    ColumnGeneration generation(cutting);
    return BoundOf(generation, generation.Solve(stop, true));
}

}  // namespace zelk
