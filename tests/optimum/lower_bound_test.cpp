#include "optimum/lower_bound.h"

#include <gtest/gtest.h>

#include "optimum/exhaustive_optimum.h"
#include "optimum/random_jobs.h"

namespace zelk {
namespace {

using test::Amount;
using test::BuildJob;

LowerBound BoundOf(const JobTables& job, int kindLimit = 0) {
    return ComputeLowerBound(job, kindLimit, nullptr);
}

TEST(LowerBound, OneStockLengthRoundsUpToWholeBars) {
    // 7 pieces of 400 on bars of 1000: 2 per bar, 3.5 bars in the relaxation, 4 whole bars.
    LowerBound bound = BoundOf(BuildJob({{10, 1000}}, {{7, 400}}));
    ASSERT_TRUE(bound.orderCanBeMet);
    EXPECT_EQ(bound.usedLength, 4000);
    EXPECT_TRUE(bound.complete);
}

TEST(LowerBound, KindLimitRaisesTheBound) {
    // 600 + 400 fill a bar only when two fix lengths may share it.
    JobTables job = BuildJob({{10, 1000}}, {{3, 600}, {3, 400}});
    EXPECT_EQ(BoundOf(job).usedLength, 3000);
    // Alone: 3 bars of one 600 each, 400 x 3 on 2 bars (two per bar).
    EXPECT_EQ(BoundOf(job, 1).usedLength, 5000);
}

TEST(LowerBound, SeveralStockLengthsReachAWholeBarSum) {
    // 1400 of pieces: the bars 1000 and 500 can give 1500 at least.
    JobTables job = BuildJob({{1, 1000}, {2, 500}}, {{2, 500}, {4, 100}});
    EXPECT_EQ(BoundOf(job).usedLength, 1500);
}

TEST(LowerBound, StockThatCannotMeetTheOrderIsSaid) {
    LowerBound tooFewBars = BoundOf(BuildJob({{2, 1000}}, {{5, 400}}));
    EXPECT_FALSE(tooFewBars.orderCanBeMet);
    EXPECT_FALSE(tooFewBars.usedLength.has_value());
    LowerBound tooLong = BoundOf(BuildJob({{9, 1000}}, {{1, 1200}, {2, 300}}));
    EXPECT_FALSE(tooLong.orderCanBeMet);
    LowerBound noBars = BoundOf(BuildJob({{0, 1000}, {-3, 2000}}, {{1, 300}}));
    EXPECT_FALSE(noBars.orderCanBeMet);
}

TEST(LowerBound, KerfAndMachineLengthsCountAsTheTablesSay) {
    // Usable 1000 - 10 - 20 - 5 = 965; pieces take 325 each: two per bar, not three.
    test::Machine machine{10, 20, 5, 0};
    JobTables job = BuildJob({{10, 1000}}, {{4, 320}}, machine);
    EXPECT_EQ(BoundOf(job).usedLength, 2 * 965);
}

TEST(LowerBound, NeverAboveTheTrueOptimumOfSmallRandomJobs) {
    int equal = 0;
    int feasible = 0;
    for (unsigned seed = 0; seed < 400; ++seed) {
        test::RandomJob random = test::MakeRandomJob(seed);
        const std::optional<int64_t> optimum =
            test::ExhaustiveOptimum(random.job, random.kindLimit).Solve();
        const LowerBound bound = BoundOf(random.job, random.kindLimit);
        ASSERT_TRUE(bound.complete) << "seed " << seed;
        if (!optimum) {
            continue;  // any bound holds; the order may or may not be called unmeetable
        }
        ++feasible;
        ASSERT_TRUE(bound.orderCanBeMet) << "seed " << seed;
        ASSERT_TRUE(bound.usedLength.has_value()) << "seed " << seed;
        ASSERT_LE(*bound.usedLength, *optimum) << "seed " << seed;
        equal += *bound.usedLength == *optimum ? 1 : 0;
    }
    // The bound is also tight on most of them: a bound of 0 would pass the test above.
    EXPECT_GT(feasible, 200);
    EXPECT_GT(equal, feasible * 8 / 10);
}

}  // namespace
}  // namespace zelk
