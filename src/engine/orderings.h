// The two orderings of bars and the list sort by each of them, over lists of bars and over the
// keys of a list's entries.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "engine/bar_pool.h"
#include "engine/sort_helper.h"

namespace zelk {

// Ascending rest: negative when a has less rest than b.
int CompareRest(const TStab& a, const TStab& b);

// Descending score at a resolution of 1/1000: the whole parts of score x 1000 are compared as
// floating-point values, so the order holds for scores of any size.
int CompareScore(const TStab& a, const TStab& b);

// The list sort by CompareRest and by CompareScore.
void SortByRest(BarList& list);
void SortByScore(BarList& list);

// The list sort over the keys of a list's entries (keys[i] belongs to entry i): positions gets the
// entries' positions in the order the sort puts them. The sort compares compact (key, position)
// entries instead of the bars themselves; the comparisons are the same, so the permutation is the
// same, ties included. A helper thread, where given, sorts parts of long lists at the same time.
// With sorts = 2 the score order is that of two sorts in a row, the second over the first's result.
void RestOrder(const std::vector<int32_t>& rests, std::vector<uint32_t>& positions,
               SortHelper* helper = nullptr);
void ScoreOrder(const std::vector<long double>& scaledScores, std::vector<uint32_t>& positions,
                SortHelper* helper = nullptr, int sorts = 1);

// Hands the positions of the entries to visit in the order RestOrder would give them, for as long
// as visit returns true; the sort goes only as far as the visit.
void VisitRestOrder(const std::vector<int32_t>& rests, const std::function<bool(uint32_t)>& visit);

}  // namespace zelk
