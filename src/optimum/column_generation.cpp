#include "optimum/column_generation.h"

#include <ClpSimplex.hpp>
#include <algorithm>
#include <cmath>
#include <optional>

#include "optimum/pattern_pricing.h"

namespace zelk {

namespace {

// Cost of one piece left uncut in the LP: far above what any bar costs (at most 1), so the LP
// leaves pieces uncut only where the stock cannot take them.
constexpr double kUncutPieceCost = 100;
// A pattern enters the LP when its reduced cost lies this far below zero.
constexpr double kPricingTolerance = 1e-9;
// Pieces left uncut below this are the LP's rounding.
constexpr double kUncutTolerance = 1e-6;
constexpr int64_t kMaxRoundingNodes = 200000;

}  // namespace

ColumnGeneration::ColumnGeneration(const CuttingJob& job)
    : job_(job),
      lp_(std::make_unique<ClpSimplex>()),
      demand_(job.fix.size()),
      stockLeft_(job.stock.size()) {
    for (const StockKind& stock : job.stock) {
        scale_ = std::max(scale_, static_cast<double>(stock.usable));
    }
    lp_->setLogLevel(0);
    lp_->setOptimizationDirection(1);
    const int fixRows = static_cast<int>(job.fix.size());
    const int rows = fixRows + static_cast<int>(job.stock.size());
    lp_->resize(rows, 0);
    // One artificial column per fix kind: a piece left uncut.
    for (int k = 0; k < fixRows; ++k) {
        const double one = 1.0;
        lp_->addColumn(1, &k, &one, 0.0, COIN_DBL_MAX, kUncutPieceCost);
    }
    for (std::size_t k = 0; k < job.fix.size(); ++k) {
        demand_[k] = job.fix[k].count;
    }
    for (std::size_t s = 0; s < job.stock.size(); ++s) {
        stockLeft_[s] = job.stock[s].count;
    }
    SetResidual(demand_, stockLeft_);
}

ColumnGeneration::~ColumnGeneration() = default;

double ColumnGeneration::ColumnCost(int stock) const {
    return static_cast<double>(job_.stock[stock].usable) / scale_;
}

void ColumnGeneration::SetResidual(const std::vector<int64_t>& demand,
                                   const std::vector<int64_t>& stockLeft) {
    demand_ = demand;
    stockLeft_ = stockLeft;
    const int fixRows = static_cast<int>(job_.fix.size());
    for (int k = 0; k < fixRows; ++k) {
        lp_->setRowBounds(k, static_cast<double>(demand_[k]), COIN_DBL_MAX);
    }
    for (std::size_t s = 0; s < job_.stock.size(); ++s) {
        lp_->setRowBounds(fixRows + static_cast<int>(s), -COIN_DBL_MAX,
                          static_cast<double>(stockLeft_[s]));
    }
    boundsChanged_ = true;
}

int ColumnGeneration::AddPattern(const Pattern& pattern) {
    auto [place, added] = positions_.emplace(pattern, static_cast<int>(pool_.size()));
    if (!added) {
        return place->second;
    }
    pool_.push_back(pattern);
    std::vector<int> rows;
    std::vector<double> elements;
    for (std::size_t k = 0; k < pattern.pieces.size(); ++k) {
        if (pattern.pieces[k] > 0) {
            rows.push_back(static_cast<int>(k));
            elements.push_back(pattern.pieces[k]);
        }
    }
    rows.push_back(static_cast<int>(job_.fix.size()) + pattern.stock);
    elements.push_back(1.0);
    lp_->addColumn(static_cast<int>(rows.size()), rows.data(), elements.data(), 0.0, COIN_DBL_MAX,
                   ColumnCost(pattern.stock));
    return place->second;
}

void ColumnGeneration::SetObjective(bool feasibilityOnly) {
    const int fixRows = static_cast<int>(job_.fix.size());
    for (int k = 0; k < fixRows; ++k) {
        lp_->setObjectiveCoefficient(k, feasibilityOnly ? 1.0 : kUncutPieceCost);
    }
    for (std::size_t j = 0; j < pool_.size(); ++j) {
        lp_->setObjectiveCoefficient(fixRows + static_cast<int>(j),
                                     feasibilityOnly ? 0.0 : ColumnCost(pool_[j].stock));
    }
    boundsChanged_ = true;
}

ColumnGeneration::Pricing ColumnGeneration::PriceAndBound(bool feasibilityOnly) {
    const int fixRows = static_cast<int>(job_.fix.size());
    const double* duals = lp_->dualRowSolution();
    std::vector<double> values(job_.fix.size());
    long double demandWorth = 0;
    for (int k = 0; k < fixRows; ++k) {
        values[k] = std::max(0.0, duals[k]);
        demandWorth += static_cast<long double>(demand_[k]) * values[k];
    }
    // Two ways to make the duals feasible for every pattern: raise the stock duals where a
    // pattern is worth more than its bar (bound 1), or scale the piece values down (bound 2).
    long double stockPenalty = 0;  // for bound 1
    long double stockWorth = 0;    // for bound 2
    long double scaleDown = 1;
    Pricing pricing;
    // Only stock kinds with bars to cut: the dual of one without may be as large as needed at
    // no cost.
    std::vector<int> stocks;
    for (std::size_t s = 0; s < job_.stock.size(); ++s) {
        if (stockLeft_[s] > 0) {
            stocks.push_back(static_cast<int>(s));
        }
    }
    const std::vector<PricedPattern> priced = MostValuablePatterns(job_, stocks, values, demand_);
    for (std::size_t i = 0; i < stocks.size(); ++i) {
        const int stock = stocks[i];
        const long double cost = feasibilityOnly ? 0.0L : ColumnCost(stock);
        const long double stockDual = std::max(0.0, -duals[fixRows + stock]);
        long double worth = 0;
        for (std::size_t k = 0; k < values.size(); ++k) {
            worth += static_cast<long double>(priced[i].pattern.pieces[k]) * values[k];
        }
        const long double upper = std::max<long double>(worth, priced[i].upperBound) * (1 + 1e-12L);
        stockPenalty += stockLeft_[stock] * std::max(stockDual, upper - cost);
        stockWorth += stockLeft_[stock] * stockDual;
        if (upper > cost + stockDual) {
            scaleDown = std::min(scaleDown, (cost + stockDual) / upper);
        }
        if (cost + stockDual - worth < -kPricingTolerance &&
            !positions_.contains(priced[i].pattern)) {
            AddPattern(priced[i].pattern);
            ++pricing.added;
        }
    }
    pricing.bound =
        std::max({demandWorth - stockPenalty, scaleDown * demandWorth - stockWorth, 0.0L});
    return pricing;
}

RelaxationResult ColumnGeneration::Generate(const StopCheck& stop, bool feasibilityOnly) {
    RelaxationResult result;
    long double bestBound = 0;
    for (;;) {
        if (boundsChanged_) {
            lp_->dual();
            boundsChanged_ = false;
        } else {
            lp_->primal(1);
        }
        if (lp_->status() != 0) {
            lp_->primal();  // start over from scratch once, as the warm start went astray
        }
        ++pricingRounds_;
        const Pricing pricing = PriceAndBound(feasibilityOnly);
        bestBound = std::max(bestBound, pricing.bound);
        if (pricing.added == 0) {
            result.complete = lp_->status() == 0;
            break;
        }
        if (stop && stop()) {
            break;
        }
    }
    result.bound = bestBound * scale_;
    result.value = lp_->objectiveValue() * scale_;
    const double* x = lp_->primalColumnSolution();
    const int fixRows = static_cast<int>(job_.fix.size());
    result.bars.assign(x + fixRows, x + fixRows + pool_.size());
    double uncut = 0;
    for (int k = 0; k < fixRows; ++k) {
        uncut += x[k];
    }
    if (feasibilityOnly) {
        // The proven minimum of uncut pieces: above zero, no plan can meet the order.
        result.orderCanBeMet = !(bestBound > kUncutTolerance);
    } else {
        result.orderCanBeMet = uncut <= kUncutTolerance;
    }
    return result;
}

RelaxationResult ColumnGeneration::Solve(const StopCheck& stop, bool proveInfeasible) {
    RelaxationResult result = Generate(stop, false);
    if (result.orderCanBeMet || !result.complete || !proveInfeasible) {
        result.orderCanBeMet = true;  // not proven otherwise
        return result;
    }
    SetObjective(true);
    RelaxationResult feasibility = Generate(stop, true);
    SetObjective(false);
    result.orderCanBeMet = !feasibility.complete || feasibility.orderCanBeMet;
    return result;
}

std::optional<int64_t> ColumnGeneration::RoundUpToWholeBars(long double target) const {
    // Stock kinds longest first; the least total of whole bars at or above target by depth-first
    // search, cut short by a node limit (the target itself, rounded up, is then the answer).
    std::vector<StockKind> kinds;
    long double all = 0;
    for (std::size_t s = 0; s < job_.stock.size(); ++s) {
        if (stockLeft_[s] > 0) {
            kinds.push_back({job_.stock[s].index, job_.stock[s].usable, stockLeft_[s]});
            all += static_cast<long double>(stockLeft_[s]) * job_.stock[s].usable;
        }
    }
    const int64_t wanted = static_cast<int64_t>(std::ceil(std::max(0.0L, target)));
    if (all < wanted) {
        return std::nullopt;
    }
    std::sort(kinds.begin(), kinds.end(),
              [](const StockKind& a, const StockKind& b) { return a.usable > b.usable; });
    int64_t best = INT64_MAX;
    int64_t nodes = 0;
    const std::function<void(std::size_t, int64_t)> visit = [&](std::size_t i, int64_t sum) {
        if (++nodes > kMaxRoundingNodes || sum >= best) {
            return;
        }
        if (sum >= wanted) {
            best = sum;
            return;
        }
        if (i == kinds.size()) {
            return;
        }
        const int64_t needed = (wanted - sum + kinds[i].usable - 1) / kinds[i].usable;
        for (int64_t n = std::min(needed, kinds[i].count); n >= 0 && nodes <= kMaxRoundingNodes;
             --n) {
            visit(i + 1, sum + n * kinds[i].usable);
        }
    };
    visit(0, 0);
    if (nodes > kMaxRoundingNodes || best == INT64_MAX) {
        return wanted;
    }
    return best;
}

}  // namespace zelk
