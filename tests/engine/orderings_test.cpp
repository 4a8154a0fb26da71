#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/list_sort.h"
#include "engine/orderings.h"
#include "job_builder.h"
#include "reference_engine.h"

namespace zelk {
namespace {

using test::Bar;

// Bars named by their bar count, so that the order after sorting can be read off.
struct NamedRest {
    char name;
    int32_t rest;
};

std::string SortedByRest(const std::vector<NamedRest>& bars) {
    BarList list;
    for (const NamedRest& bar : bars) {
        list.push_back(std::make_unique<TStab>(Bar(1, 1000, bar.rest, {}, bar.name)));
    }
    SortByRest(list);
    std::string order;
    for (const std::unique_ptr<TStab>& bar : list) {
        order += static_cast<char>(bar->BarCount);
    }
    return order;
}

TEST(CompareRest, EqualRestsEndInTheOrderTheSortLeavesThem) {
    EXPECT_EQ(SortedByRest({{'x', 7}, {'y', 7}, {'z', 7}}), "zyx");
    EXPECT_EQ(SortedByRest({{'x', 2}, {'1', 1}, {'y', 2}}), "1yx");
    EXPECT_EQ(SortedByRest({{'x', 5}, {'3', 3}, {'y', 5}, {'1', 1}}), "13xy");
}

TEST(CompareRest, HoldsForRestsFarApart) {
    const TStab low = Bar(1, 0, std::numeric_limits<int32_t>::min(), {});
    const TStab high = Bar(1, 0, std::numeric_limits<int32_t>::max(), {});
    EXPECT_LT(CompareRest(low, high), 0);
    EXPECT_GT(CompareRest(high, low), 0);
    EXPECT_EQ(CompareRest(high, high), 0);
}

TEST(CompareScore, DescendingAtAThousandth) {
    TStab a, b, c;
    a.Score = 1.2344L;
    b.Score = 1.2349L;
    c.Score = 1.235L;
    EXPECT_EQ(CompareScore(a, b), 0);
    EXPECT_LT(CompareScore(c, a), 0);
    EXPECT_LT(CompareScore(c, b), 0);
    EXPECT_GT(CompareScore(a, c), 0);

    // Scores beyond every integer type still order correctly.
    TStab huge, larger;
    huge.Score = 1e30L;
    larger.Score = 2e30L;
    EXPECT_LT(CompareScore(larger, huge), 0);
}

TEST(ListSort, SortsListsWithManyTies) {
    std::mt19937 random(7);
    for (int size = 0; size < 60; ++size) {
        std::vector<int> values(size);
        for (int& value : values) {
            value = static_cast<int>(random() % 5);  // many ties
        }
        std::vector<int> sorted = values;
        ListSort(
            sorted, [](int value) { return value; },
            [](int value, int pivot) { return (value > pivot) - (value < pivot); });
        EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end()));
        std::sort(values.begin(), values.end());
        EXPECT_EQ(sorted, values);
    }
}

// The list sort straight over the bars, comparing them with the ordering itself.
std::vector<const TStab*> SortedOverBars(const BarList& list,
                                         int (*compare)(const TStab&, const TStab&)) {
    std::vector<const TStab*> bars;
    for (const std::unique_ptr<TStab>& bar : list) {
        bars.push_back(bar.get());
    }
    ListSort(
        bars, [](const TStab* bar) { return bar; },
        [compare](const TStab* bar, const TStab* pivot) { return compare(*bar, *pivot); });
    return bars;
}

std::vector<const TStab*> Addresses(const BarList& list) {
    std::vector<const TStab*> bars;
    for (const std::unique_ptr<TStab>& bar : list) {
        bars.push_back(bar.get());
    }
    return bars;
}

// Random bars with few distinct rests and scores that often agree at a thousandth without being
// equal, scaled so that the scores need 32-bit, 64-bit or extended keys.
BarList RandomBars(std::mt19937& random, int size, long double scale) {
    BarList list;
    for (int i = 0; i < size; ++i) {
        auto bar = std::make_unique<TStab>(Bar(1, 1000, static_cast<int32_t>(random() % 6), {}));
        bar->Score = static_cast<long double>(random() % 4000) / 3000.0L * scale;
        list.push_back(std::move(bar));
    }
    return list;
}

TEST(SortByKeys, GivesThePermutationOfTheSortOverTheBars) {
    std::mt19937 random(11);
    for (const long double scale : {1.0L, 0x1p40L, 0x1p70L}) {
        for (int size = 0; size < 300; size += 7) {
            BarList list = RandomBars(random, size, scale);
            const std::vector<const TStab*> byRest = SortedOverBars(list, CompareRest);
            SortByRest(list);
            EXPECT_EQ(Addresses(list), byRest);

            const std::vector<const TStab*> byScore = SortedOverBars(list, CompareScore);
            SortByScore(list);
            EXPECT_EQ(Addresses(list), byScore);
        }
    }
}

TEST(SortByKeys, UndefinedScoresCompareEqualToEverything) {
    std::mt19937 random(5);
    BarList list = RandomBars(random, 40, 1.0L);
    list[3]->Score = std::numeric_limits<long double>::quiet_NaN();
    list[17]->Score = std::numeric_limits<long double>::infinity();
    const std::vector<const TStab*> byScore = SortedOverBars(list, CompareScore);
    SortByScore(list);
    EXPECT_EQ(Addresses(list), byScore);
}

TEST(VisitRestOrder, VisitsTheFrontOfTheRestOrder) {
    std::mt19937 random(3);
    for (int size = 1; size < 200; size += 13) {
        for (int visits = 1; visits <= size; visits += 5) {
            BarList list = RandomBars(random, size, 1.0L);
            const std::vector<const TStab*> byRest = SortedOverBars(list, CompareRest);
            std::vector<int32_t> rests;
            for (const std::unique_ptr<TStab>& bar : list) {
                rests.push_back(bar->Rest);
            }
            std::vector<const TStab*> visited;
            VisitRestOrder(rests, [&](uint32_t position) {
                visited.push_back(list[position].get());
                return std::ssize(visited) < visits;
            });
            EXPECT_EQ(visited, std::vector<const TStab*>(byRest.begin(), byRest.begin() + visits));
        }
    }
}

// Long passes find where the scans stop before they exchange: every exchange, and so every place
// of equal entries, must be that of the plain scans.
TEST(ListSort, PassesOverLongRangesTakeThePlainSteps) {
    std::mt19937 random(29);
    const auto pivotOf = [](const std::pair<int, int>& entry) { return entry.first; };
    const auto compare = [](const std::pair<int, int>& entry, int pivot) {
        return (entry.first > pivot) - (entry.first < pivot);
    };
    for (int size = 1; size < 3000; size += 1 + size / 3) {
        for (const int distinct : {1, 2, 5, 40, 1 << 30}) {
            std::vector<std::pair<int, int>> plain(size);
            for (int i = 0; i < size; ++i) {
                plain[i] = {static_cast<int>(random() % distinct), i};
            }
            if (distinct == 40 && size > 100) {
                std::sort(plain.begin(), plain.begin() + size / 2);  // a sorted half
            }
            std::vector<std::pair<int, int>> sorted = plain;
            reference::PlainListSort(
                plain, [](const std::pair<int, int>& entry, const std::pair<int, int>& pivot) {
                    return (entry.first > pivot.first) - (entry.first < pivot.first);
                });
            ListSort(sorted, pivotOf, compare);
            ASSERT_EQ(sorted, plain) << size << " entries, " << distinct << " keys";
        }
    }
}

// A sorted list sorted again: the passes found without the scans take the plain steps, on lists
// with runs of equal keys of every length.
TEST(ListSortSorted, TakesThePlainStepsOnSortedLists) {
    std::mt19937 random(31);
    const auto compare = [](const std::pair<int, int>& entry, int pivot) {
        return (entry.first > pivot) - (entry.first < pivot);
    };
    const auto pivotOf = [](const std::pair<int, int>& entry) { return entry.first; };
    const ComparisonOrdering<decltype(pivotOf), decltype(compare)> ordering{pivotOf, compare};
    for (int size = 0; size < 2000; size += 1 + size / 4) {
        for (const int distinct : {1, 2, 7, 100, 1 << 30}) {
            std::vector<std::pair<int, int>> plain(size);
            for (int i = 0; i < size; ++i) {
                plain[i] = {static_cast<int>(random() % distinct), i};
            }
            std::sort(plain.begin(), plain.end());
            std::vector<std::pair<int, int>> sorted = plain;
            reference::PlainListSort(
                plain, [](const std::pair<int, int>& entry, const std::pair<int, int>& pivot) {
                    return (entry.first > pivot.first) - (entry.first < pivot.first);
                });
            ListSortSorted(sorted, ordering);
            ASSERT_EQ(sorted, plain) << size << " entries, " << distinct << " keys";
        }
    }
}

// The second thread sorts the left parts of long passes: the outcome must be the very order of
// the sort on one thread, ties included.
TEST(ListSortAll, TheHelperThreadChangesNoPlace) {
    std::mt19937 random(19);
    SortHelper helper;
    for (const int size : {kParallelSortPart - 1, 3 * kParallelSortPart, 20 * kParallelSortPart}) {
        for (const int distinct : {3, 1000, 1 << 30}) {
            std::vector<std::pair<int, int>> alone(size);
            for (int i = 0; i < size; ++i) {
                alone[i] = {static_cast<int>(random() % distinct), i};
            }
            std::vector<std::pair<int, int>> helped = alone;
            const auto pivotOf = [](const std::pair<int, int>& entry) { return entry.first; };
            const auto compare = [](const std::pair<int, int>& entry, int pivot) {
                return (entry.first > pivot) - (entry.first < pivot);
            };
            ListSort(alone, pivotOf, compare);
            ListSortAll(helped,
                        ComparisonOrdering<decltype(pivotOf), decltype(compare)>{pivotOf, compare},
                        &helper);
            EXPECT_EQ(helped, alone);
        }
    }
}

// Scoring sorts by score and the selection sorts the result again; both at once give the same.
TEST(ScoreOrder, TwoSortsAtOnceAreTwoSortsInARow) {
    std::mt19937 random(23);
    for (const long double scale : {1.0L, 0x1p40L, 0x1p70L}) {
        std::vector<long double> scaled(5000);
        for (long double& x : scaled) {
            x = static_cast<long double>(random() % 300) / 7.0L * scale;
        }
        std::vector<uint32_t> once;
        ScoreOrder(scaled, once);
        std::vector<long double> sorted;
        for (const uint32_t p : once) {
            sorted.push_back(scaled[p]);
        }
        std::vector<uint32_t> again;
        ScoreOrder(sorted, again);
        std::vector<uint32_t> inARow;
        for (const uint32_t p : again) {
            inARow.push_back(once[p]);
        }
        std::vector<uint32_t> atOnce;
        ScoreOrder(scaled, atOnce, nullptr, 2);
        EXPECT_EQ(atOnce, inARow);
        EXPECT_NE(atOnce, once);  // the second sort moves ties: the test sees a difference
    }
}

}  // namespace
}  // namespace zelk
