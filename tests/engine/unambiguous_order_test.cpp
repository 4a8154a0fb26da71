// Reading the front of an order by selection instead of the list sort: where it says the patterns
// are those the list sort hands over, they must be, on lists with and without ties; where a tie
// between two patterns is read, it must say so.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "engine/unambiguous_order.h"
#include "reference_engine.h"

namespace zelk {
namespace {

constexpr int kFixKinds = 3;

// Accepts up to limit records and remembers their patterns (as their first record of the pattern).
struct FirstRecords {
    const CandidateArena& arena;
    std::size_t limit;
    std::vector<uint32_t> patterns;

    bool operator()(uint32_t r) {
        if (patterns.size() >= limit) {
            return false;
        }
        uint32_t first = 0;
        while (!arena.SamePattern(first, r)) {
            ++first;
        }
        patterns.push_back(first);
        return true;
    }
};

// A list of records from a few patterns, each pattern with its own key or sharing it.
struct RandomList {
    CandidateArena arena;
    std::vector<KeyedRecord> entries;
};

void FillRandomList(std::mt19937& rng, RandomList& list) {
    const auto between = [&rng](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    };
    const int patterns = between(1, 12);
    const int keyRange = between(1, 3) == 1 ? 3 : 40;  // often shared keys, or seldom
    std::vector<TStab> bars;
    std::vector<int64_t> keys;
    for (int p = 0; p < patterns; ++p) {
        TStab bar(1, 1000);
        bar.Pieces[1 + p % kFixKinds] = 1 + p / kFixKinds;  // patterns differ
        bars.push_back(bar);
        keys.push_back(between(0, keyRange));
    }
    // The patterns first, once each, so that a pattern's first record is its number.
    for (int p = 0; p < patterns; ++p) {
        list.arena.Append(bars[p], kFixKinds, 1);
    }
    const int count = between(patterns, 80);
    for (int r = patterns; r < count; ++r) {
        list.arena.Append(bars[between(0, patterns - 1)], kFixKinds, 1);
    }
    std::vector<uint32_t> records(count);
    std::iota(records.begin(), records.end(), 0);
    std::shuffle(records.begin(), records.end(), rng);
    for (const uint32_t r : records) {
        uint32_t pattern = 0;
        while (!list.arena.SamePattern(pattern, r)) {
            ++pattern;
        }
        list.entries.push_back({keys[pattern], r});
    }
}

// The patterns the list sort hands over, in its order, to a taker of up to limit records.
std::vector<uint32_t> ByListSort(const RandomList& list, std::size_t limit) {
    std::vector<KeyedRecord> sorted = list.entries;
    reference::PlainListSort(sorted, [](const KeyedRecord& a, const KeyedRecord& b) {
        return (a.key > b.key) - (a.key < b.key);
    });
    FirstRecords take{list.arena, limit, {}};
    for (std::size_t p = 0; p < sorted.size() && take(sorted[p].record); ++p) {
    }
    return take.patterns;
}

TEST(TakeInKeyOrder, HandsOverWhatTheListSortHandsOverOrSaysItCannot) {
    std::mt19937 rng(1404);
    int sure = 0;
    int unsure = 0;
    for (int round = 0; round < 3000; ++round) {
        RandomList list;
        FillRandomList(rng, list);
        const std::size_t limit = std::uniform_int_distribution<std::size_t>(1, 40)(rng);
        SCOPED_TRACE("round " + std::to_string(round));
        std::vector<KeyedRecord> entries = list.entries;
        FirstRecords take{list.arena, limit, {}};
        std::size_t taken = 0;
        if (TakeInKeyOrder(entries, list.arena, take, taken)) {
            ++sure;
            EXPECT_EQ(take.patterns, ByListSort(list, limit));
            EXPECT_EQ(taken, take.patterns.size());
        } else {
            ++unsure;
        }
    }
    // Both outcomes are met often, so both were checked.
    EXPECT_GT(sure, 1000);
    EXPECT_GT(unsure, 300);
}

TEST(TakeInKeyOrder, ATieOfTwoPatternsReadSaysItCannot) {
    CandidateArena arena;
    TStab a(1, 1000);
    a.Pieces[1] = 1;
    TStab b(1, 1000);
    b.Pieces[2] = 1;
    arena.Append(a, kFixKinds, 1);  // 0
    arena.Append(b, kFixKinds, 1);  // 1
    arena.Append(a, kFixKinds, 1);  // 2
    arena.Append(b, kFixKinds, 1);  // 3
    const auto sure = [&arena](std::vector<KeyedRecord> entries, std::size_t limit) {
        FirstRecords take{arena, limit, {}};
        std::size_t taken = 0;
        return TakeInKeyOrder(entries, arena, take, taken);
    };
    // a and b share key 5; the tie is read as soon as a record of key 5 is taken.
    EXPECT_TRUE(sure({{5, 0}, {1, 2}, {5, 1}, {9, 3}}, 1));
    EXPECT_FALSE(sure({{5, 0}, {1, 2}, {5, 1}, {9, 3}}, 2));
    // Records of one pattern sharing a key are no tie: the sort puts the same pattern first.
    EXPECT_TRUE(sure({{5, 0}, {5, 2}, {7, 1}, {7, 3}}, 3));
    // A key with more records than the sorted front holds: the others are looked at too.
    std::vector<KeyedRecord> many;
    for (int i = 0; i < 40; ++i) {
        many.push_back({3, i % 2 == 0 ? 0U : 2U});
        many.push_back({100 + i, 1});
    }
    EXPECT_TRUE(sure(many, 1));
    many.push_back({3, 3});
    EXPECT_FALSE(sure(many, 1));
}

// Against a plain look at every pair of records.
TEST(SomeKeyHasTwoPatterns, FindsEveryKeyOfTwoPatterns) {
    std::mt19937 rng(1406);
    int found = 0;
    for (int round = 0; round < 2000; ++round) {
        RandomList list;
        FillRandomList(rng, list);
        bool plain = false;
        for (const KeyedRecord& a : list.entries) {
            for (const KeyedRecord& b : list.entries) {
                plain = plain || (a.key == b.key && !list.arena.SamePattern(a.record, b.record));
            }
        }
        EXPECT_EQ(SomeKeyHasTwoPatterns(list.entries, list.arena), plain) << "round " << round;
        found += plain ? 1 : 0;
    }
    EXPECT_GT(found, 300);
    EXPECT_LT(found, 1700);
}

}  // namespace
}  // namespace zelk
