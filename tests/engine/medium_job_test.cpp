// A medium job run through the whole calculation, with the best plan and the effort recorded from
// the straightforward engine. Any change that makes the engine faster must leave every figure as
// it is: the same candidates tried in the same order give the same nodes and the same plan.
#include <gtest/gtest.h>

#include "engine/calculation.h"
#include "job_builder.h"
#include "search_host_recorder.h"

namespace zelk {
namespace {

using Bars = std::vector<std::string>;

// Two stock lengths of 6000 and 6500 mm, twelve fix lengths from 2410 down to 240 mm; trim cut
// 15, clamp rest 120, kerf 4 mm.
JobTables MediumJob(const std::vector<int32_t>& counts) {
    const std::vector<int32_t> lengths = {241000, 198500, 176000, 152500, 131000, 118000,
                                          97500,  84000,  66500,  52000,  38500,  24000};
    std::vector<test::Amount> fix;
    for (std::size_t k = 0; k < lengths.size(); ++k) {
        fix.push_back({counts[k], lengths[k]});
    }
    return test::BuildJob({{40, 600000}, {40, 650000}}, fix,
                          {.trimCut = 1500, .clampRest = 12000, .kerf = 400});
}

struct Outcome {
    EngineCounters counters;
    std::vector<test::Shown> shown;
};

Outcome Calculate(const JobTables& job, int budget) {
    EngineContext context(job);
    test::RecordingHost host;
    Outcome outcome;
    outcome.counters = RunCalculation(std::make_unique<TBearbeitung>(context), true, budget,
                                      LimitsFromChoices(job.FixKinds - 1, job.FixKinds - 1), host);
    outcome.shown = host.shown();
    EXPECT_TRUE(host.errors().empty());
    return outcome;
}

TEST(MediumJob, SmallCountsGiveTheRecordedPlanAndEffort) {
    const JobTables job = MediumJob({2, 3, 1, 2, 3, 2, 1, 2, 3, 2, 1, 2});
    ASSERT_EQ(job.LongPieceLimit, 12722);
    const Outcome outcome = Calculate(job, SearchBudget(2));
    EXPECT_EQ(outcome.counters.Nodes, 1033);
    EXPECT_EQ(outcome.counters.Candidates, 224344);
    ASSERT_EQ(outcome.shown.size(), 5u);
    EXPECT_EQ(outcome.shown.back().bars,
              (Bars{"2 x 1/1/0/0/0/1/0/0/0/0/0/1 r3000", "1 x 0/0/0/1/3/0/0/0/0/0/1/0 r100",
                    "1 x 0/1/1/1/0/0/0/0/0/1/0/0 r5500", "1 x 0/0/0/0/0/0/1/2/3/1/0/0 r66300"}));
    EXPECT_EQ(outcome.shown.back().usedLength, 2930500);
    EXPECT_TRUE(outcome.shown.back().fulfilled);
}

TEST(MediumJob, LargerCountsGiveTheRecordedPlanAndEffort) {
    const Outcome outcome =
        Calculate(MediumJob({3, 4, 2, 4, 3, 3, 4, 2, 5, 3, 6, 4}), SearchBudget(2));
    EXPECT_EQ(outcome.counters.Nodes, 26657);
    EXPECT_EQ(outcome.counters.Candidates, 4152546);
    ASSERT_EQ(outcome.shown.size(), 5u);
    EXPECT_EQ(outcome.shown.back().bars,
              (Bars{"3 x 1/1/0/0/1/0/0/0/0/0/0/0 r14400", "1 x 0/1/2/0/0/0/0/1/0/0/0/0 r0 s2",
                    "2 x 0/0/0/2/0/1/1/0/0/0/1/1 r700", "1 x 0/0/0/0/0/1/1/0/4/0/2/1 r0",
                    "1 x 0/0/0/0/0/0/1/1/1/3/2/1 r77500"}));
    EXPECT_EQ(outcome.shown.back().usedLength, 4738800);
    EXPECT_TRUE(outcome.shown.back().fulfilled);
}

TEST(MediumJob, TheExampleJobTakesTheRecordedEffort) {
    const Outcome outcome = Calculate(test::ExampleJob(), SearchBudget(0));
    EXPECT_EQ(outcome.counters.Nodes, 94);
    EXPECT_EQ(outcome.counters.Candidates, 212);
}

}  // namespace
}  // namespace zelk
