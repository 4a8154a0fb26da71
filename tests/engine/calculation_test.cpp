#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>

#include "engine/calculation.h"
#include "job_builder.h"
#include "search_host_recorder.h"

namespace zelk {
namespace {

using test::RecordingHost;
using test::Shown;
using Bars = std::vector<std::string>;

constexpr SelectionLimits kNoLimits = {.KindLimit = 3, .BinLimit = 3};

class ExampleCalculation : public ::testing::Test {
protected:
    EngineCounters Run(bool totalsPending = true) {
        return RunCalculation(std::make_unique<TBearbeitung>(context_), totalsPending, 2000,
                              kNoLimits, host_);
    }

    JobTables job_ = test::ExampleJob();
    EngineContext context_{job_};
    RecordingHost host_;
};

TEST_F(ExampleCalculation, EndsWithTheBestPlanShownAfterEachPass) {
    Run();
    const std::vector<Shown> shown = host_.shown();
    ASSERT_GE(shown.size(), 3u);
    const Bars best = {"2 x 1/1/1 r0", "1 x 0/1/3 r400"};
    EXPECT_EQ(shown[shown.size() - 2].event, BestPlanEvent::PassFinished);
    EXPECT_EQ(shown.back().event, BestPlanEvent::PassFinished);
    EXPECT_EQ(shown.back().bars, best);
    EXPECT_TRUE(shown.back().fulfilled);
    EXPECT_EQ(shown.back().usedLength, 3000);  // 3 bars
    for (std::size_t i = 0; i + 2 < shown.size(); ++i) {
        EXPECT_EQ(shown[i].event, BestPlanEvent::Improvement);
    }
    EXPECT_EQ(shown[shown.size() - 3].bars, best);  // the last improvement
    EXPECT_TRUE(host_.errors().empty());
    EXPECT_EQ(context_.pool.FreeCount(), 0u);
}

TEST_F(ExampleCalculation, AStopBeforeTheFirstNodeLeavesNothingToShow) {
    host_.stop = true;
    const EngineCounters counters = Run();
    EXPECT_TRUE(host_.shown().empty());
    EXPECT_TRUE(host_.errors().empty());
    EXPECT_EQ(counters.Nodes, 2);  // each pass returns at its root
    EXPECT_EQ(counters.Candidates, 0);
}

TEST_F(ExampleCalculation, AStopInTheFirstPassEndsBothPasses) {
    host_.onShow = [this](BestPlanEvent) { host_.stop = true; };
    const EngineCounters counters = Run();
    const std::vector<Shown> shown = host_.shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].event, BestPlanEvent::Improvement);
    EXPECT_EQ(shown[1].event, BestPlanEvent::PassFinished);
    EXPECT_EQ(shown[2].event, BestPlanEvent::PassFinished);
    EXPECT_EQ(shown[1].bars, shown[0].bars);
    EXPECT_EQ(shown[2].bars, shown[0].bars);
    // Nothing was generated after the stop.
    EXPECT_EQ(counters.Candidates, shown[0].candidatesSoFar);
}

TEST_F(ExampleCalculation, AFaultEndsBothPassesAndIsShownWithItsPrefix) {
    host_.onShow = [](BestPlanEvent) { throw std::runtime_error("Ungültige Gleitkommaoperation"); };
    const EngineCounters counters = Run();
    const std::vector<Shown> shown = host_.shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].event, BestPlanEvent::Improvement);
    EXPECT_EQ(host_.errors(), std::vector<std::string>{"Es ist ein Fehler bei der Berechnung "
                                                       "aufgetreten: \r\n\r\nUngültige "
                                                       "Gleitkommaoperation"});
    EXPECT_EQ(counters.Candidates, shown[0].candidatesSoFar);
}

TEST_F(ExampleCalculation, GoesOnFromTheBarsAlreadyPlanned) {
    auto root = std::make_unique<TBearbeitung>(context_);
    root->Bars.push_back(std::make_unique<TStab>(test::Bar(1, 1000, 0, {1, 1, 1}, 2)));
    root->UpdateTotals();
    RunCalculation(std::move(root), false, 2000, kNoLimits, host_);
    EXPECT_EQ(host_.shown().back().bars, (Bars{"2 x 1/1/1 r0", "1 x 0/1/3 r400"}));
}

TEST(Calculation, APlanWithoutCandidatesIsTheBestPlanNotFulfilled) {
    const JobTables job = test::BuildJob({{0, 1000}}, {{2, 600}});
    EngineContext context(job);
    RecordingHost host;
    RunCalculation(std::make_unique<TBearbeitung>(context), true, 2000, kNoLimits, host);
    const std::vector<Shown> shown = host.shown();
    ASSERT_EQ(shown.size(), 3u);  // found once, shown again after each pass
    EXPECT_EQ(shown[0].event, BestPlanEvent::Improvement);
    for (const Shown& plan : shown) {
        EXPECT_TRUE(plan.bars.empty());
        EXPECT_FALSE(plan.fulfilled);
    }
}

TEST(Calculation, TheLimitsHoldForTheWholeRun) {
    // One bin: only patterns of a single fix length, so no bar mixes 600 with anything.
    const JobTables job = test::ExampleJob();
    EngineContext context(job);
    RecordingHost host;
    RunCalculation(std::make_unique<TBearbeitung>(context), true, 2000, {3, 1}, host);
    EXPECT_EQ(context.KindLimit, 3);
    EXPECT_EQ(context.BinLimit, 1);
    const Bars best = host.shown().back().bars;
    for (const std::string& bar : best) {
        const std::size_t pieces = bar.find(" x ") + 3;
        const std::string counts = bar.substr(pieces, 5);
        EXPECT_EQ(std::count(counts.begin(), counts.end(), '0'), 2) << bar;
    }
}

TEST(Calculation, AStopFromAnotherThreadEndsTheRun) {
    // Enough work that the search is still busy when the stop arrives.
    std::vector<test::Amount> fix;
    for (int k = 0; k < 12; ++k) {
        fix.push_back({3 + k % 4, 145000 - 9000 * k});
    }
    const JobTables job = test::BuildJob({{40, 600000}, {40, 650000}}, fix);
    EngineContext context(job);
    RecordingHost host;
    std::atomic<bool> improved{false};
    host.onShow = [&improved](BestPlanEvent) { improved = true; };

    std::atomic<bool> finished{false};
    std::thread calculation([&] {
        RunCalculation(std::make_unique<TBearbeitung>(context), true, SearchBudget(4),
                       LimitsFromChoices(11, 11), host);
        finished = true;
    });
    while (!improved && !finished) {
        std::this_thread::yield();
    }
    host.stop = true;
    calculation.join();

    const std::vector<Shown> shown = host.shown();
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back().event, BestPlanEvent::PassFinished);
    EXPECT_TRUE(host.errors().empty());
}

TEST(Calculation, LimitsComeFromTheSelectedPositions) {
    const SelectionLimits none = LimitsFromChoices(-1, -1);
    EXPECT_EQ(none.KindLimit, 0);
    EXPECT_EQ(none.BinLimit, 0);
    const SelectionLimits first = LimitsFromChoices(0, 4);
    EXPECT_EQ(first.KindLimit, 1);
    EXPECT_EQ(first.BinLimit, 5);
}

}  // namespace
}  // namespace zelk
