#include "engine/orderings.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

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

// The list sort over the keys of the bars (keys[i] belongs to list[i]), done only as far as the
// sorted order is read.
template <typename Key, typename KeyBefore>
class KeySort {
public:
    KeySort(const std::vector<Key>& keys, KeyBefore keyBefore)
        : entries_(Entries(keys)), sort_(entries_, {keyBefore}) {}

    // The list position of the bar that the sort puts at place p.
    uint32_t PositionAt(int p) {
        sort_.SortThrough(p);
        return entries_[p].position;
    }

    // The bars of list moved into sorted order.
    void Apply(BarList& list) {
        BarList sorted;
        sorted.reserve(list.size());
        for (int p = 0; p < static_cast<int>(list.size()); ++p) {
            sorted.push_back(std::move(list[PositionAt(p)]));
        }
        list = std::move(sorted);
    }

private:
    static std::vector<KeyedEntry<Key>> Entries(const std::vector<Key>& keys) {
        std::vector<KeyedEntry<Key>> entries(keys.size());
        for (std::size_t i = 0; i < keys.size(); ++i) {
            entries[i] = {keys[i], static_cast<uint32_t>(i)};
        }
        return entries;
    }

    std::vector<KeyedEntry<Key>> entries_;
    PartialListSort<KeyedEntry<Key>, KeyOrdering<Key, KeyBefore>> sort_;
};

template <typename Key, typename KeyBefore>
void SortByKeys(BarList& list, const std::vector<Key>& keys, KeyBefore keyBefore) {
    KeySort<Key, KeyBefore>(keys, keyBefore).Apply(list);
}

std::vector<int32_t> RestKeys(const BarList& list) {
    std::vector<int32_t> keys(list.size());
    std::transform(list.begin(), list.end(), keys.begin(),
                   [](const std::unique_ptr<TStab>& bar) { return bar->Rest; });
    return keys;
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
    SortByKeys(list, RestKeys(list), std::less<int32_t>());
}

void VisitByRest(BarList& list, const std::function<bool(std::unique_ptr<TStab>&)>& visit) {
    KeySort<int32_t, std::less<int32_t>> sort(RestKeys(list), {});
    for (int p = 0; p < static_cast<int>(list.size()) && visit(list[sort.PositionAt(p)]); ++p) {
    }
}

void SortByScore(BarList& list) {
    std::vector<long double> scaledScores(list.size());
    std::transform(list.begin(), list.end(), scaledScores.begin(),
                   [](const std::unique_ptr<TStab>& bar) { return bar->Score * 1000.0L; });
    SortByScore(list, std::move(scaledScores));
}

void SortByScore(BarList& list, std::vector<long double> scaledScores) {
    // The whole parts of the scaled scores compare the same as the narrowest integers that hold
    // them (a conversion truncates toward zero), and narrow keys sort fastest. Very large or
    // undefined scores keep extended keys.
    const auto within = [&scaledScores](long double limit) {
        return std::all_of(scaledScores.begin(), scaledScores.end(),
                           [limit](long double x) { return std::fabs(x) < limit; });
    };
    const auto descending = [](auto a, auto b) { return a > b; };
    if (within(0x1p31L)) {
        SortByKeys(list, std::vector<int32_t>(scaledScores.begin(), scaledScores.end()),
                   descending);
    } else if (within(0x1p63L)) {
        SortByKeys(list, std::vector<int64_t>(scaledScores.begin(), scaledScores.end()),
                   descending);
    } else {
        std::transform(scaledScores.begin(), scaledScores.end(), scaledScores.begin(),
                       [](long double x) { return std::trunc(x); });
        SortByKeys(list, scaledScores, descending);
    }
}

}  // namespace zelk
