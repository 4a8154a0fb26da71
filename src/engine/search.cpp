// Depth-first search over sequences of bar entries. Each level tries a few selected candidates as
// the next entry; a plan without candidates is complete and may become the best plan. The levels
// share one plan: each appends its entry, searches below and takes the entry off again, so no
// plan is copied but a new best one.
#include <array>
#include <span>

#include "engine/bearbeitung.h"

namespace zelk {

namespace {

// Whether extending plan can still beat best: plan plus one more bar of the longest stock length
// still on hand must not use more than best, and at the same use it needs less rest.
bool WorthExploring(const TBearbeitung& plan, const TBearbeitung* best) {
    if (best == nullptr || !best->Fulfilled) {
        return true;
    }
    const long double s = plan.UsedLength + plan.NextBarLength;
    if (best->UsedLength > s) {
        return true;
    }
    return best->UsedLength == s &&
           (best->RestExceptLast > plan.RestExceptLast ||
            (best->RestExceptLast == plan.RestExceptLast && best->TotalRest > plan.TotalRest));
}

// The totals of a plan, kept while an entry is tried and put back when it is taken off.
struct SavedTotals {
    explicit SavedTotals(const TBearbeitung& plan)
        : FixOpen(plan.FixOpen),
          StockLeft(plan.StockLeft),
          TotalRest(plan.TotalRest),
          UsedLength(plan.UsedLength),
          PieceLength(plan.PieceLength),
          RestExceptLast(plan.RestExceptLast),
          Fulfilled(plan.Fulfilled),
          NextBarLength(plan.NextBarLength) {}

    void RestoreTo(TBearbeitung& plan) const {
        plan.FixOpen = FixOpen;
        plan.StockLeft = StockLeft;
        plan.TotalRest = TotalRest;
        plan.UsedLength = UsedLength;
        plan.PieceLength = PieceLength;
        plan.RestExceptLast = RestExceptLast;
        plan.Fulfilled = Fulfilled;
        plan.NextBarLength = NextBarLength;
    }

    KindArray FixOpen;
    KindArray StockLeft;
    int32_t TotalRest;
    long double UsedLength;
    long double PieceLength;
    long double RestExceptLast;
    bool Fulfilled;
    long double NextBarLength;
};

}  // namespace

void TBearbeitung::SelectNextEntries(int n, int budget) {
    // The state: everything the generation, the filter, the scores and the selection read.
    const JobTables& job = Job();
    std::array<int32_t, 2 * kMaxKinds + 4> words{};
    std::size_t length = 0;
    for (int k = 1; k <= job.FixKinds; ++k) {
        words[length++] = FixOpen[k];
    }
    for (int s = 1; s <= job.StockKinds; ++s) {
        words[length++] = StockLeft[s];
    }
    for (const int32_t value : {n, budget, context_.KindLimit, context_.BinLimit}) {
        words[length++] = value;
    }
    const std::span<const int32_t> state(words.data(), length);

    SelectionMemo& memo = context_.selections;
    context_.pool.ReleaseBars(Candidates);
    int64_t generated = 0;
    if (memo.Recall(state, context_.pool, Candidates, generated)) {
        MarkLongPieces();  // as the generation would have marked them
        context_.counters.Candidates += generated;
        return;
    }
    const int64_t before = context_.counters.Candidates;
    GenerateRecords(budget);
    FilterRecords();
    ScoreAndSelectRecords(n);
    memo.Keep(state, context_.candidates, context_.counters.Candidates - before);
    MakeCandidateList();
}

void TBearbeitung::Search(SearchHost& host, bool narrow, int width, int budget,
                          std::unique_ptr<TBearbeitung>& best) {
    ++context_.counters.Nodes;
    if (host.StopRequested()) {
        return;
    }
    // The narrow pass keeps 3, then 2, then 1 per kind; the wide pass 5 at its root, 3 below.
    int n = 0;
    if (narrow) {
        if (width > 1) {
            --width;
        }
        n = width;
    } else {
        n = width > 0 ? 5 : 3;
        width = 0;
    }
    SelectNextEntries(n, budget);

    if (Candidates.empty()) {
        // The totals are current: every entry was added to them when it was appended.
        if (IsBetterPlan(*this, best.get())) {
            best = CreateCopy(*this, true, false);
            host.ShowBestPlan(*best, BestPlanEvent::Improvement);
        }
        return;
    }
    // The levels below generate their own candidates into the list.
    BarList selected = std::move(Candidates);
    Candidates.clear();
    for (std::unique_ptr<TStab>& candidate : selected) {
        SearchWithNextBar(std::move(candidate), host, narrow, width, budget, best);
    }
}

void TBearbeitung::SearchWithNextBar(std::unique_ptr<TStab> bar, SearchHost& host, bool narrow,
                                     int width, int budget, std::unique_ptr<TBearbeitung>& best) {
    BarPool& pool = context_.pool;
    // The bound looks at this plan, the one being extended, not at the plan with the new entry.
    if (!WorthExploring(*this, best.get())) {
        pool.ReleaseBar(std::move(bar));
        return;
    }
    const SavedTotals saved(*this);
    Bars.push_back(std::move(bar));
    AddLastBarToTotals();
    Search(host, narrow, width, budget, best);
    pool.ReleaseBar(std::move(Bars.back()));
    Bars.pop_back();
    saved.RestoreTo(*this);
}

}  // namespace zelk
