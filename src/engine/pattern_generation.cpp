// The ways to cut the next bar. Pieces at least LongPieceLimit long (with kerf and tolerance)
// are long: every combination of counts of the long pieces is walked depth-first, and each
// combination is completed greedily with the short pieces. The budget bounds the work.
#include <algorithm>

#include "engine/bearbeitung.h"

namespace zelk {

void TBearbeitung::GeneratePatterns(int budget) {
    GenerateRecords(budget);
    MakeCandidateList();
}

void TBearbeitung::GenerateRecords(int budget) {
    const JobTables& job = Job();
    BarPool& pool = context_.pool;
    pool.ReleaseBars(Candidates);
    context_.candidates.Clear();
    budget_ = budget;
    MarkLongPieces();

    const auto withinBudget = [this] {
        return static_cast<int64_t>(context_.candidates.RecordCount()) < budget_;
    };
    const auto firstLong = std::find(IsLong.begin() + 1, IsLong.begin() + job.FixKinds + 1, true);
    for (int s = 1; s <= job.StockKinds; ++s) {
        if (StockLeft[s] > 0 && firstLong != IsLong.begin() + job.FixKinds + 1 && withinBudget()) {
            std::unique_ptr<TStab> bar = pool.ObtainBar(s, job.StockUsable[s]);
            EnumerateLong(*bar, static_cast<int>(firstLong - IsLong.begin()));
            pool.ReleaseBar(std::move(bar));
        }
    }
    for (int s = 1; s <= job.StockKinds && withinBudget(); ++s) {
        if (StockLeft[s] > 0) {
            std::unique_ptr<TStab> bar = pool.ObtainBar(s, job.StockUsable[s]);
            CompleteBar(*bar);
            pool.ReleaseBar(std::move(bar));
        }
    }
}

void TBearbeitung::MarkLongPieces() {
    const JobTables& job = Job();
    minLongLength_ = -1;
    anyShortOpen_ = false;
    for (int k = 1; k <= job.FixKinds; ++k) {
        IsLong[k] = job.FixEffLength[k] >= job.LongPieceLimit && FixOpen[k] > 0;
        anyShortOpen_ = anyShortOpen_ || (FixOpen[k] > 0 && !IsLong[k]);
        if (IsLong[k] && (minLongLength_ == -1 || job.FixEffLength[k] < minLongLength_)) {
            minLongLength_ = job.FixEffLength[k];
        }
    }
}

// As many bars as the plan could cut to the pattern at once: no more than are on hand, no more
// than the open pieces allow, but at least one even when fewer pieces are open than it holds.
int32_t TBearbeitung::BarCountFor(uint32_t r) const {
    const CandidateArena& arena = context_.candidates;
    int32_t m = StockLeft[arena.StockIndex(r)];
    const CandidateArena::Piece* pieces = arena.PiecesOf(r);
    for (int i = 0; i < arena.KindCount(r); ++i) {
        // FixOpen div Pieces is below m exactly when FixOpen < m x Pieces; only then divide.
        const int32_t open = FixOpen[pieces[i].kind];
        const int32_t count = pieces[i].count;
        if (count > 0 && int64_t{open} < int64_t{m} * count) {
            m = std::min(m, std::max(open / count, 1));
        }
    }
    return m;
}

bool TBearbeitung::NoLongPieceFits(const TStab& bar) const {
    return minLongLength_ > bar.Rest;
}

// The bar count is set here, while the bar is at hand, rather than in a pass over all
// candidates after the generation: the open pieces and bars on hand do not change meanwhile.
void TBearbeitung::AddCandidate(const TStab& bar) {
    if (bar.Rest != bar.Usable) {
        const uint32_t r = context_.candidates.Append(bar, Job().FixKinds, 0);
        context_.candidates.SetBarCount(r, BarCountFor(r));
        ++context_.counters.Candidates;
    }
}

// Puts as many more pieces of fix length k on bar as are open and fit: the same as putting them
// on one by one while both hold, found at once when a piece takes some length.
void TBearbeitung::FillUp(TStab& bar, int k) const {
    const JobTables& job = Job();
    const int32_t effLength = job.FixEffLength[k];
    if (effLength <= 0) {
        while (bar.Pieces[k] < FixOpen[k] && bar.AddPiece(job, k)) {
        }
        return;
    }
    if (bar.Pieces[k] < FixOpen[k] && bar.Rest >= 0) {
        const int64_t pieces =
            std::min<int64_t>(int64_t{FixOpen[k]} - bar.Pieces[k], bar.Rest / effLength);
        bar.AddPieces(job, k, static_cast<int32_t>(pieces));
    }
}

// One greedy completion per short fix length: starting with that length, each fix length from it
// on (long or short) is filled as far as it is open and fits. bar itself is not changed.
void TBearbeitung::CompleteBar(const TStab& bar) {
    if (!anyShortOpen_) {
        AddCandidate(bar);  // nothing to complete it with
        return;
    }
    const int fixKinds = Job().FixKinds;
    bool added = false;
    for (int i = 1; i <= fixKinds; ++i) {
        if (FixOpen[i] <= 0 || IsLong[i]) {
            continue;
        }
        completion_.CopyFrom(bar, fixKinds);
        FillUp(completion_, i);
        for (int j = i + 1; j <= fixKinds; ++j) {
            if (FixOpen[j] > 0) {
                FillUp(completion_, j);
            }
        }
        if (completion_.Rest != bar.Rest) {
            AddCandidate(completion_);
            added = true;
        }
    }
    if (!added) {
        AddCandidate(bar);
    }
}

// Walks the counts of fix lengths k .. FixKinds on bar. Each level adds pieces of its own fix
// length only and takes them off again before it returns, so the levels below work on the same
// bar instead of on copies, and bar is as before when the walk ends.
void TBearbeitung::EnumerateLong(TStab& bar, int k) {
    const JobTables& job = Job();
    if (static_cast<int64_t>(context_.candidates.RecordCount()) > 2 * int64_t{budget_}) {
        return;
    }
    const int32_t restBefore = bar.Rest;
    const int32_t piecesBefore = bar.Pieces[k];
    if (IsLong[k]) {
        bool filled = false;
        while (true) {
            if (NoLongPieceFits(bar)) {
                CompleteBar(bar);
                filled = true;
            }
            if (k < job.FixKinds) {
                EnumerateLong(bar, k + 1);
            }
            if (bar.Pieces[k] < FixOpen[k] && bar.AddPiece(job, k)) {
                filled = false;
            } else {
                break;
            }
        }
        if (!filled) {
            CompleteBar(bar);
        }
    } else if (k < job.FixKinds) {
        EnumerateLong(bar, k + 1);
    }
    if (NoLongPieceFits(bar)) {
        CompleteBar(bar);
    }
    bar.Rest = restBefore;
    bar.Pieces[k] = piecesBefore;
}

}  // namespace zelk
