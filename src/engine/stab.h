// A bar: one stock length with the pieces cut from one bar of it and the number of bars cut the
// same way. The same type serves as a bar entry of a cutting plan and as a candidate pattern.
#pragma once

#include <cstdint>

#include "job/job_tables.h"

namespace zelk {

struct TStab {
    int32_t Rest = 0;        // usable length still free after the pieces, hundredths
    int32_t Usable = 0;      // usable length of the bar when it was made
    int32_t StockIndex = 0;  // stock length of the bar, 1 .. StockKinds
    int32_t BarCount = 0;    // bars cut to this pattern (0 while a pattern is being built)
    KindArray Pieces{};      // pieces of fix length k on one bar, 1-based
    long double Score = 0;   // meaningful only after the candidates were scored

    TStab() = default;
    // A new empty bar of the stock length.
    TStab(int32_t stockIndex, int32_t usable);

    // Every field but the score.
    void CopyFrom(const TStab& source);

    // The same with the pieces of fix lengths 1 .. kinds only, for two bars of one job: beyond its
    // fix lengths both hold no pieces.
    void CopyFrom(const TStab& source, int kinds);

    // Same stock length, usable length, rest and pieces; bar count and score do not count.
    bool SamePattern(const TStab& other) const;

    // One more piece of fix length k when it fits (a piece that fills the bar exactly fits).
    bool AddPiece(const JobTables& job, int k);

    // n more pieces of fix length k when all of them fit; nothing changes otherwise. A negative n
    // (typed into the result grid) takes pieces off and gives their length back.
    bool AddPieces(const JobTables& job, int k, int32_t n);

    // Resets a recycled bar to an empty bar of the stock length; the score is left as it is.
    void MakeEmpty(int32_t stockIndex, int32_t usable);
};

}  // namespace zelk
