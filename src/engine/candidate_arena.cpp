#include "engine/candidate_arena.h"

#include <algorithm>
#include <array>

namespace zelk {

namespace {

// A pattern's hash: its stock length, its rest and each count of a fix length it holds, each
// times an odd constant of its own, added up.
constexpr uint64_t kHashOfStock = 0x9E3779B97F4A7C15ULL;
constexpr uint64_t kHashOfRest = 0xC2B2AE3D27D4EB4FULL;
constexpr std::array<uint64_t, kMaxKinds + 1> kHashOfCount = [] {
    std::array<uint64_t, kMaxKinds + 1> factors{};
    for (std::size_t k = 0; k < factors.size(); ++k) {
        factors[k] = 0xD6E8FEB86659FD93ULL * (2 * k + 1);
    }
    return factors;
}();

}  // namespace

void CandidateArena::Clear() {
    records_.clear();
    score_.clear();
    piecesUsed_ = 0;
    order.clear();
}

uint32_t CandidateArena::Append(const TStab& bar, int fixKinds, int32_t barCount,
                                long double score) {
    const auto r = static_cast<uint32_t>(records_.size());
    const auto first = static_cast<uint32_t>(piecesUsed_);
    // Room for every fix length, so that each is written and counted only if it is held: no
    // branch per fix length.
    if (pieces_.size() < piecesUsed_ + static_cast<std::size_t>(fixKinds)) {
        pieces_.resize(std::max(2 * pieces_.size(), piecesUsed_ + fixKinds));
    }
    Piece* out = pieces_.data() + piecesUsed_;
    uint32_t held = 0;
    uint64_t hash = kHashOfStock * static_cast<uint32_t>(bar.StockIndex) +
                    kHashOfRest * static_cast<uint32_t>(bar.Rest);
    for (int k = 1; k <= fixKinds; ++k) {
        const int32_t count = bar.Pieces[k];
        out[held] = {k, count};
        held += count != 0 ? 1 : 0;
    }
    for (uint32_t i = 0; i < held; ++i) {
        hash += kHashOfCount[out[i].kind] * static_cast<uint32_t>(out[i].count);
    }
    piecesUsed_ += held;
    records_.push_back({bar.Rest, bar.Usable, bar.StockIndex, barCount, first, held, hash});
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
    return x.hash == y.hash && x.stockIndex == y.stockIndex && x.usable == y.usable &&
           x.rest == y.rest &&
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
