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

    void AllPositions(std::vector<uint32_t>& positions) {
        sort_.SortThrough(static_cast<int>(entries_.size()) - 1);
        positions.resize(entries_.size());
        for (std::size_t p = 0; p < entries_.size(); ++p) {
            positions[p] = entries_[p].position;
        }
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
void SortedPositions(const std::vector<Key>& keys, KeyBefore keyBefore,
                     std::vector<uint32_t>& positions) {
    KeySort<Key, KeyBefore>(keys, keyBefore).AllPositions(positions);
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

void RestOrder(const std::vector<int32_t>& rests, std::vector<uint32_t>& positions) {
    SortedPositions(rests, std::less<int32_t>(), positions);
}

void VisitRestOrder(const std::vector<int32_t>& rests, const std::function<bool(uint32_t)>& visit) {
    KeySort<int32_t, std::less<int32_t>> sort(rests, {});
    for (int p = 0; p < static_cast<int>(rests.size()) && visit(sort.PositionAt(p)); ++p) {
    }
}

void ScoreOrder(const std::vector<long double>& scaledScores, std::vector<uint32_t>& positions) {
    // The whole parts of the scaled scores compare the same as the narrowest integers that hold
    // them (a conversion truncates toward zero), and narrow keys sort fastest. Very large or
    // undefined scores keep extended keys.
    const auto within = [&scaledScores](long double limit) {
        return std::all_of(scaledScores.begin(), scaledScores.end(),
                           [limit](long double x) { return std::fabs(x) < limit; });
    };
    const auto descending = [](auto a, auto b) { return a > b; };
    if (within(0x1p31L)) {
        SortedPositions(std::vector<int32_t>(scaledScores.begin(), scaledScores.end()), descending,
                        positions);
    } else if (within(0x1p63L)) {
        SortedPositions(std::vector<int64_t>(scaledScores.begin(), scaledScores.end()), descending,
                        positions);
    } else {
        std::vector<long double> keys(scaledScores.size());
        std::transform(scaledScores.begin(), scaledScores.end(), keys.begin(),
                       [](long double x) { return std::trunc(x); });
        SortedPositions(keys, descending, positions);
    }
}

}  // namespace zelk
