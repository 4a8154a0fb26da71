// A cutting plan: its bar entries in plan order, the candidate patterns for the next entry and
// the totals derived from both and the job. The search builds plans entry by entry, copying a plan
// for every branch; IsBetterPlan is the objective of the whole optimisation.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "engine/bar_pool.h"
#include "engine/engine_context.h"
#include "engine/search_host.h"

namespace zelk {

struct KeyedRecord;

class TBearbeitung {
public:
    // An empty plan: both lists empty, all totals 0, not fulfilled.
    explicit TBearbeitung(EngineContext& context);

    TBearbeitung(const TBearbeitung&) = delete;
    TBearbeitung& operator=(const TBearbeitung&) = delete;

    // A new plan in the same context with copies of the bar entries and/or candidates, totals
    // computed; no pieces marked long.
    static std::unique_ptr<TBearbeitung> CreateCopy(const TBearbeitung& source, bool withBars,
                                                    bool withCandidates);

    EngineContext& Context() const { return context_; }
    const JobTables& Job() const { return context_.job; }

    void ClearBars();
    void ClearCandidates();

    // Recomputes every total from the bar list and the job.
    void UpdateTotals();

    // The candidate patterns for the next bar entry within budget, each with the number of bars
    // the plan could cut to it at once. Needs current totals.
    void GeneratePatterns(int budget);

    // Drops the candidates that break the kind limit (only among 30 or more) or the bin limit.
    void FilterCandidates();

    // The weighted share of the open order that candidate p covers with its bar count.
    long double PatternValue(const TStab& p) const;

    // Scores every candidate and orders the list by descending score.
    void ScoreCandidates();

    // Keeps up to n candidates by score, then up to n by least rest, without repeats.
    void SelectCandidates(int n);

    // Depth-first search below this plan; best is the best complete plan of the calculation,
    // shared by all levels and both passes.
    void Search(SearchHost& host, bool narrow, int width, int budget,
                std::unique_ptr<TBearbeitung>& best);

    BarList Bars;                              // bar entries in plan order
    KindArray FixOpen{};                       // pieces of fix length k still to be planned
    KindArray StockLeft{};                     // bars of stock length s still on hand
    int32_t TotalRest = 0;                     // rests of the entries, each entry once
    long double UsedLength = 0;                // usable stock length consumed
    long double PieceLength = 0;               // nominal length of all planned pieces
    long double RestExceptLast = 0;            // like TotalRest, without a final single bar
    bool Fulfilled = false;                    // no fix length has pieces open
    long double NextBarLength = 0;             // nominal length of the longest bar still on hand
    BarList Candidates;                        // candidates for the next bar entry
    std::array<bool, kMaxKinds + 1> IsLong{};  // long-piece marks of the last generation

private:
    // A copy whose totals are still to be computed.
    std::unique_ptr<TBearbeitung> CopyWithoutTotals(bool withBars, bool withCandidates) const;

    // The totals after bar was appended to a bar list whose totals are current: the very values
    // UpdateTotals would compute, found from the change alone.
    void AddLastBarToTotals();
    void SetFulfilledAndNextBar();

    // Tries bar as the next entry: appends it, searches below and takes it off again.
    void SearchWithNextBar(std::unique_ptr<TStab> bar, SearchHost& host, bool narrow, int width,
                           int budget, std::unique_ptr<TBearbeitung>& best);

    // The n candidates the search tries as the next entry, with the budget of the generation:
    // those kept for the same state where it was met before, else found anew and kept.
    void SelectNextEntries(int n, int budget);

    // The steps from generation to selection on the compact candidate records of the context;
    // the public steps load the candidate list into them and make it anew from them.
    // Scoring sorts by score; the selection sorts by score again first, unless scoring did both
    // sorts already (scoreSorts = 2).
    void GenerateRecords(int budget);
    void FilterRecords();
    void ScoreRecords(int scoreSorts = 1);
    void ScoreEachRecord();
    // The rest order is the one sorted ahead (StartRestOrderAhead) where restOrderAhead says so.
    void SortRecordsByRestThenScore(int scoreSorts, bool restOrderAhead = false);
    bool StartRestOrderAhead();  // false where it was not started
    // Scoring and selection of n as the search does them: the score sort twice, as scoring and
    // as the selection's own sort. The sorts are left out where they cannot change what is kept.
    void ScoreAndSelectRecords(int n);
    // Both take the records with their score keys, computed once for both, and may rearrange
    // them. This one: false, with nothing changed, where the sorts could matter.
    bool SelectRecordsWithoutSorts(int n, std::vector<KeyedRecord>& byScore);
    // Where no score is held by two patterns, the score order holds the same patterns however
    // the list came in, and one plain sort by score gives it; false, with nothing changed, else.
    bool SortRecordsByScoreAlone(std::vector<KeyedRecord>& byScore);
    void SelectRecords(int n, bool sortedByScore = false);
    void LoadCandidateList();
    void MakeCandidateList();

    // Pattern generation, with its working values.
    void MarkLongPieces();  // IsLong and the values derived from it, from the open pieces
    void AddCandidate(const TStab& bar);
    void CompleteBar(const TStab& bar);
    void EnumerateLong(TStab& bar, int k);
    void FillUp(TStab& bar, int k) const;
    bool NoLongPieceFits(const TStab& bar) const;
    int32_t BarCountFor(uint32_t r) const;  // of candidate record r

    EngineContext& context_;
    int budget_ = 0;
    int32_t minLongLength_ = -1;
    bool anyShortOpen_ = false;  // some fix length with open pieces is not long
    TStab completion_;           // the bar being completed with short pieces
};

// The plan ordering: whether the complete plan replaces best (absent: nullptr).
bool IsBetterPlan(const TBearbeitung& plan, const TBearbeitung* best);

}  // namespace zelk
