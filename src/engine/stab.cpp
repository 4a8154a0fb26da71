#include "engine/stab.h"

#include <algorithm>
#include <limits>

namespace zelk {

namespace {

// The rest after taking n pieces of the effective length, or false when they do not fit. The
// product is formed in 64 bits, so a huge count typed into the result grid never wraps around
// into a rest that seems to fit; a rest beyond the 32-bit range does not fit either.
bool RestAfter(int32_t rest, int32_t effLength, int32_t n, int32_t& result) {
    const int64_t r = int64_t{rest} - int64_t{n} * effLength;
    if (r < 0 || r > std::numeric_limits<int32_t>::max()) {
        return false;
    }
    result = static_cast<int32_t>(r);
    return true;
}

}  // namespace

TStab::TStab(int32_t stockIndex, int32_t usable)
    : Rest(usable), Usable(usable), StockIndex(stockIndex) {}

void TStab::CopyFrom(const TStab& source) {
    Rest = source.Rest;
    Usable = source.Usable;
    StockIndex = source.StockIndex;
    BarCount = source.BarCount;
    Pieces = source.Pieces;
}

void TStab::CopyFrom(const TStab& source, int kinds) {
    Rest = source.Rest;
    Usable = source.Usable;
    StockIndex = source.StockIndex;
    BarCount = source.BarCount;
    std::copy_n(source.Pieces.begin() + 1, kinds, Pieces.begin() + 1);
}

bool TStab::SamePattern(const TStab& other) const {
    return StockIndex == other.StockIndex && Usable == other.Usable && Rest == other.Rest &&
           Pieces == other.Pieces;
}

bool TStab::AddPiece(const JobTables& job, int k) {
    return AddPieces(job, k, 1);
}

bool TStab::AddPieces(const JobTables& job, int k, int32_t n) {
    int32_t rest = 0;
    if (!RestAfter(Rest, job.FixEffLength[k], n, rest)) {
        return false;
    }
    // Held within 32 bits even for a zero or negative effective length.
    Pieces[k] = static_cast<int32_t>(std::clamp<int64_t>(int64_t{Pieces[k]} + n,
                                                         std::numeric_limits<int32_t>::min(),
                                                         std::numeric_limits<int32_t>::max()));
    Rest = rest;
    return true;
}

void TStab::MakeEmpty(int32_t stockIndex, int32_t usable) {
    StockIndex = stockIndex;
    Usable = usable;
    Rest = usable;
    BarCount = 0;
    Pieces.fill(0);
}

}  // namespace zelk
