#include <gtest/gtest.h>

#include <limits>

#include "engine/bearbeitung.h"
#include "job_builder.h"

namespace zelk {
namespace {

using test::Bar;
using test::BuildJob;

void AddBar(TBearbeitung& plan, const TStab& bar) {
    plan.Bars.push_back(std::make_unique<TStab>(bar));
}

TEST(UpdateTotals, AnEmptyPlanHasTheWholeOrderOpen) {
    const JobTables job = test::ExampleJob();
    EngineContext context(job);
    TBearbeitung plan(context);
    EXPECT_FALSE(plan.Fulfilled);
    plan.UpdateTotals();
    EXPECT_EQ(plan.FixOpen, job.FixCountOrig);
    EXPECT_EQ(plan.StockLeft, job.StockCountOrig);
    EXPECT_EQ(plan.TotalRest, 0);
    EXPECT_EQ(plan.UsedLength, 0);
    EXPECT_EQ(plan.PieceLength, 0);
    EXPECT_EQ(plan.RestExceptLast, 0);
    EXPECT_FALSE(plan.Fulfilled);
    EXPECT_EQ(plan.NextBarLength, 1000);

    const JobTables nothingOrdered = BuildJob({{3, 1000}}, {});
    EngineContext emptyContext(nothingOrdered);
    TBearbeitung emptyOrder(emptyContext);
    emptyOrder.UpdateTotals();
    EXPECT_TRUE(emptyOrder.Fulfilled);
}

TEST(UpdateTotals, SumsOverBarsAndBarCounts) {
    const JobTables job = test::ExampleJob();
    EngineContext context(job);
    TBearbeitung plan(context);
    AddBar(plan, Bar(1, 1000, 0, {1, 1, 1}, 2));
    AddBar(plan, Bar(1, 1000, 400, {0, 1, 3}, 1));
    plan.UpdateTotals();
    EXPECT_EQ(plan.FixOpen[1], 0);
    EXPECT_EQ(plan.FixOpen[2], 0);
    EXPECT_EQ(plan.FixOpen[3], 0);
    EXPECT_EQ(plan.StockLeft[1], 0);
    EXPECT_EQ(plan.UsedLength, 3000);
    EXPECT_EQ(plan.PieceLength, 2600);
    EXPECT_TRUE(plan.Fulfilled);
    EXPECT_EQ(plan.NextBarLength, 0);  // no bars left
}

TEST(UpdateTotals, RestExceptLastLeavesOutOnlyAFinalSingleBar) {
    const JobTables job = test::ExampleJob();
    EngineContext context(job);
    TBearbeitung single(context);
    AddBar(single, Bar(1, 1000, 300, {1}, 1));
    single.UpdateTotals();
    EXPECT_EQ(single.TotalRest, 300);
    EXPECT_EQ(single.RestExceptLast, 0);

    TBearbeitung three(context);
    AddBar(three, Bar(1, 1000, 300, {1}, 3));
    three.UpdateTotals();
    EXPECT_EQ(three.TotalRest, 300);
    EXPECT_EQ(three.RestExceptLast, 300);

    TBearbeitung two(context);
    AddBar(two, Bar(1, 1000, 50, {1}, 2));
    AddBar(two, Bar(1, 1000, 400, {0, 2}, 1));
    two.UpdateTotals();
    EXPECT_EQ(two.TotalRest, 450);
    EXPECT_EQ(two.RestExceptLast, 50);
}

TEST(UpdateTotals, NextBarLengthIsTheFirstOfTheLongestUsableStock) {
    // Equal usable lengths from different nominal lengths (the second has a shorter trim).
    JobTables job = BuildJob({{2, 600000}, {2, 600000}, {1, 500000}}, {{1, 1000}});
    job.StockUsable = {0, 588790, 588790, 400000};
    job.StockLength[2] = 599000;
    EngineContext context(job);
    TBearbeitung plan(context);
    plan.UpdateTotals();
    EXPECT_EQ(plan.NextBarLength, 600000);

    // With the first used up, the next of equal usable length takes over.
    AddBar(plan, Bar(1, 588790, 0, {}, 2));
    plan.UpdateTotals();
    EXPECT_EQ(plan.NextBarLength, 599000);

    // A longer usable length later in the list wins.
    job.StockUsable[3] = 590000;
    plan.UpdateTotals();
    EXPECT_EQ(plan.NextBarLength, 500000);
}

TEST(UpdateTotals, PiecesBeyondTheOrderLeaveItFulfilled) {
    const JobTables job = test::ExampleJob();
    EngineContext context(job);
    TBearbeitung exact(context);
    AddBar(exact, Bar(1, 1000, 0, {1, 1, 1}, 2));
    AddBar(exact, Bar(1, 1000, 400, {0, 1, 3}, 1));
    exact.UpdateTotals();

    TBearbeitung more(context);
    AddBar(more, Bar(1, 1000, 0, {1, 1, 1}, 2));
    AddBar(more, Bar(1, 1000, 300, {0, 1, 4}, 1));
    more.UpdateTotals();
    EXPECT_EQ(more.FixOpen[3], -1);
    EXPECT_TRUE(more.Fulfilled);
    EXPECT_TRUE(IsBetterPlan(more, &exact));
}

TEST(UpdateTotals, AbsurdCountsSaturateInsteadOfWrappingAround) {
    const JobTables job = BuildJob({{3, 1000}}, {{5, 100}});
    EngineContext context(job);
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

    // 60000 pieces on each of 50000 bars: 3e9 pieces, which would wrap to a positive open count.
    TBearbeitung manyPieces(context);
    AddBar(manyPieces, Bar(1, 1000, 0, {60000}, 50000));
    manyPieces.UpdateTotals();
    EXPECT_EQ(manyPieces.FixOpen[1], kMin);
    EXPECT_TRUE(manyPieces.Fulfilled);
    EXPECT_EQ(manyPieces.PieceLength, 100.0L * 60000 * 50000);
    EXPECT_EQ(manyPieces.UsedLength, 1000.0L * 50000);

    TBearbeitung negativeCount(context);
    AddBar(negativeCount, Bar(1, 1000, 2000000000, {}, kMin));
    AddBar(negativeCount, Bar(1, 1000, 2000000000, {}, 0));
    negativeCount.UpdateTotals();
    EXPECT_EQ(negativeCount.StockLeft[1], kMax);
    EXPECT_EQ(negativeCount.TotalRest, kMax);
    EXPECT_EQ(negativeCount.UsedLength, 1000.0L * kMin);
}

// Plans with chosen totals for the plan ordering.
struct Totals {
    bool fulfilled;
    long double pieceLength;
    long double usedLength;
    long double restExceptLast = 0;
    int32_t totalRest = 0;
};

class PlanOrdering : public ::testing::Test {
protected:
    bool Better(Totals plan, Totals best) { return IsBetterPlan(*Make(plan), Make(best).get()); }

    std::unique_ptr<TBearbeitung> Make(Totals totals) {
        auto plan = std::make_unique<TBearbeitung>(context_);
        plan->Fulfilled = totals.fulfilled;
        plan->PieceLength = totals.pieceLength;
        plan->UsedLength = totals.usedLength;
        plan->RestExceptLast = totals.restExceptLast;
        plan->TotalRest = totals.totalRest;
        return plan;
    }

    JobTables job_ = test::ExampleJob();
    EngineContext context_{job_};
};

TEST_F(PlanOrdering, AnyPlanBeatsNoPlan) {
    EXPECT_TRUE(IsBetterPlan(*Make({false, 0, 0}), nullptr));
}

TEST_F(PlanOrdering, MeetingTheOrderComesFirst) {
    EXPECT_TRUE(Better({true, 100, 9000}, {false, 900, 1000}));
    EXPECT_FALSE(Better({false, 900, 1000}, {true, 100, 9000}));
}

TEST_F(PlanOrdering, ThenMorePieceLength) {
    EXPECT_TRUE(Better({true, 2601, 9000}, {true, 2600, 3000}));
    EXPECT_TRUE(Better({false, 2601, 9000}, {false, 2600, 3000}));
}

TEST_F(PlanOrdering, ThenLessStockAmongFulfilledPlans) {
    EXPECT_TRUE(Better({true, 2600, 1177580}, {true, 2600, 1766370}));
    EXPECT_FALSE(Better({true, 2600, 1766370}, {true, 2600, 1177580}));
    // Unfulfilled plans that differ in consumption are never exchanged.
    EXPECT_FALSE(Better({false, 2600, 1177580}, {false, 2600, 1766370}));
    EXPECT_FALSE(Better({false, 2600, 1766370}, {false, 2600, 1177580}));
}

TEST_F(PlanOrdering, LessPieceLengthLosesAtEqualConsumption) {
    EXPECT_FALSE(Better({true, 2599, 3000, 0, 0}, {true, 2600, 3000, 500, 900}));
}

TEST_F(PlanOrdering, ThenLessRestBeforeTheLastBarThenLessTotalRest) {
    EXPECT_TRUE(Better({true, 2600, 3000, 49, 900}, {true, 2600, 3000, 50, 450}));
    EXPECT_FALSE(Better({true, 2600, 3000, 51, 0}, {true, 2600, 3000, 50, 450}));
    EXPECT_TRUE(Better({true, 2600, 3000, 50, 449}, {true, 2600, 3000, 50, 450}));
    EXPECT_TRUE(Better({false, 2600, 3000, 50, 449}, {false, 2600, 3000, 50, 450}));
}

TEST_F(PlanOrdering, AnEqualPlanDoesNotReplaceTheBest) {
    EXPECT_FALSE(Better({true, 2600, 3000, 50, 450}, {true, 2600, 3000, 50, 450}));
}

TEST(CreateCopy, CopiesTheChosenListsAndComputesTotals) {
    const JobTables job = test::ExampleJob();
    EngineContext context(job);
    TBearbeitung source(context);
    AddBar(source, Bar(1, 1000, 0, {1, 1, 1}, 2));
    source.Candidates.push_back(std::make_unique<TStab>(Bar(1, 1000, 400, {0, 1, 3}, 1)));
    source.Candidates.back()->Score = 4;
    source.IsLong[1] = true;

    auto bars = TBearbeitung::CreateCopy(source, true, false);
    EXPECT_EQ(bars->Bars.size(), 1u);
    EXPECT_NE(bars->Bars[0].get(), source.Bars[0].get());
    EXPECT_TRUE(bars->Candidates.empty());
    EXPECT_EQ(bars->FixOpen[3], 3);
    EXPECT_FALSE(bars->IsLong[1]);

    auto candidates = TBearbeitung::CreateCopy(source, false, true);
    EXPECT_TRUE(candidates->Bars.empty());
    ASSERT_EQ(candidates->Candidates.size(), 1u);
    EXPECT_EQ(candidates->Candidates[0]->Score, 4);
    EXPECT_EQ(candidates->FixOpen[3], 5);
}

}  // namespace
}  // namespace zelk
