#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/bearbeitung.h"
#include "job_builder.h"

namespace zelk {
namespace {

using test::Bar;

std::vector<std::string> Patterns(const BarList& list) {
    return test::Describe(list, 3);
}

// The example job's root plan with its 13 generated candidates.
class ExampleCandidates : public ::testing::Test {
protected:
    void SetUp() override {
        plan_.UpdateTotals();
        plan_.GeneratePatterns(2000);
    }

    const TStab* Find(const std::string& pattern) const {
        for (const std::unique_ptr<TStab>& bar : plan_.Candidates) {
            if (test::Describe(*bar, 3) == pattern) {
                return bar.get();
            }
        }
        return nullptr;
    }

    JobTables job_ = test::ExampleJob();
    EngineContext context_{job_, {.KindLimit = 3, .BinLimit = 3}};
    TBearbeitung plan_{context_};
};

TEST_F(ExampleCandidates, AllPassTheFilterAtTheLargestLimits) {
    plan_.FilterCandidates();
    EXPECT_EQ(plan_.Candidates.size(), 13u);
}

TEST_F(ExampleCandidates, PatternValueWeighsLongerPiecesDouble) {
    // Weights 8, 4, 2: 2 bars of 600 + 300 + 100 cover 2/2, 2/3 and 2/5 of the open pieces.
    EXPECT_EQ(plan_.PatternValue(Bar(1, 1000, 0, {1, 1, 1}, 2)), 8 + 8.0L / 3 + 4.0L / 5);
    EXPECT_EQ(plan_.PatternValue(Bar(1, 1000, 0, {0, 0, 5}, 1)), 2);
    EXPECT_EQ(plan_.PatternValue(Bar(1, 1000, 0, {0, 0, 0}, 1)), 0);
}

TEST_F(ExampleCandidates, ScoresByValueAndRestThenSortsByScore) {
    plan_.FilterCandidates();
    plan_.ScoreCandidates();
    const TStab* full = Find("2 x 1/1/1 r0");
    const TStab* restHundred = Find("2 x 1/1/0 r100");
    ASSERT_TRUE(full && restHundred);
    EXPECT_NEAR(full->Score, 11.4667L, 0.00005L);  // f = 1
    EXPECT_EQ(std::trunc(full->Score * 1000), 11466);
    EXPECT_NEAR(restHundred->Score, 9.6L, 1e-15L);             // f = 0.9 of 10.6667
    EXPECT_NEAR(Find("1 x 0/0/5 r500")->Score, 1.0L, 1e-15L);  // the greatest rest: f = 0.5

    for (std::size_t i = 1; i < plan_.Candidates.size(); ++i) {
        EXPECT_GE(std::trunc(plan_.Candidates[i - 1]->Score * 1000),
                  std::trunc(plan_.Candidates[i]->Score * 1000));
    }
}

TEST_F(ExampleCandidates, SelectionKeepsTheBestByScoreThenByRestWithoutRepeats) {
    plan_.FilterCandidates();
    plan_.ScoreCandidates();
    plan_.SelectCandidates(3);
    // 0/1/5, 1/0/0 and 0/0/5 are left over; the four repeats met on the way are dropped.
    EXPECT_EQ(Patterns(plan_.Candidates),
              (std::vector<std::string>{"2 x 1/1/1 r0", "2 x 1/1/0 r100", "1 x 1/0/4 r0",
                                        "1 x 0/3/1 r0", "1 x 0/2/4 r0", "1 x 0/3/0 r100"}));
}

TEST_F(ExampleCandidates, OneBinKeepsOnlyPatternsOfASingleLength) {
    context_.BinLimit = 1;
    plan_.FilterCandidates();
    EXPECT_EQ(Patterns(plan_.Candidates),
              (std::vector<std::string>{"1 x 0/0/5 r500", "1 x 0/3/0 r100", "2 x 1/0/0 r400"}));
}

TEST_F(ExampleCandidates, TwoBinsDropOnlyThePatternsOfThreeLengths) {
    context_.BinLimit = 2;
    plan_.FilterCandidates();
    EXPECT_EQ(plan_.Candidates.size(), 11u);
    EXPECT_EQ(Find("2 x 1/1/1 r0"), nullptr);
}

TEST(FilterCandidates, FinishingAStartedLengthNeedsNoNewBin) {
    const JobTables job = test::ExampleJob();
    EngineContext context(job, {.KindLimit = 3, .BinLimit = 0});
    TBearbeitung plan(context);
    plan.Bars.push_back(std::make_unique<TStab>(Bar(1, 1000, 800, {0, 0, 2}, 1)));
    plan.UpdateTotals();  // 3 of 5 pieces of 100 open
    plan.Candidates.push_back(std::make_unique<TStab>(Bar(1, 1000, 700, {0, 0, 3}, 1)));
    plan.Candidates.push_back(std::make_unique<TStab>(Bar(1, 1000, 900, {0, 0, 1}, 1)));
    plan.FilterCandidates();
    EXPECT_EQ(Patterns(plan.Candidates), std::vector<std::string>{"1 x 0/0/3 r700"});
}

// 29 or 30 candidates, every third one carrying two fix lengths.
std::vector<std::string> FilterByKinds(std::size_t count, int kindLimit) {
    const JobTables job = test::ExampleJob();
    EngineContext context(job, {.KindLimit = kindLimit, .BinLimit = 3});
    TBearbeitung plan(context);
    plan.UpdateTotals();
    for (std::size_t i = 0; i < count; ++i) {
        plan.Candidates.push_back(std::make_unique<TStab>(i % 3 == 0 ? Bar(1, 1000, 100, {1, 1}, 1)
                                                                     : Bar(1, 1000, 400, {1}, 1)));
    }
    plan.FilterCandidates();
    return Patterns(plan.Candidates);
}

TEST(FilterCandidates, TheKindLimitAppliesOnlyFromThirtyCandidates) {
    const std::vector<std::string> kept = FilterByKinds(30, 1);
    EXPECT_EQ(kept, std::vector<std::string>(20, "1 x 1/0/0 r400"));
    EXPECT_EQ(FilterByKinds(29, 1).size(), 29u);
    EXPECT_EQ(FilterByKinds(30, 2).size(), 30u);
    EXPECT_TRUE(FilterByKinds(30, 0).empty());  // no item selected
}

TEST(ScoreCandidates, EqualRestsScoreByValueAlone) {
    const JobTables job = test::ExampleJob();
    EngineContext context(job);
    TBearbeitung plan(context);
    plan.UpdateTotals();
    plan.ScoreCandidates();  // an empty list stays empty
    EXPECT_TRUE(plan.Candidates.empty());
    plan.Candidates.push_back(std::make_unique<TStab>(Bar(1, 1000, 100, {0, 3}, 1)));
    plan.Candidates.push_back(std::make_unique<TStab>(Bar(1, 1000, 100, {1, 1}, 1)));
    plan.ScoreCandidates();
    EXPECT_EQ(plan.Candidates[0]->Score, 4 + 4.0L / 3);
    EXPECT_EQ(plan.Candidates[1]->Score, 4);
}

}  // namespace
}  // namespace zelk
