#include "cli/calculation_run.h"

#include <chrono>
#include <cstdio>

#include "base/numbers.h"
#include "base/translate.h"
#include "result/result_grids.h"

namespace zelk {

namespace {

using Clock = std::chrono::steady_clock;

class CliSearchHost : public SearchHost {
public:
    CliSearchHost(const CalculationSettings& settings, const std::atomic<bool>& stopRequest,
                  std::ostream* progressOut, CalculationPage& page, const ResultContext& context,
                  CalculationOutcome& outcome)
        : settings_(settings),
          stopRequest_(stopRequest),
          progressOut_(progressOut),
          page_(page),
          context_(context),
          outcome_(outcome) {}

    double Elapsed() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }

    bool StopRequested() override {
        bool stop =
            stopRequest_.load() || (settings_.timeLimit && Elapsed() >= *settings_.timeLimit);
        outcome_.stopped = outcome_.stopped || stop;
        return stop;
    }

    void ShowBestPlan(const TBearbeitung& plan, BestPlanEvent event) override {
        outcome_.best = RecordPlan(plan);
        ShowPlan(page_, plan, context_);
        if (event != BestPlanEvent::Improvement) {
            return;
        }
        outcome_.improvements.push_back(*outcome_.best);
        if (progressOut_) {
            ReportProgress(*outcome_.best);
        }
    }

    void ShowCalcError(const std::string& text) override { outcome_.fault = text; }

private:
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
    Clock::time_point start_ = Clock::now();
};

}  // namespace

CalculationOutcome RunCliCalculation(const CalculationSettings& settings,
                                     const std::atomic<bool>& stopRequest,
                                     std::ostream* progressOut, CalculationPage& page,
                                     const ResultContext& context) {
    CalculationOutcome outcome;
    CliSearchHost host(settings, stopRequest, progressOut, page, context, outcome);
    EngineContext engine(context.job, settings.limits);
    auto root = std::make_unique<TBearbeitung>(engine);
    outcome.counters =
        RunCalculation(std::move(root), true, settings.budget, settings.limits, host);
    outcome.seconds = host.Elapsed();
    return outcome;
}

}  // namespace zelk
