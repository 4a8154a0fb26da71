// The in-place quicksort behind every ordering of the engine. It is not stable: entries that
// compare equal end where this very procedure puts them, and the engine's results (which of two
// equal candidates is tried first) depend on that, so the steps below must not be changed.
#pragma once

#include <algorithm>
#include <utility>
#include <vector>

#include "engine/sort_helper.h"

namespace zelk {

// A part of a list left unsorted because nobody reads it yet.
struct SortRange {
    int left;
    int right;
};

// Sorts a[left .. right] as far as position limit. The ordering gives PivotOf(entry), what the
// pivot entry is compared as: it is taken once per pass, so it keeps referring to the same entry
// while the entries move around it; and Before(entry, pivot) and After(entry, pivot), whether it
// puts entry before or after the pivot (a comparison result below or above 0). A pass whose right
// part starts beyond limit stops there and appends that part to cut (in rising positions); with
// limit >= right the range is sorted completely.
//
// ListSortPasses makes the passes over one range and hands each left part to sortLeftPart(left, j);
// ListSortRange sorts those parts by recursion.
// Ranges at least this long are partitioned by the stops found beforehand (ListSortPass).
inline constexpr int kStopsFirstLength = 48;

// One pass: partitions a[left .. right] around the entry in the middle and returns i and j as the
// scans leave them. On long ranges the places where the scans stop are found first, without a
// branch per entry: i stops at entries not before the pivot, j at entries not after it. Until
// the scans cross, i meets only entries that no exchange has moved yet, and so does j, so the
// k-th exchange pairs the k-th such place from the left with the k-th from the right. Where
// they cross, i stops at the place j's last exchange filled (or at the next place of its own),
// and j at the place just below i's (an entry i passed over or that i's last exchange filled):
// the very steps of the plain scans.
template <typename Entry, typename Ordering>
std::pair<int, int> ListSortPass(std::vector<Entry>& a, int left, int right,
                                 const Ordering& ordering) {
    const auto pivot = ordering.PivotOf(a[(left + right) / 2]);
    if (right - left < kStopsFirstLength) {
        int i = left;
        int j = right;
        do {
            while (ordering.Before(a[i], pivot)) {
                ++i;
            }
            while (ordering.After(a[j], pivot)) {
                --j;
            }
            if (i <= j) {
                std::swap(a[i], a[j]);
                ++i;
                --j;
            }
        } while (i <= j);
        return {i, j};
    }
    // Both kinds of stops in rising places, in one pass; j meets its stops from the last back.
    thread_local std::vector<int> stopsOfI;
    thread_local std::vector<int> stopsOfJ;
    const auto length = static_cast<std::size_t>(right - left + 1);
    if (stopsOfI.size() < length) {
        stopsOfI.resize(length);
        stopsOfJ.resize(length);
    }
    int countI = 0;
    int countJ = 0;
    for (int p = left; p <= right; ++p) {
        stopsOfI[countI] = p;
        stopsOfJ[countJ] = p;
        countI += ordering.Before(a[p], pivot) ? 0 : 1;
        countJ += ordering.After(a[p], pivot) ? 0 : 1;
    }
    int i = left;
    int j = right;
    for (int k = 0;; ++k) {
        const int stopI = k < countI && stopsOfI[k] <= j ? stopsOfI[k] : j + 1;
        const int stopJ =
            k < countJ && stopsOfJ[countJ - 1 - k] >= stopI ? stopsOfJ[countJ - 1 - k] : stopI - 1;
        if (stopI > stopJ) {
            return {stopI, stopJ};
        }
        std::swap(a[stopI], a[stopJ]);
        i = stopI + 1;
        j = stopJ - 1;
        if (i > j) {
            return {i, j};
        }
    }
}

template <typename Entry, typename Ordering, typename LeftPart>
void ListSortPasses(std::vector<Entry>& a, int left, int right, int limit, const Ordering& ordering,
                    std::vector<SortRange>& cut, const LeftPart& sortLeftPart) {
    int i = 0;
    do {
        const auto [passI, j] = ListSortPass(a, left, right, ordering);
        i = passI;
        if (left < j) {
            sortLeftPart(left, j);
        }
        left = i;
        if (i < right && i > limit) {
            cut.push_back({i, right});
            return;
        }
    } while (i < right);
}

template <typename Entry, typename Ordering>
void ListSortRange(std::vector<Entry>& a, int left, int right, int limit, const Ordering& ordering,
                   std::vector<SortRange>& cut) {
    ListSortPasses(a, left, right, limit, ordering, cut, [&](int partLeft, int partRight) {
        ListSortRange(a, partLeft, partRight, limit, ordering, cut);
    });
}

// Parts at least this long are worth handing to the second thread.
inline constexpr int kParallelSortPart = 1 << 14;

// Sorts the whole list; the left parts of the outermost passes go to the helper (if any) while it
// is free. The parts never overlap, so the outcome is the same as on one thread.
template <typename Entry, typename Ordering>
void ListSortAll(std::vector<Entry>& a, const Ordering& ordering, SortHelper* helper) {
    if (a.size() < 2) {
        return;
    }
    const int last = static_cast<int>(a.size()) - 1;
    std::vector<SortRange> cut;  // a complete sort leaves nothing for later
    ListSortPasses(a, 0, last, last, ordering, cut, [&](int partLeft, int partRight) {
        const bool handedOver =
            helper != nullptr && partRight - partLeft >= kParallelSortPart &&
            helper->TryStart([&a, &ordering, partLeft, partRight] {
                std::vector<SortRange> unused;
                ListSortRange(a, partLeft, partRight, partRight, ordering, unused);
            });
        if (!handedOver) {
            ListSortRange(a, partLeft, partRight, last, ordering, cut);
        }
    });
    if (helper != nullptr) {
        helper->Wait();
    }
}

// The complete sort of a list already sorted, with the very steps of ListSortAll found without
// the scans. In a sorted range the entries equal to the pivot stand together: the scans stop at
// the first and the last of them, and the exchanges turn them around and meet in their middle;
// every entry keeps its key's place, so the parts stay sorted. A part without two equal
// neighbours is left as it is, as every pass over it exchanges each pivot with itself.
template <typename Entry, typename Ordering>
void ListSortSorted(std::vector<Entry>& a, const Ordering& ordering) {
    if (a.size() < 2) {
        return;
    }
    // ties[p]: equal neighbours a[q], a[q + 1] with q < p. The keys never change their places.
    thread_local std::vector<int> ties;
    ties.assign(a.size(), 0);
    for (std::size_t p = 1; p < a.size(); ++p) {
        const bool equal = !ordering.After(a[p], ordering.PivotOf(a[p - 1]));
        ties[p] = ties[p - 1] + (equal ? 1 : 0);
    }
    const auto sortPart = [&a, &ordering](int left, int right, const auto& self) -> void {
        int i = 0;
        do {
            if (ties[right] == ties[left]) {
                return;
            }
            const auto pivot = ordering.PivotOf(a[(left + right) / 2]);
            const auto first = std::partition_point(
                a.begin() + left, a.begin() + right + 1,
                [&](const Entry& entry) { return ordering.Before(entry, pivot); });
            const auto end = std::partition_point(
                first, a.begin() + right + 1,
                [&](const Entry& entry) { return !ordering.After(entry, pivot); });
            std::reverse(first, end);
            const int exchanges = static_cast<int>(end - first + 1) / 2;
            i = static_cast<int>(first - a.begin()) + exchanges;
            const int j = static_cast<int>(end - a.begin()) - 1 - exchanges;
            if (left < j) {
                self(left, j, self);
            }
            left = i;
        } while (i < right);
    };
    sortPart(0, static_cast<int>(a.size()) - 1, sortPart);
}

// The sort done only as far as it is read: after SortThrough(p) the entries at positions 0 .. p
// stand exactly where the full sort puts them.
template <typename Entry, typename Ordering>
class PartialListSort {
public:
    PartialListSort(std::vector<Entry>& a, Ordering ordering) : a_(a), ordering_(ordering) {
        if (a.size() > 1) {
            pending_.push_back({0, static_cast<int>(a.size()) - 1});
        }
    }

    void SortThrough(int position) {
        while (!pending_.empty() && pending_.back().left <= position) {
            const SortRange range = pending_.back();
            pending_.pop_back();
            cut_.clear();
            ListSortRange(a_, range.left, range.right, position, ordering_, cut_);
            pending_.insert(pending_.end(), cut_.rbegin(), cut_.rend());
        }
    }

private:
    std::vector<Entry>& a_;
    Ordering ordering_;
    std::vector<SortRange> pending_;  // the lowest positions last
    std::vector<SortRange> cut_;      // what the latest pass left for later
};

// An ordering from a comparison function: negative puts a before b.
template <typename PivotFunction, typename Compare>
struct ComparisonOrdering {
    PivotFunction pivotOf;
    Compare compare;

    template <typename Entry>
    auto PivotOf(const Entry& entry) const {
        return pivotOf(entry);
    }
    template <typename Entry, typename Pivot>
    bool Before(const Entry& entry, const Pivot& pivot) const {
        return compare(entry, pivot) < 0;
    }
    template <typename Entry, typename Pivot>
    bool After(const Entry& entry, const Pivot& pivot) const {
        return compare(entry, pivot) > 0;
    }
};

// Sorts the whole list by a comparison function; a list with no entries is left alone.
template <typename Entry, typename PivotFunction, typename Compare>
void ListSort(std::vector<Entry>& a, PivotFunction pivotOf, Compare compare) {
    PartialListSort sort(a, ComparisonOrdering<PivotFunction, Compare>{pivotOf, compare});
    sort.SortThrough(static_cast<int>(a.size()) - 1);
}

}  // namespace zelk
