// The two orderings of bars and the list sort over a list of bars by each of them.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "engine/bar_pool.h"

namespace zelk {

// Ascending rest: negative when a has less rest than b.
int CompareRest(const TStab& a, const TStab& b);

// Descending score at a resolution of 1/1000: the whole parts of score x 1000 are compared as
// floating-point values, so the order holds for scores of any size.
int CompareScore(const TStab& a, const TStab& b);

// The list sort by CompareRest and by CompareScore. They sort compact (key, position) entries
// instead of the bars themselves: the comparisons are the same, so the permutation is the same,
// ties included.
void SortByRest(BarList& list);
void SortByScore(BarList& list);

// SortByScore with the scores x 1000 of the bars already at hand, in list order.
void SortByScore(BarList& list, std::vector<long double> scaledScores);

// Hands the bars of list to visit in the order SortByRest would give them, for as long as visit
// returns true, without moving them; the sort goes only as far as the visit. visit may take the
// bar out of its place in list.
void VisitByRest(BarList& list, const std::function<bool(std::unique_ptr<TStab>&)>& visit);

}  // namespace zelk
