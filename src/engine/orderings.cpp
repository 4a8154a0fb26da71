#include "engine/orderings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <type_traits>

#include "engine/list_sort.h"

namespace zelk {

namespace {

template <typename T>
int Ascending(T a, T b) {
    return (a > b) - (a < b);
}

long double ScoreKey(const TStab& bar) {
    return std::trunc(bar.Score * 1000.0L);
}

template <typename Key>
struct KeyedEntry {
    Key key;
    uint32_t position;
};

// Compact entries ordered by their keys; keyBefore(a, b) says whether key a comes first.
template <typename Key, typename KeyBefore>
struct KeyOrdering {
    KeyBefore keyBefore;

    Key PivotOf(const KeyedEntry<Key>& entry) const { return entry.key; }
    bool Before(const KeyedEntry<Key>& entry, Key pivot) const {
        return keyBefore(entry.key, pivot);
    }
    bool After(const KeyedEntry<Key>& entry, Key pivot) const {
        return keyBefore(pivot, entry.key);
    }
};

template <typename Key>
std::vector<KeyedEntry<Key>> Entries(const std::vector<Key>& keys) {
    std::vector<KeyedEntry<Key>> entries(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        entries[i] = {keys[i], static_cast<uint32_t>(i)};
    }
    return entries;
}

// The list sort over keys (keys[i] belongs to entry i), done only as far as the sorted order is
// read.
template <typename Key, typename KeyBefore>
class KeySort {
public:
    KeySort(const std::vector<Key>& keys, KeyBefore keyBefore)
        : entries_(Entries(keys)), sort_(entries_, {keyBefore}) {}

    // The position of the entry that the sort puts at place p.
    uint32_t PositionAt(int p) {
        sort_.SortThrough(p);
        return entries_[p].position;
    }

private:
    std::vector<KeyedEntry<Key>> entries_;
    PartialListSort<KeyedEntry<Key>, KeyOrdering<Key, KeyBefore>> sort_;
};

// The complete list sort over the keys keyOf(0 .. count - 1), with the help of a second thread
// where there is one.
template <typename Key, typename KeyBefore, typename KeyOf>
void SortedPositions(std::size_t count, const KeyOf& keyOf, KeyBefore keyBefore,
                     std::vector<uint32_t>& positions, SortHelper* helper, int sorts = 1) {
    std::vector<KeyedEntry<Key>> entries(count);
    for (std::size_t i = 0; i < count; ++i) {
        entries[i] = {keyOf(i), static_cast<uint32_t>(i)};
    }
    ListSortAll(entries, KeyOrdering<Key, KeyBefore>{keyBefore}, helper);
    positions.resize(count);
    for (std::size_t p = 0; p < count; ++p) {
        positions[p] = entries[p].position;
    }
    // A sort again: the keys are already in place, only the positions start anew.
    for (int again = 1; again < sorts; ++again) {
        for (std::size_t p = 0; p < count; ++p) {
            entries[p].position = static_cast<uint32_t>(p);
        }
        // Integer keys are ordered throughout, so the list is sorted now; extended keys may be
        // undefined, equal to every other, and are sorted again step by step.
        if constexpr (std::is_integral_v<Key>) {
            ListSortSorted(entries, KeyOrdering<Key, KeyBefore>{keyBefore});
        } else {
            ListSortAll(entries, KeyOrdering<Key, KeyBefore>{keyBefore}, helper);
        }
        std::vector<uint32_t> previous = positions;
        for (std::size_t p = 0; p < count; ++p) {
            positions[p] = previous[entries[p].position];
        }
    }
}

// The bars of list moved into the order of positions.
void Permute(BarList& list, const std::vector<uint32_t>& positions) {
    BarList sorted;
    sorted.reserve(list.size());
    for (const uint32_t position : positions) {
        sorted.push_back(std::move(list[position]));
    }
    list = std::move(sorted);
}

}  // namespace

int CompareRest(const TStab& a, const TStab& b) {
    // The sign of a.Rest - b.Rest, without forming a difference that could wrap around.
    return Ascending(a.Rest, b.Rest);
}

int CompareScore(const TStab& a, const TStab& b) {
    return Ascending(ScoreKey(b), ScoreKey(a));
}

void SortByRest(BarList& list) {
    std::vector<int32_t> rests(list.size());
    std::transform(list.begin(), list.end(), rests.begin(),
                   [](const std::unique_ptr<TStab>& bar) { return bar->Rest; });
    std::vector<uint32_t> positions;
    RestOrder(rests, positions);
    Permute(list, positions);
}

void SortByScore(BarList& list) {
    std::vector<long double> scaledScores(list.size());
    std::transform(list.begin(), list.end(), scaledScores.begin(),
                   [](const std::unique_ptr<TStab>& bar) { return bar->Score * 1000.0L; });
    std::vector<uint32_t> positions;
    ScoreOrder(scaledScores, positions);
    Permute(list, positions);
}

void RestOrder(const std::vector<int32_t>& rests, std::vector<uint32_t>& positions,
               SortHelper* helper) {
    SortedPositions<int32_t>(
        rests.size(), [&rests](std::size_t i) { return rests[i]; }, std::less<int32_t>(), positions,
        helper);
}

void VisitRestOrder(const std::vector<int32_t>& rests, const std::function<bool(uint32_t)>& visit) {
    KeySort<int32_t, std::less<int32_t>> sort(rests, {});
    for (int p = 0; p < static_cast<int>(rests.size()) && visit(sort.PositionAt(p)); ++p) {
    }
}

void ScoreOrder(const std::vector<long double>& scaledScores, std::vector<uint32_t>& positions,
                SortHelper* helper, int sorts) {
    // The whole parts of the scaled scores compare the same as the narrowest integers that hold
    // them (a conversion truncates toward zero), and narrow keys sort fastest. Very large or
    // undefined scores keep extended keys.
    bool within32 = true;
    bool within64 = true;
    for (const long double x : scaledScores) {
        within32 = within32 && std::fabs(x) < 0x1p31L;
        within64 = within64 && std::fabs(x) < 0x1p63L;
    }
    const auto descending = [](auto a, auto b) { return a > b; };
    const auto keyOf = [&scaledScores](auto key) {
        using Key = decltype(key);
        return [&scaledScores](std::size_t i) { return static_cast<Key>(scaledScores[i]); };
    };
    if (within32) {
        SortedPositions<int32_t>(scaledScores.size(), keyOf(int32_t{}), descending, positions,
                                 helper, sorts);
    } else if (within64) {
        SortedPositions<int64_t>(scaledScores.size(), keyOf(int64_t{}), descending, positions,
                                 helper, sorts);
    } else {
        SortedPositions<long double>(
            scaledScores.size(),
            [&scaledScores](std::size_t i) { return std::trunc(scaledScores[i]); }, descending,
            positions, helper, sorts);
    }
}

}  // namespace zelk
