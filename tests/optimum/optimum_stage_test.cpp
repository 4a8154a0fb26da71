#include "optimum/optimum_stage.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "optimum/exhaustive_optimum.h"
#include "optimum/plan_checks.h"
#include "optimum/random_jobs.h"

namespace zelk {
namespace {

using test::BuildJob;

// Records what the stage reports; asks it to stop after a number of polls when told to.
class RecordingHost : public OptimumHost {
public:
    bool StopRequested() override {
        ++polls;
        return stopAfterPolls >= 0 && polls > stopAfterPolls;
    }
    void ShowBound(const LowerBound& shown) override {
        bound = shown;
        pollsAtBound = polls;
    }
    void ShowOptimumPlan(const std::vector<TStab>& entries, bool proven) override {
        plans.push_back(entries);
        provenShown = proven;
    }

    int stopAfterPolls = -1;
    int polls = 0;
    int pollsAtBound = -1;
    std::optional<LowerBound> bound;
    std::vector<std::vector<TStab>> plans;
    bool provenShown = false;
};

int64_t UsedLength(const std::vector<TStab>& entries) {
    int64_t used = 0;
    for (const TStab& entry : entries) {
        used += int64_t{entry.BarCount} * entry.Usable;
    }
    return used;
}

void ExpectSamePlan(const std::vector<TStab>& a, const std::vector<TStab>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_TRUE(a[i].SamePattern(b[i])) << "entry " << i;
        EXPECT_EQ(a[i].BarCount, b[i].BarCount) << "entry " << i;
    }
}

TEST(OptimumStage, FindsAndProvesTheOptimumOfTheWorkedExample) {
    // 600 x 2, 300 x 3, 100 x 5 on bars of 1000: 2 bars of 600/300/100 and one of 300/100 x 3.
    JobTables job = BuildJob({{3, 1000}}, {{2, 600}, {3, 300}, {5, 100}});
    RecordingHost host;
    OptimumOutcome outcome = RunOptimumStage(job, {{3, 3}, 10}, host);
    ASSERT_TRUE(outcome.plan.has_value());
    EXPECT_TRUE(outcome.proven);
    EXPECT_TRUE(host.provenShown);
    EXPECT_EQ(UsedLength(*outcome.plan), 3000);
    ASSERT_TRUE(host.bound.has_value());
    EXPECT_EQ(host.bound->usedLength, 3000);
    test::ExpectValidPlan(job, {3, 3}, *outcome.plan);
    // The plan ordering prefers the bar with the greatest rest as a single last entry.
    EXPECT_EQ(outcome.plan->back().BarCount, 1);
    EXPECT_EQ(outcome.plan->back().Rest, 400);
}

TEST(OptimumStage, PlansAreValidAndOptimalOnSmallRandomJobs) {
    int optimal = 0;
    int solved = 0;
    for (unsigned seed = 0; seed < 150; ++seed) {
        test::RandomJob random = test::MakeRandomJob(seed);
        const std::optional<int64_t> optimum =
            test::ExhaustiveOptimum(random.job, random.kindLimit).Solve();
        // Bins from one to plenty: the order of the entries must keep within them.
        const int bins = 1 + static_cast<int>(seed % 4);
        const SelectionLimits limits{random.kindLimit, bins};
        RecordingHost host;
        OptimumOutcome outcome = RunOptimumStage(random.job, {limits, 10}, host);
        if (!outcome.plan) {
            EXPECT_FALSE(outcome.whyNoPlan.empty()) << "seed " << seed;
            continue;
        }
        ASSERT_TRUE(optimum.has_value()) << "seed " << seed << ": a plan where none exists";
        SCOPED_TRACE("seed " + std::to_string(seed));
        test::ExpectValidPlan(random.job, limits, *outcome.plan);
        const int64_t used = UsedLength(*outcome.plan);
        ASSERT_GE(used, *optimum);
        EXPECT_EQ(outcome.proven, used == outcome.bound.usedLength);
        ++solved;
        optimal += used == *optimum ? 1 : 0;
    }
    EXPECT_GT(solved, 100);
    EXPECT_GT(optimal, solved * 9 / 10);
}

TEST(OptimumStage, TheSameJobGivesTheSamePlan) {
    // Proven within its node caps, so that no time cap decides the plan.
    JobTables job = BuildJob({{30, 1000}, {5, 900}}, {{20, 600}, {30, 300}, {50, 100}});
    RecordingHost first;
    RecordingHost second;
    OptimumOutcome a = RunOptimumStage(job, {{3, 5}, 10}, first);
    OptimumOutcome b = RunOptimumStage(job, {{3, 5}, 10}, second);
    ASSERT_TRUE(a.plan && b.plan);
    EXPECT_TRUE(a.proven);
    ExpectSamePlan(*a.plan, *b.plan);
    test::ExpectValidPlan(job, {3, 5}, *a.plan);
}

TEST(OptimumStage, WhereItsBudgetsEndItTheStageGivesTheSamePlanOnABusyMachine) {
    // Not proven: the stage ends on its dive and integer solve budgets, made small here so that
    // both bind. Once alone with a short safety net, once beside a thread that keeps the other
    // core busy and with a long one: neither net fires, and the counted work decides alone.
    JobTables job = BuildJob({{12, 1200}, {15, 1130}}, {{2, 530},
                                                        {5, 500},
                                                        {1, 460},
                                                        {3, 450},
                                                        {6, 440},
                                                        {2, 430},
                                                        {1, 410},
                                                        {4, 370},
                                                        {6, 330},
                                                        {3, 240},
                                                        {1, 210}});
    OptimumBudget budget;
    budget.diveNodes = 60;
    budget.integerNodes = 400;
    const SelectionLimits limits{2, 4};
    RecordingHost quietHost;
    const OptimumOutcome quiet = RunOptimumStage(job, {limits, 30, budget}, quietHost);
    std::atomic<bool> done{false};
    std::thread burner([&done] {
        volatile uint64_t spin = 0;
        while (!done.load()) {
            spin = spin + 1;
        }
    });
    RecordingHost busyHost;
    const OptimumOutcome busy = RunOptimumStage(job, {limits, 3000, budget}, busyHost);
    done.store(true);
    burner.join();
    ASSERT_TRUE(quiet.plan && busy.plan);
    EXPECT_FALSE(quiet.proven || busy.proven);
    EXPECT_FALSE(quiet.timedOut || busy.timedOut);
    EXPECT_GT(quiet.work.diveNodes, budget.diveNodes);
    EXPECT_GE(quiet.work.integerNodes, budget.integerNodes);
    ExpectSamePlan(*quiet.plan, *busy.plan);
    EXPECT_EQ(quiet.work.pricingRounds, busy.work.pricingRounds);
    EXPECT_EQ(quiet.work.integerIterations, busy.work.integerIterations);
    EXPECT_EQ(quietHost.plans.size(), busyHost.plans.size());
    test::ExpectValidPlan(job, limits, *quiet.plan);
}

TEST(OptimumStage, ATimedOutStageSaysSo) {
    // A safety net that fires at once: the stage ends at its first look at the clock and says
    // that it did, rather than passing off what it has as the end of its budgets.
    JobTables job = BuildJob({{12, 1200}, {15, 1130}}, {{2, 530}, {5, 500}, {6, 440}, {4, 370}});
    RecordingHost host;
    const OptimumOutcome outcome = RunOptimumStage(job, {{2, 4}, 0}, host);
    EXPECT_TRUE(outcome.timedOut);
    EXPECT_FALSE(outcome.bound.complete);
}

TEST(OptimumStage, StopsWhenAskedDuringTheStage) {
    // Many fix lengths, so that the stage has far more to do than the polls it is allowed.
    std::vector<test::Amount> fix;
    for (int k = 0; k < 40; ++k) {
        fix.push_back({3 + k % 5, 2900 - 53 * k});
    }
    JobTables job = BuildJob({{500, 6000}}, fix, {0, 0, 4, 0});
    RecordingHost host;
    host.stopAfterPolls = 3;
    OptimumOutcome outcome = RunOptimumStage(job, {{40, 40}, 60}, host);
    // Stopped before the relaxation was complete: a bound, perhaps weaker, still comes.
    ASSERT_TRUE(host.bound.has_value());
    EXPECT_FALSE(outcome.bound.complete);
    EXPECT_FALSE(outcome.proven);
    // Once stopped, the stage asks only a few more times on its way out.
    EXPECT_LT(host.polls, host.stopAfterPolls + 10);
    if (outcome.plan) {
        test::ExpectValidPlan(job, {40, 40}, *outcome.plan);
    }
}

TEST(OptimumStage, SaysWhyWhenTheStockCannotMeetTheOrder) {
    JobTables job = BuildJob({{2, 1000}}, {{5, 400}});
    RecordingHost host;
    OptimumOutcome outcome = RunOptimumStage(job, {{1, 1}, 10}, host);
    EXPECT_FALSE(outcome.plan.has_value());
    EXPECT_FALSE(outcome.bound.orderCanBeMet);
    EXPECT_EQ(outcome.whyNoPlan, "Der Lagerbestand reicht für den Auftrag nicht aus.");
}

}  // namespace
}  // namespace zelk
