// The candidate list of one pattern generation as compact records instead of one bar object per
// candidate: per record its stock length, usable length, rest, bar count and score, and its pieces
// as (fix length, count) pairs for just the fix lengths it holds, in rising fix-length order. The
// storage is kept from generation to generation, so a candidate costs no allocation.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/bar_pool.h"

namespace zelk {

class CandidateArena {
public:
    // Forgets every record; the storage stays.
    void Clear();

    // Appends the pattern of bar (its pieces of fix lengths 1 .. fixKinds) with the bar count and
    // score given, and puts it at the end of the list. Returns its record number.
    uint32_t Append(const TStab& bar, int fixKinds, int32_t barCount, long double score = 0);

    // Appends every bar of list, in order, with its bar count and score.
    void AppendAll(const BarList& list, int fixKinds);

    std::size_t RecordCount() const { return records_.size(); }

    int32_t Rest(uint32_t r) const { return records_[r].rest; }
    int32_t Usable(uint32_t r) const { return records_[r].usable; }
    int32_t StockIndex(uint32_t r) const { return records_[r].stockIndex; }
    int32_t BarCount(uint32_t r) const { return records_[r].barCount; }
    void SetBarCount(uint32_t r, int32_t barCount) { records_[r].barCount = barCount; }
    long double Score(uint32_t r) const { return score_[r]; }
    void SetScore(uint32_t r, long double score) { score_[r] = score; }

    // A fix length a record holds and its count.
    struct Piece {
        int32_t kind;
        int32_t count;
    };

    // The fix lengths record r holds, in rising fix-length order, and how many there are.
    const Piece* PiecesOf(uint32_t r) const { return pieces_.data() + records_[r].first; }
    int KindCount(uint32_t r) const { return static_cast<int>(records_[r].kindCount); }

    // The same pattern: stock length, usable length, rest and pieces; bar count and score do not
    // count.
    bool SamePattern(uint32_t a, uint32_t b) const;

    // A number from the pattern of record r: the same for the same pattern, seldom the same for
    // two patterns.
    uint64_t PatternHash(uint32_t r) const { return records_[r].hash; }

    // A bar of the pool made from record r, score included.
    std::unique_ptr<TStab> MakeBar(uint32_t r, BarPool& pool) const;

    // Record numbers in list order: the candidate list itself.
    std::vector<uint32_t> order;

    // Sets order to order[positions[0]], order[positions[1]], ...
    void Reorder(const std::vector<uint32_t>& positions);

private:
    struct Record {
        int32_t rest;
        int32_t usable;
        int32_t stockIndex;
        int32_t barCount;
        uint32_t first;  // its pieces are pieces_[first .. first + kindCount - 1]
        uint32_t kindCount;
        uint64_t hash;
    };

    std::vector<Record> records_;
    std::vector<long double> score_;
    std::vector<Piece> pieces_;  // in use up to piecesUsed_
    std::size_t piecesUsed_ = 0;
    std::vector<uint32_t> reordered_;
};

}  // namespace zelk
