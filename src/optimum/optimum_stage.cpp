#include "optimum/optimum_stage.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "base/translate.h"
#include "optimum/first_fit.h"
#include "optimum/integer_solve.h"
#include "optimum/plan_arrangement.h"

namespace zelk {

namespace {

using Clock = std::chrono::steady_clock;

// Choices tried at each step of the one-pattern dives.
constexpr int kDiveBranches = 3;
constexpr double kIntegralTolerance = 1e-6;

// What is still to be cut after the bars fixed so far.
struct Residual {
    std::vector<int64_t> demand;
    std::vector<int64_t> stockLeft;
    std::vector<PatternUse> fixed;
    int64_t cost = 0;

    bool Done() const {
        return std::all_of(demand.begin(), demand.end(), [](int64_t open) { return open <= 0; });
    }

    // Fixes up to bars bars of the pattern (as many as are on hand); returns how many.
    int64_t Fix(const CuttingJob& job, const Pattern& pattern, int64_t bars) {
        bars = std::min(bars, stockLeft[pattern.stock]);
        if (bars <= 0) {
            return 0;
        }
        stockLeft[pattern.stock] -= bars;
        for (std::size_t k = 0; k < demand.size(); ++k) {
            demand[k] = std::max<int64_t>(0, demand[k] - pattern.pieces[k] * bars);
        }
        fixed.push_back({pattern, bars});
        cost += bars * job.stock[pattern.stock].usable;
        return bars;
    }
};

class OptimumStage {
public:
    OptimumStage(const JobTables& tables, const OptimumSettings& settings, OptimumHost& host)
        : tables_(tables),
          settings_(settings),
          host_(host),
          job_(MakeCuttingJob(tables, settings.limits.KindLimit)),
          generation_(job_),
          divePricingRounds_(
              settings.budget.divePricingWork /
              std::max<int64_t>(1, static_cast<int64_t>(job_.fix.size() * job_.stock.size()))),
          deadline_(start_ + std::chrono::duration_cast<Clock::duration>(
                                 std::chrono::duration<double>(settings.safetySeconds))) {}

    OptimumOutcome Run() {
        const std::optional<std::vector<PatternUse>> first = FirstFitDecreasing(job_);
        for (const PatternUse& use : first.value_or(std::vector<PatternUse>{})) {
            generation_.AddPattern(use.pattern);
        }
        outcome_.bound = BoundOf(generation_, generation_.Solve(interrupted_, true));
        roundsAtBound_ = generation_.PricingRounds();
        host_.ShowBound(outcome_.bound);
        target_ = outcome_.bound.usedLength;
        if (first) {
            Offer(*first);
        }
        if (!outcome_.bound.orderCanBeMet) {
            outcome_.whyNoPlan =
                TranslatedLater("Der Lagerbestand reicht für den Auftrag nicht aus.");
        } else if (!Interrupted()) {
            RoundingDive();
            int backtracks = settings_.budget.diveBacktracks;
            if (!DivesEnd()) {
                Dive(Root(), backtracks);
            }
            if (!Interrupted() && !generation_.Pool().empty()) {
                SolveIntegerProgramme();
            }
        }
        if (!outcome_.plan && outcome_.whyNoPlan.empty()) {
            outcome_.whyNoPlan = WhyNoPlan();
        }
        outcome_.seconds = std::chrono::duration<double>(Clock::now() - start_).count();
        outcome_.work.pricingRounds = generation_.PricingRounds();
        outcome_.work.diveNodes = diveNodes_;
        outcome_.work.patterns = static_cast<int64_t>(generation_.Pool().size());
        return outcome_;
    }

private:
    std::string WhyNoPlan() const {
        if (binsRefused_) {
            return TranslatedLater("Keine Reihenfolge der Stäbe kommt mit den Ablagefächern aus.");
        }
        return outcome_.timedOut ? TranslatedLater("Die Optimumsuche hat ihre Zeitgrenze erreicht.")
                                 : TranslatedLater("Kein Plan gefunden.");
    }

    // Ends every step: a proven plan, the caller's stop, or the safety net of the clock.
    bool Interrupted() {
        if (!outcome_.proven && !outcome_.timedOut && Clock::now() >= deadline_) {
            outcome_.timedOut = true;
        }
        return outcome_.proven || outcome_.timedOut || host_.StopRequested();
    }

    // Ends the dives: an interruption or their work budget spent.
    bool DivesEnd() {
        return Interrupted() || diveNodes_ > settings_.budget.diveNodes ||
               generation_.PricingRounds() - roundsAtBound_ > divePricingRounds_;
    }

    Residual Root() const {
        Residual root;
        for (const FixKind& fix : job_.fix) {
            root.demand.push_back(fix.count);
        }
        for (const StockKind& stock : job_.stock) {
            root.stockLeft.push_back(stock.count);
        }
        return root;
    }

    // Takes the solution as the stage's plan when it uses less stock than the plan so far and
    // its entries can be put in an order within the bins.
    void Offer(const std::vector<PatternUse>& uses) {
        std::vector<PatternUse> exact = TakeOffSurplus(job_, uses);
        const int64_t cost = UsedLengthOf(job_, exact);
        if (cost >= incumbent_) {
            return;
        }
        std::optional<std::vector<TStab>> entries =
            ArrangePlan(tables_, job_, settings_.limits, exact);
        if (!entries) {
            binsRefused_ = true;
            return;
        }
        incumbent_ = cost;
        outcome_.plan = std::move(entries);
        outcome_.proven = target_ && cost == *target_;
        host_.ShowOptimumPlan(*outcome_.plan, outcome_.proven);
    }

    // The relaxation of what is left; none when it cannot lead below the plan so far.
    std::optional<RelaxationResult> Relax(const Residual& state) {
        generation_.SetResidual(state.demand, state.stockLeft);
        RelaxationResult relaxation = generation_.Solve(divesEnd_, false);
        if (!relaxation.complete || !relaxation.orderCanBeMet) {
            return std::nullopt;
        }
        const LowerBound bound = BoundOf(generation_, relaxation);
        if (!bound.usedLength || state.cost + *bound.usedLength >= incumbent_) {
            return std::nullopt;
        }
        return relaxation;
    }

    // Residual rounding: fix the whole parts of the relaxation, solve what is left, repeat; where
    // nothing is whole, fix one bar of the pattern the relaxation uses most.
    void RoundingDive() {
        Residual state = Root();
        while (!state.Done()) {
            if (DivesEnd()) {
                return;
            }
            std::optional<RelaxationResult> relaxation = Relax(state);
            if (!relaxation) {
                return;
            }
            const std::vector<Pattern>& pool = generation_.Pool();
            int64_t fixedNow = 0;
            for (std::size_t j = 0; j < pool.size(); ++j) {
                const auto whole =
                    static_cast<int64_t>(std::floor(relaxation->bars[j] + kIntegralTolerance));
                if (whole > 0) {
                    fixedNow += state.Fix(job_, pool[j], whole);
                }
            }
            if (fixedNow == 0) {
                const auto most =
                    std::max_element(relaxation->bars.begin(), relaxation->bars.end());
                if (most == relaxation->bars.end() || *most <= kIntegralTolerance ||
                    state.Fix(job_, pool[most - relaxation->bars.begin()], 1) == 0) {
                    return;
                }
            }
        }
        Offer(state.fixed);
    }

    // One pattern at a time: the pattern whose share lies nearest above a whole number is fixed
    // at that number; a few other choices are tried where the first leads nowhere.
    void Dive(Residual state, int& backtracks) {
        ++diveNodes_;
        if (DivesEnd()) {
            return;
        }
        if (state.Done()) {
            Offer(state.fixed);
            return;
        }
        std::optional<RelaxationResult> relaxation = Relax(state);
        if (!relaxation) {
            return;
        }
        std::vector<std::pair<double, int>> choices;  // (distance to the next whole number, j)
        for (std::size_t j = 0; j < relaxation->bars.size(); ++j) {
            const double x = relaxation->bars[j];
            if (x > kIntegralTolerance) {
                choices.emplace_back(std::ceil(x - kIntegralTolerance) - x, static_cast<int>(j));
            }
        }
        std::sort(choices.begin(), choices.end());
        int tried = 0;
        for (const auto& [distance, j] : choices) {
            if (tried == kDiveBranches || (tried > 0 && backtracks-- <= 0)) {
                return;
            }
            const Pattern pattern = generation_.Pool()[j];
            const auto bars =
                static_cast<int64_t>(std::ceil(relaxation->bars[j] - kIntegralTolerance));
            Residual child = state;
            if (child.Fix(job_, pattern, std::max<int64_t>(1, bars)) == 0) {
                continue;
            }
            ++tried;
            Dive(std::move(child), backtracks);
            if (DivesEnd()) {
                return;
            }
        }
    }

    void SolveIntegerProgramme() {
        const IntegerSolveResult solved = SolveOverPool(
            job_, generation_.Pool(), incumbent_,
            {settings_.budget.integerNodes, settings_.budget.integerWork}, interrupted_);
        outcome_.work.integerNodes = solved.nodes;
        outcome_.work.integerIterations = solved.iterations;
        if (solved.uses && Covers(*solved.uses)) {
            Offer(*solved.uses);
        }
    }

    // Every fix length gets at least its count; summed per fix length, without a table of counts.
    bool Covers(const std::vector<PatternUse>& uses) const {
        for (std::size_t k = 0; k < job_.fix.size(); ++k) {
            int64_t cut = 0;
            for (const PatternUse& use : uses) {
                cut += use.pattern.pieces[k] * use.bars;
            }
            if (cut < job_.fix[k].count) {
                return false;
            }
        }
        return true;
    }

    const JobTables& tables_;
    const OptimumSettings& settings_;
    OptimumHost& host_;
    CuttingJob job_;
    ColumnGeneration generation_;
    int64_t divePricingRounds_;
    Clock::time_point start_ = Clock::now();
    Clock::time_point deadline_;
    const StopCheck interrupted_ = [this] { return Interrupted(); };
    const StopCheck divesEnd_ = [this] { return DivesEnd(); };
    int64_t roundsAtBound_ = 0;
    OptimumOutcome outcome_;
    int64_t incumbent_ = INT64_MAX;
    std::optional<int64_t> target_;
    bool binsRefused_ = false;
    int diveNodes_ = 0;
};

}  // namespace

OptimumOutcome RunOptimumStage(const JobTables& job, const OptimumSettings& settings,
                               OptimumHost& host) {
    OptimumStage stage(job, settings, host);
    return stage.Run();
}

}  // namespace zelk
