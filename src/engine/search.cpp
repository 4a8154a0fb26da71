// Depth-first search over sequences of bar entries. Each level tries a few selected candidates as
// the next entry; a plan without candidates is complete and may become the best plan.
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

}  // namespace

void TBearbeitung::Search(SearchHost& host, bool narrow, int width, int budget,
                          std::unique_ptr<TBearbeitung>& best) {
    ++context_.counters.Nodes;
    if (host.StopRequested()) {
        return;
    }
    GeneratePatterns(budget);
    FilterCandidates();
    ScoreCandidates();
    // The narrow pass keeps 3, then 2, then 1 per kind; the wide pass 5 at its root, 3 below.
    if (narrow) {
        if (width > 1) {
            --width;
        }
        SelectCandidates(width);
    } else {
        SelectCandidates(width > 0 ? 5 : 3);
        width = 0;
    }

    if (Candidates.empty()) {
        UpdateTotals();
        if (IsBetterPlan(*this, best.get())) {
            best = CreateCopy(*this, true, false);
            host.ShowBestPlan(*best, BestPlanEvent::Improvement);
        }
        return;
    }
    while (!Candidates.empty()) {
        // The child's totals are computed once, with its new bar.
        std::unique_ptr<TBearbeitung> child = CopyWithoutTotals(true, false);
        child->Bars.push_back(std::move(Candidates.front()));
        Candidates.erase(Candidates.begin());
        child->UpdateTotals();
        if (WorthExploring(*this, best.get())) {
            child->Search(host, narrow, width, budget, best);
        }
    }
}

}  // namespace zelk
