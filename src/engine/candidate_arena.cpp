#include "engine/candidate_arena.h"

#include <algorithm>

namespace zelk {

void CandidateArena::Clear() {
    records_.clear();
    score_.clear();
    pieces_.clear();
    order.clear();
}

uint32_t CandidateArena::Append(const TStab& bar, int fixKinds, int32_t barCount,
                                long double score) {
    const auto r = static_cast<uint32_t>(records_.size());
    const auto first = static_cast<uint32_t>(pieces_.size());
    for (int k = 1; k <= fixKinds; ++k) {
        if (bar.Pieces[k] != 0) {
            pieces_.push_back({k, bar.Pieces[k]});
        }
    }
    records_.push_back({bar.Rest, bar.Usable, bar.StockIndex, barCount, first,
                        static_cast<uint32_t>(pieces_.size()) - first});
    score_.push_back(score);
    order.push_back(r);
    return r;
}

void CandidateArena::AppendAll(const BarList& list, int fixKinds) {
    for (const std::unique_ptr<TStab>& bar : list) {
        Append(*bar, fixKinds, bar->BarCount, bar->Score);
    }
}

bool CandidateArena::SamePattern(uint32_t a, uint32_t b) const {
    const Record& x = records_[a];
    const Record& y = records_[b];
    return x.stockIndex == y.stockIndex && x.usable == y.usable && x.rest == y.rest &&
           std::equal(pieces_.begin() + x.first, pieces_.begin() + x.first + x.kindCount,
                      pieces_.begin() + y.first, pieces_.begin() + y.first + y.kindCount,
                      [](const Piece& p, const Piece& q) {
                          return p.kind == q.kind && p.count == q.count;
                      });
}

std::unique_ptr<TStab> CandidateArena::MakeBar(uint32_t r, BarPool& pool) const {
    const Record& record = records_[r];
    std::unique_ptr<TStab> bar = pool.ObtainBar(record.stockIndex, record.usable);
    bar->Rest = record.rest;
    bar->BarCount = record.barCount;
    bar->Score = score_[r];
    for (uint32_t i = record.first; i < record.first + record.kindCount; ++i) {
        bar->Pieces[pieces_[i].kind] = pieces_[i].count;
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
