// The true optimum of a small job by exhaustive search, to hold the bound and the optimum stage
// against: the least usable stock length of a plan that meets the order with at most kindLimit
// fix lengths per bar from the bars on hand.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "job/job_tables.h"

namespace zelk::test {

class ExhaustiveOptimum {
public:
    ExhaustiveOptimum(const JobTables& job, int kindLimit) : job_(job), kindLimit_(kindLimit) {}

    // None when no plan meets the order.
    std::optional<int64_t> Solve() {
        std::vector<int32_t> state;
        for (int k = 1; k <= job_.FixKinds; ++k) {
            state.push_back(job_.FixCountOrig[k]);
        }
        for (int s = 1; s <= job_.StockKinds; ++s) {
            state.push_back(std::max(0, job_.StockCountOrig[s]));
        }
        const int64_t best = Least(state);
        return best == kNone ? std::nullopt : std::optional<int64_t>(best);
    }

private:
    static constexpr int64_t kNone = INT64_MAX / 4;

    // The open pieces and the bars left; some bar must carry the first open fix length.
    int64_t Least(std::vector<int32_t>& state) {
        const int fixKinds = job_.FixKinds;
        int first = -1;
        for (int k = 0; k < fixKinds; ++k) {
            if (state[k] > 0) {
                first = k;
                break;
            }
        }
        if (first < 0) {
            return 0;
        }
        if (auto known = memo_.find(state); known != memo_.end()) {
            return known->second;
        }
        int64_t best = kNone;
        for (int s = 1; s <= job_.StockKinds; ++s) {
            if (state[fixKinds + s - 1] <= 0 || job_.StockUsable[s] <= 0) {
                continue;
            }
            std::vector<int32_t> pieces(fixKinds, 0);
            Fill(state, s, first, 0, job_.StockUsable[s], 0, pieces, best);
        }
        memo_[state] = best;
        return best;
    }

    // Every bar of stock s with at least one piece of fix length `first`.
    void Fill(std::vector<int32_t>& state, int s, int first, int k, int64_t room, int kinds,
              std::vector<int32_t>& pieces, int64_t& best) {
        const int fixKinds = job_.FixKinds;
        if (k == fixKinds) {
            if (pieces[first] == 0) {
                return;
            }
            std::vector<int32_t> next = state;
            for (int i = 0; i < fixKinds; ++i) {
                next[i] = std::max(0, next[i] - pieces[i]);
            }
            next[fixKinds + s - 1] -= 1;
            const int64_t rest = Least(next);
            if (rest != kNone) {
                best = std::min(best, rest + job_.StockUsable[s]);
            }
            return;
        }
        const int64_t length = job_.FixEffLength[k + 1];
        const int64_t most = std::min<int64_t>(state[k], length > 0 ? room / length : 0);
        for (int64_t n = 0; n <= most; ++n) {
            if (n > 0 && kinds >= kindLimit_) {
                break;
            }
            pieces[k] = static_cast<int32_t>(n);
            Fill(state, s, first, k + 1, room - n * length, kinds + (n > 0 ? 1 : 0), pieces, best);
        }
        pieces[k] = 0;
    }

    const JobTables& job_;
    int kindLimit_;
    std::map<std::vector<int32_t>, int64_t> memo_;
};

}  // namespace zelk::test
