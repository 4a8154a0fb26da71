#include "optimum/cutting_job.h"

namespace zelk {

CuttingJob MakeCuttingJob(const JobTables& job, int kindLimit) {
    CuttingJob cutting;
    for (int s = 1; s <= job.StockKinds; ++s) {
        if (job.StockUsable[s] > 0 && job.StockCountOrig[s] > 0) {
            cutting.stock.push_back({s, job.StockUsable[s], job.StockCountOrig[s]});
        }
    }
    for (int k = 1; k <= job.FixKinds; ++k) {
        cutting.fix.push_back({k, job.FixEffLength[k], job.FixCountOrig[k]});
    }
    const int kinds = static_cast<int>(cutting.fix.size());
    cutting.kindLimit = (kindLimit < 1 || kindLimit > kinds) ? kinds : kindLimit;
    return cutting;
}

int64_t PatternLength(const CuttingJob& job, const Pattern& pattern) {
    int64_t length = 0;
    for (std::size_t k = 0; k < pattern.pieces.size(); ++k) {
        length += pattern.pieces[k] * job.fix[k].length;
    }
    return length;
}

int KindsOn(const Pattern& pattern) {
    int kinds = 0;
    for (int32_t n : pattern.pieces) {
        kinds += n > 0 ? 1 : 0;
    }
    return kinds;
}

bool PatternFits(const CuttingJob& job, const Pattern& pattern) {
    for (int32_t n : pattern.pieces) {
        if (n < 0) {
            return false;
        }
    }
    return PatternLength(job, pattern) <= job.stock[pattern.stock].usable &&
           KindsOn(pattern) <= job.kindLimit;
}

int64_t UsedLengthOf(const CuttingJob& job, const std::vector<PatternUse>& uses) {
    int64_t used = 0;
    for (const PatternUse& use : uses) {
        used += use.bars * job.stock[use.pattern.stock].usable;
    }
    return used;
}

}  // namespace zelk
