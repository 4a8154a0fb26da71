// The linear relaxation of the cutting problem by column generation (Gilmore-Gomory): a
// restricted master LP over the patterns found so far, solved by COIN-OR CLP, and the pricing of
// new patterns per stock kind. The LP's floating point only guides: the lower bound it states is
// the value of a dual solution made feasible against the exact pricing, so it never lies above
// the true optimum of the relaxation.
//
// Every pattern ever added stays in one pool shared by all solves (the residual solves of the
// dives too), so that the integer solve at the end can use all of them.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "optimum/cutting_job.h"

class ClpSimplex;

namespace zelk {

// Asked between steps: true ends the work early.
using StopCheck = std::function<bool()>;

struct RelaxationResult {
    bool complete = false;      // pricing found no better pattern (not stopped on the way)
    bool orderCanBeMet = true;  // false: proven that the stock cannot meet the order
    long double bound = 0;      // proven lower bound of the relaxation, hundredths of usable length
    double value = 0;           // value of the last restricted LP, hundredths
    std::vector<double> bars;   // bars per pool pattern in the last LP solution
};

class ColumnGeneration {
public:
    explicit ColumnGeneration(const CuttingJob& job);
    ~ColumnGeneration();
    ColumnGeneration(const ColumnGeneration&) = delete;
    ColumnGeneration& operator=(const ColumnGeneration&) = delete;

    // The pieces still to be cut and the bars still on hand per kind.
    void SetResidual(const std::vector<int64_t>& demand, const std::vector<int64_t>& stockLeft);

    // Adds the pattern to the pool unless it is there; returns its position in the pool.
    int AddPattern(const Pattern& pattern);
    const std::vector<Pattern>& Pool() const { return pool_; }

    // Column generation on the residual job until no pattern prices out or stop says so; with
    // proveInfeasible, a phase that only seeks to meet the order decides whether it can be met
    // when the relaxation needs the artificial pieces.
    RelaxationResult Solve(const StopCheck& stop, bool proveInfeasible);

    // The smallest usable length that whole bars on hand can reach at or above target (a lower
    // bound of it when the search for it runs long); none when all bars on hand stay below it.
    std::optional<int64_t> RoundUpToWholeBars(long double target) const;

    int64_t PricingRounds() const { return pricingRounds_; }

private:
    struct Pricing {
        long double bound = 0;
        int added = 0;
    };
    // Prices every stock kind at the current duals, adds what prices out; the proven bound in
    // scaled units.
    Pricing PriceAndBound(bool feasibilityOnly);
    void SetObjective(bool feasibilityOnly);
    RelaxationResult Generate(const StopCheck& stop, bool feasibilityOnly);
    double ColumnCost(int stock) const;

    const CuttingJob& job_;
    std::unique_ptr<ClpSimplex> lp_;
    std::vector<Pattern> pool_;
    std::map<Pattern, int> positions_;
    std::vector<int64_t> demand_;
    std::vector<int64_t> stockLeft_;
    double scale_ = 1;  // usable length of one unit of cost: the longest usable length
    bool boundsChanged_ = true;
    int64_t pricingRounds_ = 0;
};

}  // namespace zelk
