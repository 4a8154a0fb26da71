// The lower bound and the optimum stage in zelk-cli: the JSON fields, the text under the
// Info-Box, a proven optimum ending the run, and the search's own plans unchanged by the bound.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/calculation_run.h"
#include "cli/cli_run.h"
#include "cli/stream_dialogs.h"
#include "engine/job_builder.h"
#include "optimum/triplet_job.h"
#include "result/choice_lists.h"
#include "result/result_grids.h"

namespace zelk {
namespace {

TEST(CliOptimum, WithoutTheStageTheBoundIsPrintedAndEveryPlanIsTheSearchs) {
    CliRun run = RunCli("--json --decimal-separator . " + Job("example"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    auto out = nlohmann::json::parse(run.out);
    EXPECT_EQ(out["bound"],
              nlohmann::json::parse(R"({"used_length":3000,"order_can_be_met":true})"));
    EXPECT_EQ(out["optimum"]["status"], "off");
    EXPECT_TRUE(out["optimum"]["used_length"].is_null());
    ASSERT_FALSE(out["improvements"].empty());
    for (const auto& improvement : out["improvements"]) {
        EXPECT_EQ(improvement["source"], "search");
    }
}

TEST(CliOptimum, TheTextShowsTheBoundAndTheGapUnderTheInfoBox) {
    CliRun run = RunCli("--optimum --decimal-separator , " + Job("example"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("Untergrenze Verbrauch LL  0,03 m\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Plan ist optimal (bewiesen)\n"), std::string::npos) << run.out;
    EXPECT_LT(run.out.find("Entfall"), run.out.find("Untergrenze"));
}

class CliOptimumFiles : public CliFiles {
protected:
    std::string TripletOrder() { return Write("t.zka", test::TripletOrderText()); }
    std::string Machine() { return Write("m.zkm", test::TripletMachineText()); }
};

TEST_F(CliOptimumFiles, AProvenOptimumEndsTheRun) {
    CliRun run =
        RunCli("--json --optimum --depth XS --time-limit 120 " + Machine() + " " + TripletOrder());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    auto out = nlohmann::json::parse(run.out);
    EXPECT_EQ(out["bound"]["used_length"], 20 * 100000);
    EXPECT_EQ(out["optimum"]["status"], "proven");
    EXPECT_EQ(out["optimum"]["used_length"], 20 * 100000);
    // Ended on its proof, not on the safety net of the clock; its counted work is reported.
    EXPECT_FALSE(out["optimum"]["timed_out"]);
    EXPECT_GT(out["optimum"]["work"]["pricing_rounds"].get<int>(), 0);
    EXPECT_EQ(out["best"]["used_length"], 20 * 100000);
    EXPECT_TRUE(out["stats"]["stopped"]);
    EXPECT_LT(out["stats"]["seconds"].get<double>(), 60);
    EXPECT_EQ(out["improvements"].back()["source"], "optimum");
}

TEST_F(CliOptimumFiles, WithoutTheStageTheSearchRunsOnToItsLimit) {
    CliRun run = RunCli("--json --depth XS --time-limit 2 " + Machine() + " " + TripletOrder());
    ASSERT_EQ(run.exitCode, 0) << run.err;
    auto out = nlohmann::json::parse(run.out);
    EXPECT_EQ(out["bound"]["used_length"], 20 * 100000);
    EXPECT_EQ(out["optimum"]["status"], "off");
    EXPECT_GE(out["stats"]["seconds"].get<double>(), 2);
}

TEST_F(CliOptimumFiles, StockThatCannotMeetTheOrderGivesNoBound) {
    std::string machine = Machine();
    // Two bars of 1000 for five pieces of 400.
    std::string order = Write("o.zka",
                              "ZELK_ADATA V2\r\nmm\r\nShort\r\n0\r\n0\r\n0\r\n1\r\n2\t1000\r\n"
                              "1\r\n5\t400\r\n1\r\n\t\r\n1\r\n\t\r\n\r\n\r\n\r\n");
    CliRun run = RunCli("--json --optimum " + machine + " " + order);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    auto out = nlohmann::json::parse(run.out);
    EXPECT_EQ(out["bound"],
              nlohmann::json::parse(R"({"used_length":null,"order_can_be_met":false})"));
    EXPECT_EQ(out["optimum"]["status"], "none");
    EXPECT_FALSE(out["best"]["fulfilled"]);
}

// The search's improvements with the bound computed beside it are those of the search alone.
TEST(CliOptimum, TheBoundBesideTheSearchLeavesItsPlansUnchanged) {
    const JobTables job = test::BuildJob({{40, 600000}, {40, 650000}},
                                         {{2, 241000},
                                          {3, 198500},
                                          {1, 176000},
                                          {2, 152500},
                                          {3, 131000},
                                          {2, 118000},
                                          {1, 97500},
                                          {2, 84000},
                                          {3, 66500},
                                          {2, 52000},
                                          {1, 38500},
                                          {2, 24000}},
                                         {.trimCut = 1500, .clampRest = 12000, .kerf = 400});
    const SelectionLimits limits{job.FixKinds, job.FixKinds};

    struct Recorder : SearchHost {
        bool StopRequested() override { return false; }
        void ShowBestPlan(const TBearbeitung& plan, BestPlanEvent event) override {
            if (event == BestPlanEvent::Improvement) {
                plans.push_back(RecordPlan(plan));
            }
        }
        void ShowCalcError(const std::string&) override {}
        std::vector<PlanRecord> plans;
    } alone;
    EngineContext engine(job);
    RunCalculation(std::make_unique<TBearbeitung>(engine), true, SearchBudget(2), limits, alone);

    OrderPage page;
    page.machine = {"Saw", "15", "120", "4"};
    page.order.EToleranz = "0";
    page.order.E_WastToStock = "0";
    StreamDialogs dialogs(std::cerr);
    ResultContext context{job, page, '.', ',', dialogs};
    CalculationPage calc;
    FillChoiceLists(calc, job.FixKinds, false);
    LayoutResultColumns(calc, job, page.order, '.');
    std::atomic<bool> stop{false};
    const CalculationOutcome beside = RunCliCalculation(
        {SearchBudget(2), limits, std::nullopt, false, true}, stop, nullptr, calc, context);

    ASSERT_TRUE(beside.bound.has_value());
    ASSERT_EQ(beside.improvements.size(), alone.plans.size());
    ASSERT_GE(alone.plans.size(), 3u);
    for (std::size_t i = 0; i < alone.plans.size(); ++i) {
        ASSERT_EQ(beside.improvements[i].bars.size(), alone.plans[i].bars.size());
        for (std::size_t b = 0; b < alone.plans[i].bars.size(); ++b) {
            EXPECT_TRUE(beside.improvements[i].bars[b].SamePattern(alone.plans[i].bars[b]));
            EXPECT_EQ(beside.improvements[i].bars[b].BarCount, alone.plans[i].bars[b].BarCount);
        }
        EXPECT_EQ(beside.improvements[i].source, "search");
    }
    EXPECT_LE(*beside.bound->usedLength, beside.best->usedLength);
}

}  // namespace
}  // namespace zelk
