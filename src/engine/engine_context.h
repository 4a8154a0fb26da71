// What the plans of one calculation share: the job they are cut for, the bar pool, the storage
// of the candidates, the two machine limits and the effort counters. Every plan holds a reference
// to its context, so the engine needs no process-wide state and tests can build as many jobs as
// they like.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/bar_pool.h"
#include "engine/candidate_arena.h"
#include "engine/selection_memo.h"
#include "engine/sort_helper.h"
#include "job/job_tables.h"

namespace zelk {

// "Kürzen bis" and "Ablagefächer": the selected position + 1, so no selection (-1) gives 0.
struct SelectionLimits {
    int KindLimit = 0;  // fix lengths one bar may carry
    int BinLimit = 0;   // fix lengths that may be in progress at once (one drop-off bin each)
};

SelectionLimits LimitsFromChoices(int kindItemIndex, int binItemIndex);

// The effort of a calculation, for statistics: deterministic, unlike timings.
struct EngineCounters {
    int64_t Nodes = 0;       // calls of the search
    int64_t Candidates = 0;  // candidate patterns generated
};

struct EngineContext {
    explicit EngineContext(const JobTables& jobTables, SelectionLimits limits = {})
        : job(jobTables), KindLimit(limits.KindLimit), BinLimit(limits.BinLimit) {}

    EngineContext(const EngineContext&) = delete;
    EngineContext& operator=(const EngineContext&) = delete;

    const JobTables& job;
    BarPool pool;
    CandidateArena candidates;  // the candidates of the latest pattern generation
    SelectionMemo selections;   // the search's selections by state, of the current calculation
    // The rest order of the latest long candidate list, sorted by the helper ahead of need.
    std::vector<int32_t> restsAhead;
    std::vector<uint32_t> restOrderAhead;
    SortHelper sortHelper;  // a second thread for sorting long candidate lists; declared after
                            // what its tasks use, so it ends them before that goes
    int KindLimit;
    int BinLimit;
    EngineCounters counters;
};

}  // namespace zelk
