// Depth-first search over sequences of bar entries. Each level tries a few selected candidates as
// the next entry; a plan without candidates is complete and may become the best plan. The levels
// share one plan: each appends its entry, searches below and takes the entry off again, so no
// plan is copied but a new best one.
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

void TBearbeitung::Search(SearchHost& host, bool narrow, int width, int budget,
                          std::unique_ptr<TBearbeitung>& best) {
    ++context_.counters.Nodes;
    if (host.StopRequested()) {
        return;
    }
    GenerateRecords(budget);
    FilterRecords();
    // The narrow pass keeps 3, then 2, then 1 per kind; the wide pass 5 at its root, 3 below.
    if (narrow) {
        if (width > 1) {
            --width;
        }
        ScoreAndSelectRecords(width);
    } else {
        ScoreAndSelectRecords(width > 0 ? 5 : 3);
        width = 0;
    }
    MakeCandidateList();

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
