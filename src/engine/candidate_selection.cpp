// From the generated candidates to a short list of promising next bar entries: drop what breaks
// the machine limits, score by the weighted share of the open order and by rest, keep the best.
// The work is done on the compact candidate records; only the candidates kept become bars.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "engine/bearbeitung.h"
#include "engine/orderings.h"
#include "engine/unambiguous_order.h"

namespace zelk {

namespace {

// Below this many candidates "Kürzen bis" is not applied: there is too little choice left.
constexpr std::size_t kKindLimitMinCandidates = 30;

// From this many candidates on, the score order is not tried without the rest sort.
constexpr std::size_t kScoresAloneMaxCandidates = 1024;

// From this many candidates on, the search has the helper thread (where there is one) sort the
// rest order while the scores are computed: the selection may need it, and most often does.
constexpr std::size_t kRestOrderAheadMinCandidates = 1024;

// The weight of fix length k is 2^(FixKinds - k + 1): exact powers of two up to 2^80.
constexpr std::array<long double, kMaxKinds + 2> kPowersOfTwo = [] {
    std::array<long double, kMaxKinds + 2> powers{};
    long double power = 1;
    for (long double& entry : powers) {
        entry = power;
        power *= 2;
    }
    return powers;
}();

// The share of the open order that `pieces` pieces of fix length k cover, weighted by the length.
long double WeightedShare(int k, int64_t pieces, const KindArray& fixOpen, int fixKinds) {
    return static_cast<long double>(pieces) / fixOpen[k] * kPowersOfTwo[fixKinds - k + 1];
}

// Whether fix length k needs a drop-off bin with `pieces` pieces of it on one bar of the pattern:
// after that bar it is started and not finished, or the pattern starts it for the first time.
bool NeedsBin(int k, int64_t pieces, const KindArray& fixOpen, const JobTables& job) {
    const int64_t d = fixOpen[k] - pieces;
    return (0 < d && d < job.FixCountOrig[k]) || (fixOpen[k] == job.FixCountOrig[k] && pieces > 0);
}

// Removes the entries of order for which drop(record) holds; the others keep their order.
template <typename Predicate>
void DropRecords(std::vector<uint32_t>& order, Predicate drop) {
    std::erase_if(order, drop);
}

// Takes records handed to it into chosen until n are taken; a record whose pattern is already
// chosen is passed over. Returns false once n are taken.
class DistinctTaker {
public:
    DistinctTaker(const CandidateArena& arena, std::vector<uint32_t>& chosen, int n)
        : arena_(arena), chosen_(chosen), n_(n) {}

    bool operator()(uint32_t r) {
        if (taken_ >= n_) {
            return false;
        }
        // Looks through the chosen ones from the last back, as the rule says.
        const bool repeat = std::any_of(chosen_.rbegin(), chosen_.rend(),
                                        [this, r](uint32_t c) { return arena_.SamePattern(c, r); });
        if (!repeat) {
            chosen_.push_back(r);
            ++taken_;
        }
        return true;
    }

private:
    const CandidateArena& arena_;
    std::vector<uint32_t>& chosen_;
    int n_;
    int taken_ = 0;
};

// The score at the resolution the score order compares.
long double ScaledScore(const CandidateArena& arena, uint32_t r) {
    return arena.Score(r) * 1000.0L;
}

// The records of the list with keys that order them as the score order does: the whole parts of
// the scaled scores, negated for the descending order. False where a score is beyond 64 bits or
// undefined.
bool ScoreKeys(const CandidateArena& arena, std::vector<KeyedRecord>& keyed) {
    keyed.clear();
    for (const uint32_t r : arena.order) {
        const long double scaled = ScaledScore(arena, r);
        if (!(std::fabs(scaled) < 0x1p63L)) {
            return false;
        }
        keyed.push_back({-static_cast<int64_t>(scaled), r});
    }
    return true;
}

std::vector<long double> ScaledScores(const CandidateArena& arena) {
    std::vector<long double> scaled(arena.order.size());
    std::transform(arena.order.begin(), arena.order.end(), scaled.begin(),
                   [&arena](uint32_t r) { return ScaledScore(arena, r); });
    return scaled;
}

std::vector<int32_t> Rests(const CandidateArena& arena, std::size_t from) {
    std::vector<int32_t> rests(arena.order.size() - from);
    std::transform(arena.order.begin() + static_cast<std::ptrdiff_t>(from), arena.order.end(),
                   rests.begin(), [&arena](uint32_t r) { return arena.Rest(r); });
    return rests;
}

}  // namespace

void TBearbeitung::LoadCandidateList() {
    CandidateArena& arena = context_.candidates;
    arena.Clear();
    arena.AppendAll(Candidates, Job().FixKinds);
    context_.pool.ReleaseBars(Candidates);
}

void TBearbeitung::MakeCandidateList() {
    const CandidateArena& arena = context_.candidates;
    context_.pool.ReleaseBars(Candidates);
    Candidates.reserve(arena.order.size());
    for (const uint32_t r : arena.order) {
        Candidates.push_back(arena.MakeBar(r, context_.pool));
    }
}

void TBearbeitung::FilterCandidates() {
    LoadCandidateList();
    FilterRecords();
    MakeCandidateList();
}

void TBearbeitung::ScoreCandidates() {
    LoadCandidateList();
    ScoreRecords();
    MakeCandidateList();
}

void TBearbeitung::SelectCandidates(int n) {
    LoadCandidateList();
    SelectRecords(n);
    MakeCandidateList();
}

void TBearbeitung::FilterRecords() {
    // A bar carries at most FixKinds fix lengths and needs at most as many bins, so a limit of
    // FixKinds or more can drop nothing.
    const JobTables& job = Job();
    CandidateArena& arena = context_.candidates;
    if (arena.order.size() >= kKindLimitMinCandidates && context_.KindLimit < job.FixKinds) {
        const int kindLimit = context_.KindLimit;
        DropRecords(arena.order, [&](uint32_t r) { return arena.KindCount(r) > kindLimit; });
    }
    const int binLimit = context_.BinLimit;
    if (binLimit >= job.FixKinds) {
        return;
    }
    // The fix lengths a pattern does not hold need a bin by the open pieces alone: counted once,
    // then corrected for the fix lengths each pattern holds.
    int binsWithoutPieces = 0;
    std::array<bool, kMaxKinds + 1> needsBinAlone{};
    for (int k = 1; k <= job.FixKinds; ++k) {
        needsBinAlone[k] = NeedsBin(k, 0, FixOpen, job);
        binsWithoutPieces += needsBinAlone[k] ? 1 : 0;
    }
    DropRecords(arena.order, [&](uint32_t r) {
        int bins = binsWithoutPieces;
        const CandidateArena::Piece* pieces = arena.PiecesOf(r);
        for (int i = 0; i < arena.KindCount(r); ++i) {
            const int k = pieces[i].kind;
            bins +=
                (NeedsBin(k, pieces[i].count, FixOpen, job) ? 1 : 0) - (needsBinAlone[k] ? 1 : 0);
        }
        return bins > binLimit;
    });
}

long double TBearbeitung::PatternValue(const TStab& p) const {
    const int fixKinds = Job().FixKinds;
    long double value = 0;
    for (int k = 1; k <= fixKinds; ++k) {
        const int64_t pieces = int64_t{p.Pieces[k]} * p.BarCount;
        if (pieces > 0) {
            value += WeightedShare(k, pieces, FixOpen, fixKinds);
        }
    }
    return value;
}

void TBearbeitung::ScoreRecords(int scoreSorts) {
    ScoreEachRecord();
    SortRecordsByRestThenScore(scoreSorts);
}

void TBearbeitung::ScoreEachRecord() {
    CandidateArena& arena = context_.candidates;
    if (arena.order.empty()) {
        return;
    }
    const int fixKinds = Job().FixKinds;
    const auto [least, most] = std::minmax_element(
        arena.order.begin(), arena.order.end(),
        [&arena](uint32_t a, uint32_t b) { return arena.Rest(a) < arena.Rest(b); });
    const int32_t minRest = arena.Rest(*least);
    const int32_t maxRest = arena.Rest(*most);
    for (const uint32_t r : arena.order) {
        // From 1 for the least rest down to 0.5 for the greatest.
        long double f = 1;
        if (minRest != maxRest) {
            f = 1 - 0.5L * static_cast<long double>(int64_t{arena.Rest(r)} - minRest) /
                        static_cast<long double>(int64_t{maxRest} - minRest);
        }
        // The pattern value over the fix lengths the pattern holds, in rising order as always.
        const int64_t m = arena.BarCount(r);
        long double value = 0;
        const CandidateArena::Piece* pieces = arena.PiecesOf(r);
        for (int i = 0; i < arena.KindCount(r); ++i) {
            const int64_t onBars = pieces[i].count * m;
            if (onBars > 0) {
                value += WeightedShare(pieces[i].kind, onBars, FixOpen, fixKinds);
            }
        }
        arena.SetScore(r, f * value);
    }
}

void TBearbeitung::SortRecordsByRestThenScore(int scoreSorts, bool restOrderAhead) {
    CandidateArena& arena = context_.candidates;
    if (arena.order.empty()) {
        return;
    }
    std::vector<uint32_t> positions;
    if (restOrderAhead) {
        context_.sortHelper.Wait();
        arena.Reorder(context_.restOrderAhead);
    } else {
        RestOrder(Rests(arena, 0), positions, &context_.sortHelper);
        arena.Reorder(positions);
    }
    ScoreOrder(ScaledScores(arena), positions, &context_.sortHelper, scoreSorts);
    arena.Reorder(positions);
}

void TBearbeitung::ScoreAndSelectRecords(int n) {
    const bool restOrderAhead = StartRestOrderAhead();
    ScoreEachRecord();
    thread_local std::vector<KeyedRecord> byScore;
    const bool keyed = ScoreKeys(context_.candidates, byScore);
    if (keyed && SelectRecordsWithoutSorts(n, byScore)) {
        return;  // the rest order sorted ahead is not needed
    }
    // Among many candidates some score is nearly always held by two patterns: not looked for.
    if (!keyed || context_.candidates.order.size() >= kScoresAloneMaxCandidates ||
        !SortRecordsByScoreAlone(byScore)) {
        SortRecordsByRestThenScore(2, restOrderAhead);  // with the selection's own sort by score
    }
    SelectRecords(n, true);
}

bool TBearbeitung::StartRestOrderAhead() {
    const CandidateArena& arena = context_.candidates;
    if (arena.order.size() < kRestOrderAheadMinCandidates) {
        return false;
    }
    SortHelper& helper = context_.sortHelper;
    helper.Wait();  // the helper may still sort the rest order of an earlier list
    context_.restsAhead = Rests(arena, 0);
    return helper.TryStart(
        [&context = context_] { RestOrder(context.restsAhead, context.restOrderAhead); });
}

bool TBearbeitung::SelectRecordsWithoutSorts(int n, std::vector<KeyedRecord>& byScore) {
    CandidateArena& arena = context_.candidates;
    thread_local std::vector<KeyedRecord> byRest;
    thread_local std::vector<uint32_t> chosen;
    chosen.clear();
    DistinctTaker takeByScore(arena, chosen, n);
    std::size_t taken = 0;
    if (!TakeInKeyOrder(byScore, arena, takeByScore, taken)) {
        return false;
    }
    // The records the score order puts after those taken: the rest order is read from them.
    byRest.clear();
    for (std::size_t i = taken; i < byScore.size(); ++i) {
        byRest.push_back({arena.Rest(byScore[i].record), byScore[i].record});
    }
    DistinctTaker takeByRest(arena, chosen, n);
    std::size_t takenByRest = 0;
    if (!TakeInKeyOrder(byRest, arena, takeByRest, takenByRest)) {
        return false;
    }
    arena.order.assign(chosen.begin(), chosen.end());
    return true;
}

bool TBearbeitung::SortRecordsByScoreAlone(std::vector<KeyedRecord>& byScore) {
    CandidateArena& arena = context_.candidates;
    if (SomeKeyHasTwoPatterns(byScore, arena)) {
        return false;
    }
    std::sort(byScore.begin(), byScore.end(),
              [](const KeyedRecord& a, const KeyedRecord& b) { return a.key < b.key; });
    std::transform(byScore.begin(), byScore.end(), arena.order.begin(),
                   [](const KeyedRecord& entry) { return entry.record; });
    return true;
}

void TBearbeitung::SelectRecords(int n, bool sortedByScore) {
    CandidateArena& arena = context_.candidates;
    if (!sortedByScore) {
        std::vector<uint32_t> positions;
        ScoreOrder(ScaledScores(arena), positions, &context_.sortHelper);
        arena.Reorder(positions);
    }
    std::vector<uint32_t> chosen;
    DistinctTaker byScore(arena, chosen, n);
    std::size_t taken = 0;
    while (taken < arena.order.size() && byScore(arena.order[taken])) {
        ++taken;
    }
    // Only the front of the rest order is read, so it is sorted only that far.
    DistinctTaker byRest(arena, chosen, n);
    VisitRestOrder(Rests(arena, taken),
                   [&](uint32_t position) { return byRest(arena.order[taken + position]); });
    arena.order = std::move(chosen);
}

}  // namespace zelk
