// What every plan of the optimum stage must satisfy, checked as the search's own plans are:
// each bar fits, at most the kind limit of fix lengths per bar, no more bars than on hand, every
// fix length exactly its count, and each entry passes the engine's bin filter after those before.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "engine/bearbeitung.h"

namespace zelk::test {

inline void ExpectValidPlan(const JobTables& job, SelectionLimits limits,
                            const std::vector<TStab>& entries) {
    EngineContext context(job, limits);
    TBearbeitung plan(context);
    for (const TStab& entry : entries) {
        ASSERT_GT(entry.BarCount, 0);
        ASSERT_EQ(entry.Usable, job.StockUsable[entry.StockIndex]);
        int64_t length = 0;
        int kinds = 0;
        for (int k = 1; k <= job.FixKinds; ++k) {
            ASSERT_GE(entry.Pieces[k], 0);
            length += int64_t{entry.Pieces[k]} * job.FixEffLength[k];
            kinds += entry.Pieces[k] > 0 ? 1 : 0;
        }
        ASSERT_EQ(entry.Rest, entry.Usable - length);
        ASSERT_GE(entry.Rest, 0);
        ASSERT_LE(kinds, limits.KindLimit < 1 ? job.FixKinds : limits.KindLimit);
        // The entry must survive the filter the search applies before it takes a candidate.
        plan.UpdateTotals();
        plan.Candidates.push_back(std::make_unique<TStab>(entry));
        plan.FilterCandidates();
        ASSERT_EQ(plan.Candidates.size(), 1u) << "an entry needs more drop-off bins than there are";
        plan.Bars.push_back(std::move(plan.Candidates.front()));
        plan.Candidates.clear();
    }
    plan.UpdateTotals();
    for (int k = 1; k <= job.FixKinds; ++k) {
        EXPECT_EQ(plan.FixOpen[k], 0) << "fix length " << k;
    }
    for (int s = 1; s <= job.StockKinds; ++s) {
        EXPECT_GE(plan.StockLeft[s], std::min(0, job.StockCountOrig[s])) << "stock length " << s;
    }
}

}  // namespace zelk::test
