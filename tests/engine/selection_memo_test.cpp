// The search's memory of selections by state: what it hands back, how it tells states apart, and
// what it keeps when it runs out of room.
#include "engine/selection_memo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "job_builder.h"

namespace zelk {
namespace {

using Key = std::vector<int32_t>;

// A selection of the given bars, scores included, as the search leaves it in the arena.
void Select(CandidateArena& arena, const std::vector<TStab>& bars, int fixKinds) {
    arena.Clear();
    for (const TStab& bar : bars) {
        arena.Append(bar, fixKinds, bar.BarCount, bar.Score);
    }
}

struct Recalled {
    bool found = false;
    std::vector<std::string> bars;
    std::vector<long double> scores;
    int64_t generated = -1;
};

Recalled Recall(SelectionMemo& memo, const Key& key, BarPool& pool) {
    Recalled recalled;
    BarList selected;
    recalled.found = memo.Recall(key, pool, selected, recalled.generated);
    recalled.bars = test::Describe(selected, 4);
    for (const std::unique_ptr<TStab>& bar : selected) {
        recalled.scores.push_back(bar->Score);
        EXPECT_EQ(bar->Usable, 60000);
    }
    pool.ReleaseBars(selected);
    return recalled;
}

TStab Scored(TStab bar, long double score) {
    bar.Score = score;
    return bar;
}

TEST(SelectionMemo, HandsBackTheSelectionOfTheSameStateOnly) {
    SelectionMemo memo;
    CandidateArena arena;
    BarPool pool;
    // Recycled bars that held other pieces must come back holding just the kept ones.
    BarList dirty;
    dirty.push_back(std::make_unique<TStab>(test::Bar(1, 60000, 0, {9, 9, 9, 9})));
    pool.ReleaseBars(dirty);

    const long double third = 1.0L / 3;
    Select(arena,
           {Scored(test::Bar(2, 60000, 500, {0, 3, 0, 1}, 7), third),
            Scored(test::Bar(1, 60000, 0, {1, 0, 0, 0}, 1), -2.5L)},
           4);
    memo.Keep(Key{5, 0, 3, 1, 2000}, arena, int64_t{5} << 33);
    Select(arena, {}, 4);
    memo.Keep(Key{5, 0, 3, 1, 10000}, arena, 12);

    const Recalled first = Recall(memo, Key{5, 0, 3, 1, 2000}, pool);
    ASSERT_TRUE(first.found);
    EXPECT_EQ(first.bars, (std::vector<std::string>{"7 x 0/3/0/1 r500 s2", "1 x 1/0/0/0 r0"}));
    ASSERT_EQ(first.scores.size(), 2u);
    EXPECT_EQ(first.scores[0], third);  // to the last bit, not rounded on the way
    EXPECT_EQ(first.scores[1], -2.5L);
    EXPECT_EQ(first.generated, int64_t{5} << 33);

    const Recalled empty = Recall(memo, Key{5, 0, 3, 1, 10000}, pool);
    EXPECT_TRUE(empty.found);
    EXPECT_TRUE(empty.bars.empty());
    EXPECT_EQ(empty.generated, 12);

    // A different word, a shorter key with the same beginning, and a longer one: other states.
    EXPECT_FALSE(Recall(memo, Key{5, 0, 3, 1, 2001}, pool).found);
    EXPECT_FALSE(Recall(memo, Key{5, 0, 3, 1}, pool).found);
    EXPECT_FALSE(Recall(memo, Key{5, 0, 3, 1, 2000, 0}, pool).found);
    EXPECT_EQ(memo.Recalled(), 2);

    memo.Clear();
    EXPECT_FALSE(Recall(memo, Key{5, 0, 3, 1, 2000}, pool).found);
    EXPECT_EQ(memo.Recalled(), 0);
}

// With room for two selections per generation: a selection outlives one replacement of the
// newer generation but not two, and one recalled from the older generation starts anew.
TEST(SelectionMemo, KeepsTheRecentAndTheRecalledWithinItsRoom) {
    SelectionMemo memo(40);
    CandidateArena arena;
    BarPool pool;
    Select(arena, {test::Bar(1, 60000, 100, {1, 1, 0, 0}, 2)}, 4);  // about 19 words with its key
    for (int32_t state = 1; state <= 4; ++state) {
        memo.Keep(Key{state, 0}, arena, state);
    }
    // Older: 1, 2; newer: 3, 4. Recalling 1 copies it into a new newer generation: 2 is gone.
    EXPECT_TRUE(Recall(memo, Key{1, 0}, pool).found);
    EXPECT_FALSE(Recall(memo, Key{2, 0}, pool).found);
    memo.Keep(Key{5, 0}, arena, 5);
    memo.Keep(Key{6, 0}, arena, 6);  // older: 1, 5; newer: 6
    EXPECT_FALSE(Recall(memo, Key{3, 0}, pool).found);
    const Recalled again = Recall(memo, Key{1, 0}, pool);
    EXPECT_TRUE(again.found);
    EXPECT_EQ(again.generated, 1);
    EXPECT_EQ(again.bars, std::vector<std::string>{"2 x 1/1/0/0 r100"});
    EXPECT_EQ(memo.Recalled(), 2);
}

}  // namespace
}  // namespace zelk
