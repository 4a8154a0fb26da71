#include "cli/calculation_run.h"

#include <chrono>
#include <cstdio>
#include <mutex>
#include <thread>

#include "base/numbers.h"
#include "base/translate.h"
#include "optimum/optimum_stage.h"
#include "optimum/plan_arrangement.h"
#include "optimum/shown_plan.h"
#include "result/result_grids.h"

namespace zelk {

namespace {

using Clock = std::chrono::steady_clock;

// What the search and the optimum stage share: the plan on show and the outcome, one caller at
// a time.
class SharedDisplay {
public:
    SharedDisplay(const CalculationSettings& settings, const std::atomic<bool>& stopRequest,
                  std::ostream* progressOut, CalculationPage& page, const ResultContext& context,
                  CalculationOutcome& outcome)
        : settings_(settings),
          stopRequest_(stopRequest),
          progressOut_(progressOut),
          page_(page),
          context_(context),
          outcome_(outcome),
          shown_(context.job) {}

    double Elapsed() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }

    // A stop, the end of the time limit, or a shown plan that nothing can beat.
    bool StopRequested() {
        return stopRequest_.load() || provenOptimal_.load() ||
               (settings_.timeLimit && Elapsed() >= *settings_.timeLimit);
    }

    // Shows plan when it beats the plan on show.
    void Offer(const TBearbeitung& plan, const char* source) {
        std::lock_guard lock(mutex_);
        if (!shown_.Offer(plan)) {
            return;
        }
        outcome_.best = RecordPlan(plan);
        outcome_.best->source = source;
        ShowPlan(page_, plan, context_);
        outcome_.improvements.push_back(*outcome_.best);
        if (progressOut_) {
            ReportProgress(*outcome_.best);
        }
        CheckProven();
    }

    // The end of a pass shows the plan on show once more.
    void ShowAgain() {
        std::lock_guard lock(mutex_);
        if (const TBearbeitung* current = shown_.Current()) {
            ShowPlan(page_, *current, context_);
        }
    }

    void SetBound(const LowerBound& bound) {
        std::lock_guard lock(mutex_);
        outcome_.bound = bound;
        outcome_.boundSeconds = Elapsed();
        CheckProven();
    }

    void SetFault(const std::string& text) {
        std::lock_guard lock(mutex_);
        outcome_.fault = text;
    }

private:
    void CheckProven() {
        if (settings_.optimum && shown_.ProvenOptimal(outcome_.bound)) {
            provenOptimal_.store(true);
        }
    }

    void ReportProgress(const PlanRecord& plan) {
        int64_t bars = 0;
        int64_t rest = 0;
        for (const TStab& bar : plan.bars) {
            bars += bar.BarCount;
            rest += static_cast<int64_t>(bar.BarCount) * bar.Rest;
        }
        char elapsed[32];
        std::snprintf(elapsed, sizeof elapsed, "%8.3f s: ", Elapsed());
        *progressOut_ << elapsed << Translate("Stäbe") << " " << bars << ", " << Translate("Rest")
                      << " " << FormatHundredths(rest, context_.decimalSeparator) << ", "
                      << (plan.fulfilled ? Translate("Auftrag erfüllt")
                                         : Translate("Auftrag nicht erfüllt"))
                      << std::endl;
    }

    const CalculationSettings& settings_;
    const std::atomic<bool>& stopRequest_;
    std::ostream* progressOut_;
    CalculationPage& page_;
    const ResultContext& context_;
    CalculationOutcome& outcome_;
    ShownPlan shown_;
    std::mutex mutex_;
    std::atomic<bool> provenOptimal_{false};
    Clock::time_point start_ = Clock::now();
};

class CliSearchHost : public SearchHost {
public:
    explicit CliSearchHost(SharedDisplay& display) : display_(display) {}

    bool StopRequested() override {
        stopped = stopped || display_.StopRequested();
        return stopped;
    }

    void ShowBestPlan(const TBearbeitung& plan, BestPlanEvent event) override {
        if (event == BestPlanEvent::Improvement) {
            display_.Offer(plan, "search");
        } else {
            display_.ShowAgain();
        }
    }

    void ShowCalcError(const std::string& text) override { display_.SetFault(text); }

    bool stopped = false;

private:
    SharedDisplay& display_;
};

class CliOptimumHost : public OptimumHost {
public:
    CliOptimumHost(SharedDisplay& display, const JobTables& job, SelectionLimits limits)
        : display_(display), context_(job, limits) {}

    bool StopRequested() override { return display_.StopRequested(); }

    void ShowBound(const LowerBound& bound) override { display_.SetBound(bound); }

    void ShowOptimumPlan(const std::vector<TStab>& entries, bool) override {
        display_.Offer(*PlanFromEntries(context_, entries), "optimum");
    }

private:
    SharedDisplay& display_;
    EngineContext context_;
};

OptimumReport ReportOf(const OptimumOutcome& stage, const CalculationOutcome& outcome) {
    OptimumReport report;
    report.seconds = stage.seconds;
    report.whyNoPlan = stage.whyNoPlan;
    report.timedOut = stage.timedOut;
    report.work = stage.work;
    if (stage.plan) {
        int64_t used = 0;
        for (const TStab& entry : *stage.plan) {
            used += int64_t{entry.BarCount} * entry.Usable;
        }
        report.usedLength = used;
    }
    bool shown = false;
    for (const PlanRecord& plan : outcome.improvements) {
        shown = shown || plan.source == "optimum";
    }
    report.status = stage.proven ? "proven" : shown ? "improved" : "none";
    return report;
}

}  // namespace

CalculationOutcome RunCliCalculation(const CalculationSettings& settings,
                                     const std::atomic<bool>& stopRequest,
                                     std::ostream* progressOut, CalculationPage& page,
                                     const ResultContext& context) {
    CalculationOutcome outcome;
    SharedDisplay display(settings, stopRequest, progressOut, page, context, outcome);
    CliOptimumHost optimumHost(display, context.job, settings.limits);
    OptimumOutcome stage;
    std::thread beside([&] {
        if (settings.optimum) {
            stage = RunOptimumStage(context.job, {settings.limits}, optimumHost);
        } else {
            display.SetBound(ComputeLowerBound(context.job, settings.limits.KindLimit,
                                               [&display] { return display.StopRequested(); }));
        }
    });
    CliSearchHost host(display);
    if (settings.search) {
        EngineContext engine(context.job, settings.limits);
        auto root = std::make_unique<TBearbeitung>(engine);
        outcome.counters =
            RunCalculation(std::move(root), true, settings.budget, settings.limits, host);
    }
    outcome.seconds = display.Elapsed();
    outcome.stopped = host.stopped;
    beside.join();
    if (settings.optimum) {
        outcome.optimum = ReportOf(stage, outcome);
        outcome.seconds = display.Elapsed();
    }
    return outcome;
}

}  // namespace zelk
