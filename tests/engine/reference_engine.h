// A plain, literal reading of the engine's rules: bars as objects with all 80 counts, the list sort
// through comparison functions, every plan of the search a full copy. It is slow on purpose; the
// differential tests hold the real engine to it, result for result and tie for tie.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "job/job_tables.h"

namespace zelk::reference {

struct Bar {
    int32_t Rest = 0;
    int32_t Usable = 0;
    int32_t StockIndex = 0;
    int32_t BarCount = 0;
    KindArray Pieces{};
    long double Score = 0;
};

struct Plan {
    std::vector<Bar> Bars;
    KindArray FixOpen{};
    KindArray StockLeft{};
    int64_t TotalRest = 0;
    long double UsedLength = 0;
    long double PieceLength = 0;
    long double RestExceptLast = 0;
    bool Fulfilled = false;
    long double NextBarLength = 0;
    std::vector<Bar> Candidates;
};

// One calculation's fixed inputs and its effort.
struct Engine {
    const JobTables& job;
    int KindLimit;
    int BinLimit;
    int64_t Nodes = 0;
    int64_t CandidatesGenerated = 0;
};

// The list sort as the rule gives it, one entry at a time; compare(a, pivot) < 0 puts a first.
template <typename Entry, typename Compare>
void PlainListSort(std::vector<Entry>& a, int L, int R, const Compare& compare) {
    int i = 0;
    do {
        i = L;
        int j = R;
        const Entry p = a[(L + R) / 2];
        do {
            while (compare(a[i], p) < 0) {
                ++i;
            }
            while (compare(a[j], p) > 0) {
                --j;
            }
            if (i <= j) {
                std::swap(a[i], a[j]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (L < j) {
            PlainListSort(a, L, j, compare);
        }
        L = i;
    } while (i < R);
}

template <typename Entry, typename Compare>
void PlainListSort(std::vector<Entry>& a, const Compare& compare) {
    if (!a.empty()) {
        PlainListSort(a, 0, static_cast<int>(a.size()) - 1, compare);
    }
}

void UpdateTotals(const Engine& engine, Plan& plan);
void GeneratePatterns(Engine& engine, Plan& plan, int budget);
void FilterCandidates(const Engine& engine, Plan& plan);
void ScoreCandidates(const Engine& engine, Plan& plan);
void SelectCandidates(Plan& plan, int n);
bool IsBetterPlan(const Plan& plan, const std::optional<Plan>& best);

// What a calculation shows: each better plan as it is found and the best plan again after each
// pass.
struct Shown {
    bool passFinished;
    std::vector<Bar> bars;
    bool fulfilled;
    long double usedLength;
    int64_t candidatesSoFar;
};

// Both passes on the root plan with its bars; stopRequested is polled at every node.
std::vector<Shown> RunCalculation(Engine& engine, Plan root, int budget,
                                  const std::function<bool()>& stopRequested);

}  // namespace zelk::reference
