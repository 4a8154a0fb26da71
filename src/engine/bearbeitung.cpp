#include "engine/bearbeitung.h"

#include <algorithm>
#include <limits>

namespace zelk {

namespace {

// Sums of counts that absurd user input could push past 32 bits are formed in 64 bits and held
// at the edge of the 32-bit range instead of wrapping around.
int32_t Saturated(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

void CopyEntries(const BarList& source, BarList& target) {
    target.reserve(source.size());
    for (const std::unique_ptr<TStab>& bar : source) {
        target.push_back(std::make_unique<TStab>(*bar));
    }
}

}  // namespace

TBearbeitung::TBearbeitung(EngineContext& context) : context_(context) {}

std::unique_ptr<TBearbeitung> TBearbeitung::CreateCopy(const TBearbeitung& source, bool withBars,
                                                       bool withCandidates) {
    std::unique_ptr<TBearbeitung> plan = source.CopyWithoutTotals(withBars, withCandidates);
    plan->UpdateTotals();
    return plan;
}

std::unique_ptr<TBearbeitung> TBearbeitung::CopyWithoutTotals(bool withBars,
                                                              bool withCandidates) const {
    auto plan = std::make_unique<TBearbeitung>(context_);
    if (withBars) {
        CopyEntries(Bars, plan->Bars);
    }
    if (withCandidates) {
        CopyEntries(Candidates, plan->Candidates);
    }
    return plan;
}

void TBearbeitung::ClearBars() {
    Bars.clear();
}

void TBearbeitung::ClearCandidates() {
    Candidates.clear();
}

void TBearbeitung::UpdateTotals() {
    const JobTables& job = Job();
    std::array<int64_t, kMaxKinds + 1> fixOpen{};
    std::array<int64_t, kMaxKinds + 1> stockLeft{};
    for (int k = 1; k <= kMaxKinds; ++k) {
        fixOpen[k] = job.FixCountOrig[k];
        stockLeft[k] = job.StockCountOrig[k];
    }
    int64_t totalRest = 0;
    UsedLength = 0;
    PieceLength = 0;
    RestExceptLast = 0;

    const std::size_t n = Bars.size();
    for (std::size_t i = 0; i < n; ++i) {
        const TStab& b = *Bars[i];
        totalRest += b.Rest;
        if (!(i == n - 1 && b.BarCount == 1)) {
            RestExceptLast += b.Rest;
        }
        stockLeft[b.StockIndex] -= b.BarCount;
        UsedLength += static_cast<long double>(int64_t{b.BarCount} * b.Usable);
        // Bars carry pieces of the job's fix lengths only: beyond FixKinds every count is 0.
        for (int k = 1; k <= job.FixKinds; ++k) {
            if (b.Pieces[k] != 0) {
                const int64_t pieces = int64_t{b.Pieces[k]} * b.BarCount;
                fixOpen[k] -= pieces;
                PieceLength += static_cast<long double>(pieces) * job.FixLength[k];
            }
        }
    }

    TotalRest = Saturated(totalRest);
    for (int k = 1; k <= kMaxKinds; ++k) {
        FixOpen[k] = Saturated(fixOpen[k]);
        StockLeft[k] = Saturated(stockLeft[k]);
    }
    SetFulfilledAndNextBar();
}

void TBearbeitung::AddLastBarToTotals() {
    const JobTables& job = Job();
    const TStab& b = *Bars.back();
    // A total held at the edge of the 32-bit range has lost its true value: it is counted anew
    // from all entries, as UpdateTotals does.
    const auto atEdge = [](int32_t value) {
        return value == std::numeric_limits<int32_t>::min() ||
               value == std::numeric_limits<int32_t>::max();
    };
    bool recount = atEdge(TotalRest) || atEdge(StockLeft[b.StockIndex]);
    for (int k = 1; k <= job.FixKinds; ++k) {
        recount = recount || (b.Pieces[k] != 0 && atEdge(FixOpen[k]));
    }
    if (recount) {
        UpdateTotals();
        return;
    }
    // The entry before no longer ends the list, so its rest counts now even as a single bar. The
    // rests are whole numbers far below 2^64: the extended sum is exact in any order.
    const std::size_t n = Bars.size();
    if (n >= 2 && Bars[n - 2]->BarCount == 1) {
        RestExceptLast += Bars[n - 2]->Rest;
    }
    if (b.BarCount != 1) {
        RestExceptLast += b.Rest;
    }
    TotalRest = Saturated(int64_t{TotalRest} + b.Rest);
    StockLeft[b.StockIndex] = Saturated(int64_t{StockLeft[b.StockIndex]} - b.BarCount);
    // The same additions in the same order as UpdateTotals makes for the last entry.
    UsedLength += static_cast<long double>(int64_t{b.BarCount} * b.Usable);
    for (int k = 1; k <= job.FixKinds; ++k) {
        if (b.Pieces[k] != 0) {
            const int64_t pieces = int64_t{b.Pieces[k]} * b.BarCount;
            FixOpen[k] = Saturated(FixOpen[k] - pieces);
            PieceLength += static_cast<long double>(pieces) * job.FixLength[k];
        }
    }
    SetFulfilledAndNextBar();
}

void TBearbeitung::SetFulfilledAndNextBar() {
    const JobTables& job = Job();
    Fulfilled =
        std::none_of(FixOpen.begin() + 1, FixOpen.end(), [](int32_t open) { return open > 0; });
    int next = 0;
    for (int s = 1; s <= kMaxKinds; ++s) {
        if (StockLeft[s] > 0 && (next == 0 || job.StockUsable[s] > job.StockUsable[next])) {
            next = s;
        }
    }
    NextBarLength = next != 0 ? job.StockLength[next] : 0;
}

bool IsBetterPlan(const TBearbeitung& plan, const TBearbeitung* best) {
    if (best == nullptr) {
        return true;
    }
    if (plan.Fulfilled != best->Fulfilled) {
        return plan.Fulfilled;
    }
    if (plan.PieceLength > best->PieceLength) {
        return true;
    }
    if (plan.UsedLength < best->UsedLength && plan.Fulfilled) {
        return true;
    }
    if (plan.UsedLength != best->UsedLength || plan.PieceLength < best->PieceLength) {
        return false;
    }
    if (plan.RestExceptLast < best->RestExceptLast) {
        return true;
    }
    return plan.RestExceptLast == best->RestExceptLast && plan.TotalRest < best->TotalRest;
}

}  // namespace zelk
