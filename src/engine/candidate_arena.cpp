#include "engine/candidate_arena.h"

#include <algorithm>

namespace zelk {

void CandidateArena::Clear() {
    rest_.clear();
    usable_.clear();
    stockIndex_.clear();
    barCount_.clear();
    score_.clear();
    first_.resize(1);
    kinds_.clear();
    counts_.clear();
    order.clear();
}

uint32_t CandidateArena::Append(const TStab& bar, int fixKinds, int32_t barCount,
                                long double score) {
    const auto r = static_cast<uint32_t>(rest_.size());
    rest_.push_back(bar.Rest);
    usable_.push_back(bar.Usable);
    stockIndex_.push_back(bar.StockIndex);
    barCount_.push_back(barCount);
    score_.push_back(score);
    for (int k = 1; k <= fixKinds; ++k) {
        if (bar.Pieces[k] != 0) {
            kinds_.push_back(static_cast<uint8_t>(k));
            counts_.push_back(bar.Pieces[k]);
        }
    }
    first_.push_back(static_cast<uint32_t>(kinds_.size()));
    order.push_back(r);
    return r;
}

void CandidateArena::AppendAll(const BarList& list, int fixKinds) {
    for (const std::unique_ptr<TStab>& bar : list) {
        Append(*bar, fixKinds, bar->BarCount, bar->Score);
    }
}

bool CandidateArena::SamePattern(uint32_t a, uint32_t b) const {
    return stockIndex_[a] == stockIndex_[b] && usable_[a] == usable_[b] && rest_[a] == rest_[b] &&
           std::equal(kinds_.begin() + first_[a], kinds_.begin() + first_[a + 1],
                      kinds_.begin() + first_[b], kinds_.begin() + first_[b + 1]) &&
           std::equal(counts_.begin() + first_[a], counts_.begin() + first_[a + 1],
                      counts_.begin() + first_[b]);
}

std::unique_ptr<TStab> CandidateArena::MakeBar(uint32_t r, BarPool& pool) const {
    std::unique_ptr<TStab> bar = pool.ObtainBar(stockIndex_[r], usable_[r]);
    bar->Rest = rest_[r];
    bar->BarCount = barCount_[r];
    bar->Score = score_[r];
    for (uint32_t i = first_[r]; i < first_[r + 1]; ++i) {
        bar->Pieces[kinds_[i]] = counts_[i];
    }
    return bar;
}

void CandidateArena::Reorder(const std::vector<uint32_t>& positions) {
    reordered_.resize(positions.size());
    for (std::size_t i = 0; i < positions.size(); ++i) {
        reordered_[i] = order[positions[i]];
    }
    order.swap(reordered_);
}

}  // namespace zelk
