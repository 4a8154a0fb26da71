#include "optimum/first_fit.h"

#include <map>

namespace zelk {

namespace {

// Pieces placed one by one at most.
constexpr int64_t kMaxPieces = 20000;

}  // namespace

std::optional<std::vector<PatternUse>> FirstFitDecreasing(const CuttingJob& job) {
    int64_t pieces = 0;
    for (const FixKind& fix : job.fix) {
        pieces += fix.count;
    }
    if (pieces > kMaxPieces) {
        return std::nullopt;
    }
    std::vector<Pattern> bars;
    std::vector<int64_t> rests;
    std::vector<int64_t> stockLeft;
    for (const StockKind& stock : job.stock) {
        stockLeft.push_back(stock.count);
    }
    for (std::size_t k = 0; k < job.fix.size(); ++k) {
        const int64_t length = job.fix[k].length;
        for (int64_t piece = 0; piece < job.fix[k].count; ++piece) {
            std::size_t b = 0;
            while (b < bars.size() && !(rests[b] >= length && (bars[b].pieces[k] > 0 ||
                                                               KindsOn(bars[b]) < job.kindLimit))) {
                ++b;
            }
            if (b == bars.size()) {
                int chosen = -1;
                for (std::size_t s = 0; s < job.stock.size(); ++s) {
                    if (stockLeft[s] > 0 && job.stock[s].usable >= length &&
                        (chosen < 0 || job.stock[s].usable > job.stock[chosen].usable)) {
                        chosen = static_cast<int>(s);
                    }
                }
                if (chosen < 0) {
                    return std::nullopt;
                }
                --stockLeft[chosen];
                bars.push_back({chosen, std::vector<int32_t>(job.fix.size(), 0)});
                rests.push_back(job.stock[chosen].usable);
            }
            bars[b].pieces[k] += 1;
            rests[b] -= length;
        }
    }
    std::vector<PatternUse> uses;
    for (const Pattern& bar : bars) {
        uses.push_back({bar, 1});
    }
    return MergeUses(uses);
}

std::vector<PatternUse> MergeUses(const std::vector<PatternUse>& uses) {
    std::map<Pattern, std::size_t> place;
    std::vector<PatternUse> merged;
    for (const PatternUse& use : uses) {
        auto [found, added] = place.emplace(use.pattern, merged.size());
        if (added) {
            merged.push_back({use.pattern, 0});
        }
        merged[found->second].bars += use.bars;
    }
    return merged;
}

}  // namespace zelk
