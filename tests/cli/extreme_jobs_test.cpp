// The extreme jobs of the benchmark at the smallest depth and a short time limit: each ends
// quickly with a plan that is possible, or with no bars when nothing fits, and nothing overflows
// on the way (the sanitizer builds fail at the first signed overflow).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <map>
#include <string>

#include "cli/calculation_run.h"
#include "files/data_files.h"
#include "job/read_job.h"
#include "result/choice_lists.h"
#include "result/result_grids.h"

namespace zelk {
namespace {

class SilentDialogs : public Dialogs {
public:
    std::vector<std::string> shown;
    void ShowMessage(const std::string& text) override { shown.push_back(text); }
    bool Confirm(const std::string&, const std::string&, const std::string&,
                 const std::string&) override {
        return true;
    }
    void ShowError(const std::string& text) override { shown.push_back(text); }
};

// The search runs into this limit on the largest job; a sanitized build is many times slower.
#ifdef ZELK_SLOW_BUILD
constexpr double kTimeLimit = 30.0;
#else
constexpr double kTimeLimit = 1.0;
#endif

struct ExtremeRun {
    JobTables job;
    CalculationOutcome outcome;
    double seconds = 0;
};

ExtremeRun RunExtremeJob(const std::string& name) {
    const std::string base = std::string(ZELK_BENCH_JOBS) + "/../extreme/" + name;
    SilentDialogs dialogs;
    OrderPage page;
    ExtremeRun run;
    LoadMachineFile(page, base + ".zkm", dialogs);
    LoadOrderFile(page, base + ".zka", dialogs);
    std::string caption;
    ReadJob(page, '.', dialogs, run.job, caption);
    CalculationPage calc;
    FillChoiceLists(calc, run.job.FixKinds, false);
    LayoutResultColumns(calc, run.job, page.order, '.');
    const ResultContext context{run.job, page, '.', ',', dialogs};
    const CalculationSettings settings{
        SearchBudget(0),
        {calc.CB_KBIS.itemIndex + 1, calc.cb_ablageplaetze.itemIndex + 1},
        kTimeLimit};
    std::atomic<bool> noStop{false};
    const auto start = std::chrono::steady_clock::now();
    run.outcome = RunCliCalculation(settings, noStop, nullptr, calc, context);
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return run;
}

// Every bar of the plan holds what fits on it, and no stock length is used more often than there
// are bars of it; counted in 64 bits, as the counts may be the largest a job holds.
void ExpectPossiblePlan(const ExtremeRun& run) {
    ASSERT_TRUE(run.outcome.best.has_value());
    std::map<int, int64_t> barsUsed;
    for (const TStab& bar : run.outcome.best->bars) {
        ASSERT_GE(bar.StockIndex, 1);
        ASSERT_LE(bar.StockIndex, run.job.StockKinds);
        EXPECT_GT(bar.BarCount, 0);
        EXPECT_GE(bar.Rest, 0);
        int64_t taken = 0;
        for (int k = 1; k <= run.job.FixKinds; ++k) {
            EXPECT_GE(bar.Pieces[k], 0);
            taken += int64_t{bar.Pieces[k]} * run.job.FixEffLength[k];
        }
        EXPECT_LE(taken, int64_t{run.job.StockUsable[bar.StockIndex]});
        barsUsed[bar.StockIndex] += bar.BarCount;
    }
    for (const auto& [stock, used] : barsUsed) {
        EXPECT_LE(used, int64_t{run.job.StockCountOrig[stock]}) << "stock " << stock;
    }
}

TEST(ExtremeJob, EightyStockAndEightyFixLengthsGiveAPlanWithinTheLimit) {
    const ExtremeRun run = RunExtremeJob("80x80");
    EXPECT_EQ(run.job.StockKinds, 80);
    EXPECT_EQ(run.job.FixKinds, 80);
    EXPECT_FALSE(run.outcome.fault) << *run.outcome.fault;
    EXPECT_LT(run.seconds, kTimeLimit + 4.0);
    ExpectPossiblePlan(run);
    EXPECT_FALSE(run.outcome.best->bars.empty());
}

TEST(ExtremeJob, TheLargestCountsAndLengthsGiveAPossiblePlan) {
    for (const char* name : {"largest-counts", "longest-lengths"}) {
        SCOPED_TRACE(name);
        const ExtremeRun run = RunExtremeJob(name);
        EXPECT_FALSE(run.outcome.fault) << *run.outcome.fault;
        EXPECT_LT(run.seconds, kTimeLimit + 4.0);
        ExpectPossiblePlan(run);
        EXPECT_FALSE(run.outcome.best->bars.empty());
    }
    EXPECT_EQ(RunExtremeJob("largest-counts").job.FixCountOrig[1], 2147483647);
    EXPECT_EQ(RunExtremeJob("longest-lengths").job.StockLength[1], 2147483647);
}

TEST(ExtremeJob, WhereNothingFitsThePlanHasNoBarsAndIsNotMet) {
    for (const char* name : {"kerf-wider-than-bars", "nothing-fits"}) {
        SCOPED_TRACE(name);
        const ExtremeRun run = RunExtremeJob(name);
        EXPECT_FALSE(run.outcome.fault) << *run.outcome.fault;
        EXPECT_LT(run.seconds, kTimeLimit + 4.0);
        if (run.outcome.best) {
            EXPECT_TRUE(run.outcome.best->bars.empty());
            EXPECT_FALSE(run.outcome.best->fulfilled);
        }
    }
}

}  // namespace
}  // namespace zelk
