#include "optimum/pattern_pricing.h"

#include <algorithm>
#include <numeric>

namespace zelk {

namespace {

// Above this many capacity steps (times parts) the dynamic programme would take too much memory.
constexpr int64_t kMaxTableBits = int64_t{1} << 27;
constexpr int64_t kMaxBranchNodes = 400000;

struct Item {
    int kind = 0;  // fix kind position
    int64_t length = 0;
    double value = 0;
    int64_t maxCount = 0;
};

// The fix kinds worth anything that fit on the bar at all.
std::vector<Item> UsefulItems(const CuttingJob& job, int64_t capacity,
                              const std::vector<double>& values,
                              const std::vector<int64_t>& maxPieces) {
    std::vector<Item> items;
    for (std::size_t k = 0; k < job.fix.size(); ++k) {
        const int64_t length = job.fix[k].length;
        if (values[k] <= 0 || maxPieces[k] <= 0 || length <= 0 || length > capacity) {
            continue;
        }
        items.push_back(
            {static_cast<int>(k), length, values[k], std::min(maxPieces[k], capacity / length)});
    }
    return items;
}

// Bounded knapsack without a kind limit: every item split into parts of 1, 2, 4, ... pieces, a
// table over the capacity in steps of the common divisor, and one bit per part and step to read
// the choice back for any capacity up to the largest.
class DynamicProgramme {
public:
    DynamicProgramme(const std::vector<Item>& items, int64_t steps, int64_t divisor)
        : steps_(steps), divisor_(divisor), best_(steps + 1, 0.0) {
        for (const Item& item : items) {
            int64_t left = item.maxCount;
            for (int64_t chunk = 1; left > 0; chunk *= 2) {
                const int64_t take = std::min(chunk, left);
                parts_.push_back(
                    {item.kind, take, take * (item.length / divisor), take * item.value});
                left -= take;
            }
        }
        taken_.assign(parts_.size() * (steps + 1), false);
        for (std::size_t p = 0; p < parts_.size(); ++p) {
            const Part& part = parts_[p];
            for (int64_t c = steps; c >= part.weight; --c) {
                const double with = best_[c - part.weight] + part.value;
                if (with > best_[c]) {
                    best_[c] = with;
                    taken_[p * (steps + 1) + c] = true;
                }
            }
        }
    }

    void Read(int64_t capacity, PricedPattern& result) const {
        int64_t c = std::min(steps_, capacity / divisor_);
        result.value = best_[c];
        result.upperBound = best_[c];
        for (std::size_t p = parts_.size(); p-- > 0;) {
            if (taken_[p * (steps_ + 1) + c]) {
                result.pattern.pieces[parts_[p].kind] += static_cast<int32_t>(parts_[p].count);
                c -= parts_[p].weight;
            }
        }
    }

private:
    struct Part {
        int kind;
        int64_t count;
        int64_t weight;  // in steps
        double value;
    };
    int64_t steps_;
    int64_t divisor_;
    std::vector<Part> parts_;
    std::vector<double> best_;
    std::vector<bool> taken_;
};

// Depth-first branch and bound over the items in order of worth per length, bounded by the
// fractional filling of what is left.
class BranchAndBound {
public:
    BranchAndBound(std::vector<Item> items, int kindLimit)
        : items_(std::move(items)), kindLimit_(kindLimit), counts_(items_.size(), 0) {
        std::stable_sort(items_.begin(), items_.end(), [](const Item& a, const Item& b) {
            return a.value * static_cast<double>(b.length) >
                   b.value * static_cast<double>(a.length);
        });
        bestCounts_ = counts_;
    }

    // Returns whether the search was complete.
    bool Run(int64_t capacity) {
        rootBound_ = Fractional(0, capacity);
        Visit(0, capacity, 0.0, 0);
        return nodes_ <= kMaxBranchNodes;
    }

    double BestValue() const { return bestValue_; }
    double RootBound() const { return rootBound_; }

    void WriteBest(Pattern& pattern) const {
        for (std::size_t i = 0; i < items_.size(); ++i) {
            pattern.pieces[items_[i].kind] += static_cast<int32_t>(bestCounts_[i]);
        }
    }

private:
    double Fractional(std::size_t from, int64_t capacity) const {
        double bound = 0;
        for (std::size_t i = from; i < items_.size() && capacity > 0; ++i) {
            const int64_t whole = std::min(items_[i].maxCount, capacity / items_[i].length);
            bound += static_cast<double>(whole) * items_[i].value;
            capacity -= whole * items_[i].length;
            if (whole < items_[i].maxCount) {
                bound += items_[i].value * static_cast<double>(capacity) /
                         static_cast<double>(items_[i].length);
                break;
            }
        }
        return bound;
    }

    void Visit(std::size_t i, int64_t capacity, double value, int kinds) {
        if (++nodes_ > kMaxBranchNodes) {
            return;
        }
        if (value > bestValue_) {
            bestValue_ = value;
            bestCounts_ = counts_;
        }
        if (i == items_.size() || value + Fractional(i, capacity) <= bestValue_ * (1 + 1e-12)) {
            return;
        }
        const Item& item = items_[i];
        if (kinds < kindLimit_) {
            for (int64_t n = std::min(item.maxCount, capacity / item.length); n > 0; --n) {
                counts_[i] = n;
                Visit(i + 1, capacity - n * item.length, value + n * item.value, kinds + 1);
            }
            counts_[i] = 0;
        }
        Visit(i + 1, capacity, value, kinds);
    }

    std::vector<Item> items_;
    int kindLimit_;
    std::vector<int64_t> counts_;
    std::vector<int64_t> bestCounts_;
    double bestValue_ = 0;
    double rootBound_ = 0;
    int64_t nodes_ = 0;
};

}  // namespace

std::vector<PricedPattern> MostValuablePatterns(const CuttingJob& job,
                                                const std::vector<int>& stocks,
                                                const std::vector<double>& values,
                                                const std::vector<int64_t>& maxPieces) {
    std::vector<PricedPattern> priced(stocks.size());
    int64_t longest = 0;
    for (std::size_t i = 0; i < stocks.size(); ++i) {
        priced[i].pattern.stock = stocks[i];
        priced[i].pattern.pieces.assign(job.fix.size(), 0);
        longest = std::max(longest, job.stock[stocks[i]].usable);
    }
    const std::vector<Item> items = UsefulItems(job, longest, values, maxPieces);
    if (items.empty()) {
        return priced;
    }
    int64_t divisor = 0;
    int64_t parts = 0;
    for (const Item& item : items) {
        divisor = std::gcd(divisor, item.length);
        parts += 64 - __builtin_clzll(static_cast<unsigned long long>(item.maxCount));
    }
    const int64_t steps = longest / divisor;
    const bool kindLimitBinds = static_cast<int64_t>(items.size()) > job.kindLimit;
    if (!kindLimitBinds && parts * (steps + 1) <= kMaxTableBits) {
        const DynamicProgramme table(items, steps, divisor);
        for (PricedPattern& result : priced) {
            table.Read(job.stock[result.pattern.stock].usable, result);
        }
        return priced;
    }
    for (PricedPattern& result : priced) {
        const int64_t capacity = job.stock[result.pattern.stock].usable;
        BranchAndBound search(UsefulItems(job, capacity, values, maxPieces), job.kindLimit);
        const bool complete = search.Run(capacity);
        search.WriteBest(result.pattern);
        result.value = search.BestValue();
        result.upperBound = complete ? search.BestValue() : search.RootBound();
    }
    return priced;
}

}  // namespace zelk
