#include "optimum/integer_solve.h"

#include <CbcEventHandler.hpp>
#include <CbcModel.hpp>
#include <ClpSolve.hpp>
#include <CoinPackedMatrix.hpp>
#include <OsiClpSolverInterface.hpp>
#include <cmath>
#include <numeric>

namespace zelk {

namespace {

// Ends the branch and bound at the next node once a stop is asked for or the simplex iterations
// are spent.
class StopAtNode : public CbcEventHandler {
public:
    StopAtNode(const StopCheck& stop, int64_t maxIterations)
        : stop_(stop), maxIterations_(maxIterations) {}
    CbcAction event(CbcEvent whichEvent) override {
        if (whichEvent != node) {
            return noAction;
        }
        const bool spent = model_ != nullptr && model_->getIterationCount() >= maxIterations_;
        return (spent || (stop_ && stop_())) ? stop : noAction;
    }
    CbcEventHandler* clone() const override { return new StopAtNode(*this); }

private:
    const StopCheck& stop_;
    int64_t maxIterations_;
};

}  // namespace

IntegerSolveResult SolveOverPool(const CuttingJob& job, const std::vector<Pattern>& pool,
                                 int64_t cutoff, IntegerSolveLimits limits, const StopCheck& stop) {
    IntegerSolveResult result;
    if (pool.empty()) {
        return result;
    }
    // Costs in whole steps of the usable lengths' common divisor, so that "less than the
    // cutoff" is a clean integer step.
    int64_t divisor = 0;
    for (const StockKind& stock : job.stock) {
        divisor = std::gcd(divisor, stock.usable);
    }
    const int fixRows = static_cast<int>(job.fix.size());
    const int rows = fixRows + static_cast<int>(job.stock.size());
    CoinPackedMatrix matrix(true, rows, 0, 0, nullptr, nullptr, nullptr, nullptr);
    std::vector<double> columnLower, columnUpper, objective;
    for (const Pattern& pattern : pool) {
        std::vector<int> index;
        std::vector<double> element;
        for (int k = 0; k < fixRows; ++k) {
            if (pattern.pieces[k] > 0) {
                index.push_back(k);
                element.push_back(pattern.pieces[k]);
            }
        }
        index.push_back(fixRows + pattern.stock);
        element.push_back(1.0);
        matrix.appendCol(static_cast<int>(index.size()), index.data(), element.data());
        columnLower.push_back(0.0);
        columnUpper.push_back(static_cast<double>(job.stock[pattern.stock].count));
        objective.push_back(static_cast<double>(job.stock[pattern.stock].usable / divisor));
    }
    std::vector<double> rowLower, rowUpper;
    for (const FixKind& fix : job.fix) {
        rowLower.push_back(static_cast<double>(fix.count));
        rowUpper.push_back(COIN_DBL_MAX);
    }
    for (const StockKind& stock : job.stock) {
        rowLower.push_back(-COIN_DBL_MAX);
        rowUpper.push_back(static_cast<double>(stock.count));
    }
    OsiClpSolverInterface solver;
    solver.messageHandler()->setLogLevel(0);
    // The dual simplex for the first relaxation: with many patterns the automatic choice takes
    // a method that prints to standard output whatever the log level, into the JSON output.
    ClpSolve firstSolve;
    firstSolve.setSolveType(ClpSolve::useDual);
    solver.setSolveOptions(firstSolve);
    solver.loadProblem(matrix, columnLower.data(), columnUpper.data(), objective.data(),
                       rowLower.data(), rowUpper.data());
    for (int j = 0; j < static_cast<int>(pool.size()); ++j) {
        solver.setInteger(j);
    }
    CbcModel model(solver);
    model.setLogLevel(0);
    model.messageHandler()->setLogLevel(0);
    model.setNumberThreads(1);
    model.setMaximumNodes(limits.maxNodes);
    model.setCutoff(static_cast<double>(cutoff / divisor) - 0.5);
    const int64_t size = static_cast<int64_t>(pool.size()) + rows;
    StopAtNode handler(stop, limits.maxWork / size);
    model.passInEventHandler(&handler);
    model.initialSolve();
    model.branchAndBound();
    result.nodes = model.getNodeCount();
    result.iterations = model.getIterationCount();
    const double* solution = model.bestSolution();
    if (solution == nullptr) {
        return result;
    }
    std::vector<PatternUse> uses;
    for (std::size_t j = 0; j < pool.size(); ++j) {
        const int64_t bars = std::llround(solution[j]);
        if (bars > 0) {
            uses.push_back({pool[j], bars});
        }
    }
    result.uses = std::move(uses);
    return result;
}

}  // namespace zelk
