#include "reference_engine.h"

#include <cmath>

namespace zelk::reference {

namespace {

Bar NewBar(int32_t stockIndex, int32_t usable) {
    Bar bar;
    bar.StockIndex = stockIndex;
    bar.Usable = usable;
    bar.Rest = usable;
    return bar;
}

bool AddPiece(const JobTables& job, Bar& bar, int k) {
    const int64_t r = int64_t{bar.Rest} - job.FixEffLength[k];
    if (r < 0) {
        return false;
    }
    bar.Pieces[k] += 1;
    bar.Rest = static_cast<int32_t>(r);
    return true;
}

bool SamePattern(const Bar& a, const Bar& b) {
    return a.StockIndex == b.StockIndex && a.Usable == b.Usable && a.Rest == b.Rest &&
           a.Pieces == b.Pieces;
}

bool ContainsPattern(const std::vector<Bar>& list, const Bar& bar) {
    for (int i = static_cast<int>(list.size()) - 1; i >= 0; --i) {
        if (SamePattern(list[i], bar)) {
            return true;
        }
    }
    return false;
}

int CompareRest(const Bar& a, const Bar& b) {
    return a.Rest < b.Rest ? -1 : (a.Rest > b.Rest ? 1 : 0);
}

int CompareScore(const Bar& a, const Bar& b) {
    const long double A = std::trunc(a.Score * 1000);
    const long double B = std::trunc(b.Score * 1000);
    return A > B ? -1 : (A < B ? 1 : 0);
}

// Pattern generation with its working values.
class Generation {
public:
    Generation(Engine& engine, Plan& plan, int budget)
        : engine_(engine), job_(engine.job), plan_(plan), budget_(budget) {}

    void Run() {
        plan_.Candidates.clear();
        for (int k = 1; k <= job_.FixKinds; ++k) {
            isLong_[k] = job_.FixEffLength[k] >= job_.LongPieceLimit && plan_.FixOpen[k] > 0;
            if (isLong_[k] && (minLong_ == -1 || job_.FixEffLength[k] < minLong_)) {
                minLong_ = job_.FixEffLength[k];
            }
        }
        for (int s = 1; s <= job_.StockKinds; ++s) {
            if (plan_.StockLeft[s] > 0) {
                int k0 = 0;
                for (int k = job_.FixKinds; k >= 1; --k) {
                    if (isLong_[k]) {
                        k0 = k;
                    }
                }
                if (k0 != 0 && static_cast<int>(plan_.Candidates.size()) < budget_) {
                    Bar bar = NewBar(s, job_.StockUsable[s]);
                    EnumerateLong(bar, k0);
                }
            }
        }
        for (int s = 1; s <= job_.StockKinds; ++s) {
            if (plan_.StockLeft[s] > 0 && static_cast<int>(plan_.Candidates.size()) < budget_) {
                CompleteBar(NewBar(s, job_.StockUsable[s]));
            }
        }
        for (Bar& p : plan_.Candidates) {
            int32_t m = plan_.StockLeft[p.StockIndex];
            for (int k = 1; k <= job_.FixKinds; ++k) {
                if (p.Pieces[k] > 0) {
                    int32_t q = plan_.FixOpen[k] / p.Pieces[k];
                    if (q == 0) {
                        q = 1;
                    }
                    if (q < m) {
                        m = q;
                    }
                }
            }
            p.BarCount = m;
        }
    }

private:
    bool NoLongPieceFits(const Bar& bar) const { return minLong_ > bar.Rest; }

    void AddCandidate(const Bar& bar) {
        if (bar.Rest != bar.Usable) {
            plan_.Candidates.push_back(bar);
            ++engine_.CandidatesGenerated;
        }
    }

    void CompleteBar(const Bar& bar) {
        bool added = false;
        for (int i = 1; i <= job_.FixKinds; ++i) {
            if (plan_.FixOpen[i] > 0 && !isLong_[i]) {
                Bar tmp = bar;
                while (tmp.Pieces[i] < plan_.FixOpen[i] && AddPiece(job_, tmp, i)) {
                }
                for (int j = i + 1; j <= job_.FixKinds; ++j) {
                    if (plan_.FixOpen[j] > 0) {
                        while (tmp.Pieces[j] < plan_.FixOpen[j] && AddPiece(job_, tmp, j)) {
                        }
                    }
                }
                if (tmp.Rest != bar.Rest) {
                    AddCandidate(tmp);
                    added = true;
                }
            }
        }
        if (!added) {
            AddCandidate(bar);
        }
    }

    void EnumerateLong(Bar& bar, int k) {
        if (static_cast<int64_t>(plan_.Candidates.size()) > 2 * int64_t{budget_}) {
            return;
        }
        Bar tmp;
        if (isLong_[k]) {
            bool filled = false;
            while (true) {
                if (NoLongPieceFits(bar)) {
                    tmp = bar;
                    CompleteBar(tmp);
                    filled = true;
                }
                if (k < job_.FixKinds) {
                    tmp = bar;
                    EnumerateLong(tmp, k + 1);
                }
                if (bar.Pieces[k] < plan_.FixOpen[k] && AddPiece(job_, bar, k)) {
                    filled = false;
                } else {
                    break;
                }
            }
            if (!filled) {
                tmp = bar;
                CompleteBar(tmp);
            }
        } else if (k < job_.FixKinds) {
            tmp = bar;
            EnumerateLong(tmp, k + 1);
        }
        if (NoLongPieceFits(bar)) {
            CompleteBar(bar);
        }
    }

    Engine& engine_;
    const JobTables& job_;
    Plan& plan_;
    int budget_;
    std::array<bool, kMaxKinds + 1> isLong_{};
    int32_t minLong_ = -1;
};

long double PatternValue(const Engine& engine, const Plan& plan, const Bar& p) {
    const int fixKinds = engine.job.FixKinds;
    long double value = 0;
    for (int k = 1; k <= fixKinds; ++k) {
        const int64_t pieces = int64_t{p.Pieces[k]} * p.BarCount;
        if (pieces > 0) {
            value += (static_cast<long double>(pieces) / plan.FixOpen[k]) *
                     std::ldexp(1.0L, fixKinds - k + 1);
        }
    }
    return value;
}

// Step 2 of the selection: takes up to n candidates from the front, dropping repeats.
void TakeDistinct(std::vector<Bar>& candidates, std::vector<Bar>& chosen, int n) {
    int taken = 0;
    while (taken < n && !candidates.empty()) {
        const Bar first = candidates.front();
        candidates.erase(candidates.begin());
        if (!ContainsPattern(chosen, first)) {
            chosen.push_back(first);
            ++taken;
        }
    }
}

bool WorthExploring(const Plan& plan, const std::optional<Plan>& best) {
    if (!best || !best->Fulfilled) {
        return true;
    }
    const long double s = plan.UsedLength + plan.NextBarLength;
    return best->UsedLength > s ||
           (best->UsedLength == s &&
            (best->RestExceptLast > plan.RestExceptLast ||
             (best->RestExceptLast == plan.RestExceptLast && best->TotalRest > plan.TotalRest)));
}

struct SearchRun {
    Engine& engine;
    int budget;
    const std::function<bool()>& stopRequested;
    std::optional<Plan> best;
    std::vector<Shown> shown;

    void Show(bool passFinished) {
        shown.push_back({passFinished, best->Bars, best->Fulfilled, best->UsedLength,
                         engine.CandidatesGenerated});
    }

    void Search(Plan& P, bool narrow, int width) {
        ++engine.Nodes;
        if (stopRequested()) {
            return;
        }
        GeneratePatterns(engine, P, budget);
        FilterCandidates(engine, P);
        ScoreCandidates(engine, P);
        if (narrow) {
            if (width > 1) {
                width = width - 1;
            }
            SelectCandidates(P, width);
        } else {
            SelectCandidates(P, width > 0 ? 5 : 3);
            width = 0;
        }
        if (P.Candidates.empty()) {
            UpdateTotals(engine, P);
            if (IsBetterPlan(P, best)) {
                Plan copy;
                copy.Bars = P.Bars;
                UpdateTotals(engine, copy);
                best = copy;
                Show(false);
            }
            return;
        }
        while (!P.Candidates.empty()) {
            Plan child;
            child.Bars = P.Bars;
            child.Bars.push_back(P.Candidates.front());
            P.Candidates.erase(P.Candidates.begin());
            UpdateTotals(engine, child);
            if (WorthExploring(P, best)) {
                Search(child, narrow, width);
            }
        }
    }
};

}  // namespace

void UpdateTotals(const Engine& engine, Plan& plan) {
    const JobTables& job = engine.job;
    plan.TotalRest = 0;
    plan.UsedLength = 0;
    plan.PieceLength = 0;
    plan.RestExceptLast = 0;
    plan.NextBarLength = 0;
    for (int k = 1; k <= kMaxKinds; ++k) {
        plan.FixOpen[k] = job.FixCountOrig[k];
    }
    for (int s = 1; s <= kMaxKinds; ++s) {
        plan.StockLeft[s] = job.StockCountOrig[s];
    }
    const std::size_t n = plan.Bars.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Bar& b = plan.Bars[i];
        plan.TotalRest += b.Rest;
        if (!(i == n - 1 && b.BarCount == 1)) {
            plan.RestExceptLast += b.Rest;
        }
        plan.StockLeft[b.StockIndex] -= b.BarCount;
        plan.UsedLength += static_cast<long double>(int64_t{b.BarCount} * b.Usable);
        for (int k = 1; k <= kMaxKinds; ++k) {
            plan.FixOpen[k] -= b.Pieces[k] * b.BarCount;
            plan.PieceLength +=
                static_cast<long double>(int64_t{b.Pieces[k]} * b.BarCount * job.FixLength[k]);
        }
    }
    plan.Fulfilled = true;
    for (int k = 1; k <= kMaxKinds; ++k) {
        if (plan.FixOpen[k] > 0) {
            plan.Fulfilled = false;
        }
    }
    int chosen = 0;
    for (int s = 1; s <= kMaxKinds; ++s) {
        if (plan.StockLeft[s] > 0 &&
            (chosen == 0 || job.StockUsable[s] > job.StockUsable[chosen])) {
            chosen = s;
        }
    }
    if (chosen != 0) {
        plan.NextBarLength = job.StockLength[chosen];
    }
}

void GeneratePatterns(Engine& engine, Plan& plan, int budget) {
    Generation(engine, plan, budget).Run();
}

void FilterCandidates(const Engine& engine, Plan& plan) {
    const JobTables& job = engine.job;
    std::vector<Bar>& list = plan.Candidates;
    if (list.size() >= 30) {
        for (int i = static_cast<int>(list.size()) - 1; i >= 0; --i) {
            int kinds = 0;
            for (int k = 1; k <= job.FixKinds; ++k) {
                if (list[i].Pieces[k] != 0) {
                    ++kinds;
                }
            }
            if (kinds > engine.KindLimit) {
                list.erase(list.begin() + i);
            }
        }
    }
    for (int i = static_cast<int>(list.size()) - 1; i >= 0; --i) {
        int bins = 0;
        for (int k = 1; k <= job.FixKinds; ++k) {
            const int32_t d = plan.FixOpen[k] - list[i].Pieces[k];
            if ((0 < d && d < job.FixCountOrig[k]) ||
                (plan.FixOpen[k] == job.FixCountOrig[k] && list[i].Pieces[k] > 0)) {
                ++bins;
            }
        }
        if (bins > engine.BinLimit) {
            list.erase(list.begin() + i);
        }
    }
}

void ScoreCandidates(const Engine& engine, Plan& plan) {
    std::vector<Bar>& list = plan.Candidates;
    if (list.empty()) {
        return;
    }
    PlainListSort(list, CompareRest);
    const int32_t minRest = list.front().Rest;
    const int32_t maxRest = list.back().Rest;
    for (Bar& p : list) {
        long double f = 1;
        if (minRest != maxRest) {
            f = 1 - 0.5L * static_cast<long double>(p.Rest - minRest) / (maxRest - minRest);
        }
        p.Score = f * PatternValue(engine, plan, p);
    }
    PlainListSort(list, CompareScore);
}

void SelectCandidates(Plan& plan, int n) {
    std::vector<Bar> chosen;
    PlainListSort(plan.Candidates, CompareScore);
    TakeDistinct(plan.Candidates, chosen, n);
    PlainListSort(plan.Candidates, CompareRest);
    TakeDistinct(plan.Candidates, chosen, n);
    plan.Candidates = chosen;
}

bool IsBetterPlan(const Plan& plan, const std::optional<Plan>& best) {
    if (!best) {
        return true;
    }
    if (plan.Fulfilled && !best->Fulfilled) {
        return true;
    }
    if (!plan.Fulfilled && best->Fulfilled) {
        return false;
    }
    if (plan.PieceLength > best->PieceLength) {
        return true;
    }
    if (plan.UsedLength < best->UsedLength && plan.Fulfilled) {
        return true;
    }
    if (plan.UsedLength != best->UsedLength) {
        return false;
    }
    if (plan.PieceLength < best->PieceLength) {
        return false;
    }
    if (plan.RestExceptLast < best->RestExceptLast) {
        return true;
    }
    if (plan.RestExceptLast == best->RestExceptLast && plan.TotalRest < best->TotalRest) {
        return true;
    }
    return false;
}

std::vector<Shown> RunCalculation(Engine& engine, Plan root, int budget,
                                  const std::function<bool()>& stopRequested) {
    UpdateTotals(engine, root);
    SearchRun run{engine, budget, stopRequested, std::nullopt, {}};
    for (const bool narrow : {true, false}) {
        run.Search(root, narrow, 4);
        if (run.best) {
            run.Show(true);
        }
    }
    return run.shown;
}

}  // namespace zelk::reference
