// The job as the optimum sees it: the stock lengths that can give bars and the fix lengths with
// their counts, all in exact hundredths, and the patterns cut from them.
#pragma once

#include <compare>
#include <cstdint>
#include <vector>

#include "job/job_tables.h"

namespace zelk {

struct StockKind {
    int index = 0;       // stock entry in the job tables, 1 .. StockKinds
    int64_t usable = 0;  // usable length of one bar, > 0
    int64_t count = 0;   // bars on hand, > 0
};

struct FixKind {
    int index = 0;       // fix entry in the job tables, 1 .. FixKinds
    int64_t length = 0;  // what one piece takes from a bar (effective length)
    int64_t count = 0;   // pieces ordered
};

struct CuttingJob {
    std::vector<StockKind> stock;  // only stock lengths with bars on hand and usable length
    std::vector<FixKind> fix;      // every fix length of the job, longest first
    int kindLimit = 0;             // fix lengths one bar may carry, 1 .. fix.size()
};

// The job of the tables under the kind limit of the run; a limit below 1 or beyond the number of
// fix lengths means no limit.
CuttingJob MakeCuttingJob(const JobTables& job, int kindLimit);

// One bar's pieces: the stock kind (position in CuttingJob::stock) and the pieces of each fix kind
// (positions in CuttingJob::fix).
struct Pattern {
    int stock = 0;
    std::vector<int32_t> pieces;

    auto operator<=>(const Pattern&) const = default;
};

int64_t PatternLength(const CuttingJob& job, const Pattern& pattern);
int KindsOn(const Pattern& pattern);
// Fits on its bar and keeps the kind limit.
bool PatternFits(const CuttingJob& job, const Pattern& pattern);

// How many bars of which pattern: a plan for the job, before it is arranged.
struct PatternUse {
    Pattern pattern;
    int64_t bars = 0;
};

// The usable stock length the bars consume.
int64_t UsedLengthOf(const CuttingJob& job, const std::vector<PatternUse>& uses);

}  // namespace zelk
