// From the generated candidates to a short list of promising next bar entries: drop what breaks
// the machine limits, score by the weighted share of the open order and by rest, keep the best.
#include <array>
#include <vector>

#include "engine/bearbeitung.h"
#include "engine/orderings.h"

namespace zelk {

namespace {

// Below this many candidates "Kürzen bis" is not applied: there is too little choice left.
constexpr std::size_t kKindLimitMinCandidates = 30;

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

int KindsOnBar(const TStab& p, int fixKinds) {
    int kinds = 0;
    for (int k = 1; k <= fixKinds; ++k) {
        if (p.Pieces[k] != 0) {
            ++kinds;
        }
    }
    return kinds;
}

// Fix lengths that one bar of the pattern leaves started but not finished, or starts for the first
// time: each needs its own drop-off bin at the machine.
int BinsNeeded(const TStab& p, const KindArray& fixOpen, const JobTables& job) {
    int bins = 0;
    for (int k = 1; k <= job.FixKinds; ++k) {
        const int64_t d = int64_t{fixOpen[k]} - p.Pieces[k];
        if ((0 < d && d < job.FixCountOrig[k]) ||
            (fixOpen[k] == job.FixCountOrig[k] && p.Pieces[k] > 0)) {
            ++bins;
        }
    }
    return bins;
}

// Removes the candidates for which drop(candidate) holds; the others keep their order.
template <typename Predicate>
void DropCandidates(BarList& candidates, Predicate drop) {
    std::erase_if(candidates, [&drop](const std::unique_ptr<TStab>& p) { return drop(*p); });
}

// Takes candidates handed to it into chosen until n are taken; a candidate whose pattern is
// already chosen is freed. Returns false once n are taken.
class DistinctTaker {
public:
    DistinctTaker(BarList& chosen, int n) : chosen_(chosen), n_(n) {}

    bool operator()(std::unique_ptr<TStab>& candidate) {
        if (taken_ >= n_) {
            return false;
        }
        if (ContainsPattern(chosen_, *candidate)) {
            candidate.reset();
        } else {
            chosen_.push_back(std::move(candidate));
            ++taken_;
        }
        return true;
    }

private:
    BarList& chosen_;
    int n_;
    int taken_ = 0;
};

}  // namespace

void TBearbeitung::FilterCandidates() {
    // A bar carries at most FixKinds fix lengths and needs at most as many bins, so a limit of
    // FixKinds or more can drop nothing.
    const JobTables& job = Job();
    if (Candidates.size() >= kKindLimitMinCandidates && context_.KindLimit < job.FixKinds) {
        const int kindLimit = context_.KindLimit;
        DropCandidates(Candidates,
                       [&](const TStab& p) { return KindsOnBar(p, job.FixKinds) > kindLimit; });
    }
    const int binLimit = context_.BinLimit;
    if (binLimit >= job.FixKinds) {
        return;
    }
    DropCandidates(Candidates,
                   [&](const TStab& p) { return BinsNeeded(p, FixOpen, job) > binLimit; });
}

long double TBearbeitung::PatternValue(const TStab& p) const {
    const JobTables& job = Job();
    const int64_t m = p.BarCount;
    long double value = 0;
    for (int k = 1; k <= job.FixKinds; ++k) {
        const int64_t pieces = p.Pieces[k] * m;
        if (pieces > 0) {
            const long double share = static_cast<long double>(pieces) / FixOpen[k];
            value += share * kPowersOfTwo[job.FixKinds - k + 1];
        }
    }
    return value;
}

void TBearbeitung::ScoreCandidates() {
    if (Candidates.empty()) {
        return;
    }
    SortByRest(Candidates);
    const int32_t minRest = Candidates.front()->Rest;
    const int32_t maxRest = Candidates.back()->Rest;
    std::vector<long double> scaledScores;
    scaledScores.reserve(Candidates.size());
    for (const std::unique_ptr<TStab>& p : Candidates) {
        // From 1 for the least rest down to 0.5 for the greatest.
        long double f = 1;
        if (minRest != maxRest) {
            f = 1 - 0.5L * static_cast<long double>(int64_t{p->Rest} - minRest) /
                        static_cast<long double>(int64_t{maxRest} - minRest);
        }
        p->Score = f * PatternValue(*p);
        scaledScores.push_back(p->Score * 1000.0L);
    }
    SortByScore(Candidates, std::move(scaledScores));
}

void TBearbeitung::SelectCandidates(int n) {
    BarList chosen;
    SortByScore(Candidates);
    DistinctTaker byScore(chosen, n);
    for (std::unique_ptr<TStab>& candidate : Candidates) {
        if (!byScore(candidate)) {
            break;
        }
    }
    std::erase(Candidates, nullptr);
    // Only the front of the rest order is read, so it is sorted only that far.
    VisitByRest(Candidates, DistinctTaker(chosen, n));
    context_.pool.ReleaseBars(Candidates);
    Candidates = std::move(chosen);
}

}  // namespace zelk
