#include "optimum/plan_arrangement.h"

#include <algorithm>
#include <map>

#include "optimum/first_fit.h"

namespace zelk {

namespace {

// Orders tried per arrangement before it is given up.
constexpr int kMaxOrderNodes = 4000;

TStab EntryOf(const JobTables& tables, const CuttingJob& job, const PatternUse& use) {
    const StockKind& stock = job.stock[use.pattern.stock];
    TStab bar(stock.index, static_cast<int32_t>(stock.usable));
    for (std::size_t k = 0; k < use.pattern.pieces.size(); ++k) {
        bar.AddPieces(tables, job.fix[k].index, use.pattern.pieces[k]);
    }
    bar.BarCount = static_cast<int32_t>(use.bars);
    return bar;
}

// A depth-first search for an order of the entries in which every entry passes the bin filter
// after those before it. Each step asks the engine's own filter which entries may come next.
class EntryOrder {
public:
    EntryOrder(const JobTables& tables, SelectionLimits limits, bool barByBar)
        : context_(tables, limits), barByBar_(barByBar) {}

    std::optional<std::vector<TStab>> Find(std::vector<TStab> entries, std::optional<TStab> last) {
        remaining_ = std::move(entries);
        last_ = std::move(last);
        placed_.clear();
        nodes_ = 0;
        if (!Place()) {
            return std::nullopt;
        }
        if (last_) {
            placed_.push_back(*last_);
        }
        return placed_;
    }

private:
    std::unique_ptr<TBearbeitung> PlacedPlan() { return PlanFromEntries(context_, placed_); }

    // The positions in remaining_ (or the last bar, as -1) that the filter lets come next.
    std::vector<int> Allowed(TBearbeitung& plan, bool lastOnly) {
        for (std::size_t i = 0; i < remaining_.size() && !lastOnly; ++i) {
            plan.Candidates.push_back(std::make_unique<TStab>(remaining_[i]));
            plan.Candidates.back()->Score = static_cast<long double>(i);
        }
        if (lastOnly) {
            plan.Candidates.push_back(std::make_unique<TStab>(*last_));
            plan.Candidates.back()->Score = -1;
        }
        plan.FilterCandidates();
        std::vector<int> allowed;
        for (const std::unique_ptr<TStab>& candidate : plan.Candidates) {
            allowed.push_back(static_cast<int>(candidate->Score));
        }
        plan.ClearCandidates();
        return allowed;
    }

    // Fix lengths left started and not finished once all bars of the entry are cut.
    int InProgressAfter(const TBearbeitung& plan, const TStab& entry) const {
        const JobTables& job = context_.job;
        const int64_t bars = barByBar_ ? 1 : entry.BarCount;
        int open = 0;
        for (int k = 1; k <= job.FixKinds; ++k) {
            const int64_t left = plan.FixOpen[k] - entry.Pieces[k] * bars;
            open += (left > 0 && left < job.FixCountOrig[k]) ? 1 : 0;
        }
        return open;
    }

    bool Place() {
        if (++nodes_ > kMaxOrderNodes) {
            return false;
        }
        std::unique_ptr<TBearbeitung> plan = PlacedPlan();
        if (remaining_.empty()) {
            return !last_ || !Allowed(*plan, true).empty();
        }
        std::vector<int> allowed = Allowed(*plan, false);
        std::vector<std::pair<int, int>> ranked;  // (fix lengths left in progress, position)
        for (int i : allowed) {
            ranked.emplace_back(InProgressAfter(*plan, remaining_[i]), i);
        }
        std::sort(ranked.begin(), ranked.end());
        for (const auto& [open, i] : ranked) {
            if (Try(i)) {
                return true;
            }
            if (nodes_ > kMaxOrderNodes) {
                return false;
            }
        }
        return false;
    }

    // Places the entry at position i (one bar of it when going bar by bar) and goes on.
    bool Try(int i) {
        TStab entry = remaining_[i];
        const int32_t bars = barByBar_ ? 1 : entry.BarCount;
        const bool joins = !placed_.empty() && placed_.back().SamePattern(entry);
        if (joins) {
            placed_.back().BarCount += bars;
        } else {
            placed_.push_back(entry);
            placed_.back().BarCount = bars;
        }
        const bool used = remaining_[i].BarCount == bars;
        if (used) {
            remaining_.erase(remaining_.begin() + i);
        } else {
            remaining_[i].BarCount -= bars;
        }
        if (Place()) {
            return true;
        }
        if (used) {
            remaining_.insert(remaining_.begin() + i, entry);
        } else {
            remaining_[i].BarCount += bars;
        }
        if (joins) {
            placed_.back().BarCount -= bars;
        } else {
            placed_.pop_back();
        }
        return false;
    }

    EngineContext context_;
    bool barByBar_;
    std::vector<TStab> remaining_;
    std::optional<TStab> last_;
    std::vector<TStab> placed_;
    int nodes_ = 0;
};

// The entries without one bar of the pattern with the greatest rest, and that bar.
std::pair<std::vector<TStab>, TStab> SetAsideGreatestRest(std::vector<TStab> entries) {
    auto greatest =
        std::max_element(entries.begin(), entries.end(),
                         [](const TStab& a, const TStab& b) { return a.Rest < b.Rest; });
    TStab last = *greatest;
    last.BarCount = 1;
    if (--greatest->BarCount == 0) {
        entries.erase(greatest);
    }
    return {std::move(entries), last};
}

}  // namespace

std::vector<PatternUse> TakeOffSurplus(const CuttingJob& job, const std::vector<PatternUse>& uses) {
    std::vector<PatternUse> left = uses;
    auto piecesOn = [](const Pattern& pattern) {
        int64_t pieces = 0;
        for (int32_t n : pattern.pieces) {
            pieces += n;
        }
        return pieces;
    };
    // Surplus pieces come off the bars with the fewest pieces (so that bars empty and drop out),
    // among those the ones with the most room; whole groups of bars at a time.
    auto before = [&](const PatternUse& a, const PatternUse& b) {
        const int64_t piecesA = piecesOn(a.pattern);
        const int64_t piecesB = piecesOn(b.pattern);
        if (piecesA != piecesB) {
            return piecesA < piecesB;
        }
        return job.stock[a.pattern.stock].usable - PatternLength(job, a.pattern) >
               job.stock[b.pattern.stock].usable - PatternLength(job, b.pattern);
    };
    for (std::size_t k = 0; k < job.fix.size(); ++k) {
        int64_t surplus = -job.fix[k].count;
        for (const PatternUse& use : left) {
            surplus += use.pattern.pieces[k] * use.bars;
        }
        while (surplus > 0) {
            auto chosen = left.end();
            for (auto use = left.begin(); use != left.end(); ++use) {
                if (use->pattern.pieces[k] > 0 && (chosen == left.end() || before(*use, *chosen))) {
                    chosen = use;
                }
            }
            const int64_t perBar = chosen->pattern.pieces[k];
            // Either every piece of k off as many bars as the surplus allows, or the last few
            // pieces off one bar.
            const int64_t bars = surplus >= perBar ? std::min(chosen->bars, surplus / perBar) : 1;
            const int64_t off = surplus >= perBar ? perBar : surplus;
            PatternUse lighter{chosen->pattern, bars};
            lighter.pattern.pieces[k] -= static_cast<int32_t>(off);
            chosen->bars -= bars;
            surplus -= bars * off;
            left.push_back(std::move(lighter));
            std::erase_if(left, [](const PatternUse& use) { return use.bars == 0; });
        }
    }
    std::vector<PatternUse> grouped;
    for (const PatternUse& use : left) {
        if (piecesOn(use.pattern) > 0) {
            grouped.push_back(use);
        }
    }
    return MergeUses(grouped);
}

std::optional<std::vector<TStab>> ArrangePlan(const JobTables& tables, const CuttingJob& job,
                                              SelectionLimits limits,
                                              const std::vector<PatternUse>& uses) {
    std::vector<TStab> entries;
    for (const PatternUse& use : uses) {
        entries.push_back(EntryOf(tables, job, use));
    }
    if (entries.empty()) {
        return entries;
    }
    EngineContext judge(tables, limits);
    std::unique_ptr<TBearbeitung> best;
    std::optional<std::vector<TStab>> chosen;
    auto consider = [&](const std::optional<std::vector<TStab>>& found) {
        if (!found) {
            return;
        }
        std::unique_ptr<TBearbeitung> plan = PlanFromEntries(judge, *found);
        if (IsBetterPlan(*plan, best.get())) {
            best = std::move(plan);
            chosen = found;
        }
    };
    auto [withoutLast, last] = SetAsideGreatestRest(entries);
    for (bool barByBar : {false, true}) {
        EntryOrder order(tables, limits, barByBar);
        consider(order.Find(withoutLast, last));
        consider(order.Find(entries, std::nullopt));
        if (chosen) {
            break;
        }
    }
    return chosen;
}

std::unique_ptr<TBearbeitung> PlanFromEntries(EngineContext& context,
                                              const std::vector<TStab>& entries) {
    auto plan = std::make_unique<TBearbeitung>(context);
    for (const TStab& entry : entries) {
        plan->Bars.push_back(std::make_unique<TStab>(entry));
    }
    plan->UpdateTotals();
    return plan;
}

}  // namespace zelk
