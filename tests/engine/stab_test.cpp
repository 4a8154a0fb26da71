#include <gtest/gtest.h>

#include <limits>

#include "engine/bar_pool.h"
#include "job_builder.h"

namespace zelk {
namespace {

using test::Bar;
using test::BuildJob;

JobTables PieceOf3000() {
    return BuildJob({{1, 3000}}, {{10, 3000}, {10, 1000}});
}

TEST(AddPiece, APieceThatFillsTheBarExactlyFitsAndTheNextDoesNot) {
    const JobTables job = PieceOf3000();
    TStab bar(1, 3000);
    EXPECT_TRUE(bar.AddPiece(job, 1));
    EXPECT_EQ(bar.Rest, 0);
    EXPECT_EQ(bar.Pieces[1], 1);

    EXPECT_FALSE(bar.AddPiece(job, 1));
    EXPECT_EQ(bar.Rest, 0);
    EXPECT_EQ(bar.Pieces[1], 1);
}

TEST(AddPieces, AllOrNothing) {
    const JobTables job = PieceOf3000();
    TStab bar(1, 2500);
    EXPECT_FALSE(bar.AddPieces(job, 2, 3));  // only two of 1000 fit into 2500
    EXPECT_EQ(bar.Rest, 2500);
    EXPECT_EQ(bar.Pieces[2], 0);

    EXPECT_TRUE(bar.AddPieces(job, 2, 2));
    EXPECT_EQ(bar.Rest, 500);
    EXPECT_EQ(bar.Pieces[2], 2);

    EXPECT_TRUE(bar.AddPieces(job, 1, 0));
    EXPECT_EQ(bar.Rest, 500);
    EXPECT_EQ(bar.Pieces[1], 0);
}

TEST(AddPieces, ANegativeCountTakesPiecesOffAndGivesTheirLengthBack) {
    const JobTables job = PieceOf3000();
    TStab bar(1, 2500);
    EXPECT_TRUE(bar.AddPieces(job, 2, -2));
    EXPECT_EQ(bar.Pieces[2], -2);
    EXPECT_EQ(bar.Rest, 4500);
}

TEST(AddPieces, HugeCountsNeverWrapAroundIntoAFit) {
    const JobTables job = PieceOf3000();
    TStab bar(1, 3000);
    // 2^31 - 1 pieces of 1000 would wrap around in 32 bits; they simply do not fit.
    EXPECT_FALSE(bar.AddPieces(job, 2, std::numeric_limits<int32_t>::max()));
    // 4294968 x 1000 wraps to a small positive product in 32 bits.
    EXPECT_FALSE(bar.AddPieces(job, 2, 4294968));
    // Taking off so many pieces that the rest leaves the 32-bit range does not fit either.
    EXPECT_FALSE(bar.AddPieces(job, 2, std::numeric_limits<int32_t>::min()));
    EXPECT_EQ(bar.Rest, 3000);
    EXPECT_EQ(bar.Pieces[2], 0);
}

TEST(SamePattern, BarCountAndScoreDoNotCount) {
    TStab a = Bar(1, 1000, 100, {1, 1});
    TStab b = Bar(1, 1000, 100, {1, 1}, 7);
    b.Score = 3;
    EXPECT_TRUE(a.SamePattern(b));

    TStab otherPieces = Bar(1, 1000, 100, {1, 0, 3});
    TStab otherStock = Bar(2, 1000, 100, {1, 1});
    TStab otherUsable = Bar(1, 1100, 100, {1, 1});
    TStab otherRest = Bar(1, 1000, 200, {1, 1});
    TStab lastKind = a;
    lastKind.Pieces[kMaxKinds] = 1;
    for (const TStab* other : {&otherPieces, &otherStock, &otherUsable, &otherRest, &lastKind}) {
        EXPECT_FALSE(a.SamePattern(*other));
    }
}

TEST(BarCopies, ACopyKeepsTheScoreCopyFromDoesNot) {
    TStab source = Bar(2, 1000, 100, {0, 3}, 4);
    source.Score = 2.5L;
    const TStab copy = source;
    EXPECT_EQ(copy.Score, 2.5L);

    TStab target(1, 50);
    target.Score = 7;
    target.Pieces[5] = 9;
    target.CopyFrom(source);
    EXPECT_TRUE(target.SamePattern(source));
    EXPECT_EQ(target.BarCount, 4);
    EXPECT_EQ(target.Score, 7);
}

TEST(BarPool, ReusesTheBarReleasedLastFirst) {
    BarPool pool;
    std::unique_ptr<TStab> x = pool.ObtainBar(2, 900);
    EXPECT_EQ(x->StockIndex, 2);
    EXPECT_EQ(x->Rest, 900);
    x->Pieces[3] = 4;
    x->Rest = 10;
    x->BarCount = 5;
    std::unique_ptr<TStab> y = pool.ObtainBar(1, 800);
    TStab* xAddress = x.get();
    TStab* yAddress = y.get();
    pool.ReleaseBar(std::move(x));
    pool.ReleaseBar(std::move(y));
    EXPECT_EQ(pool.FreeCount(), 2u);

    EXPECT_EQ(pool.ObtainBar(1, 500).get(), yAddress);
    std::unique_ptr<TStab> again = pool.ObtainBar(1, 500);
    EXPECT_EQ(again.get(), xAddress);
    EXPECT_TRUE(again->SamePattern(TStab(1, 500)));
    EXPECT_EQ(again->BarCount, 0);
    EXPECT_EQ(pool.FreeCount(), 0u);

    // The pool makes new bars when it has none left.
    std::unique_ptr<TStab> fresh = pool.ObtainBar(3, 700);
    EXPECT_TRUE(fresh->SamePattern(TStab(3, 700)));
}

TEST(BarPool, ClonesCopyEveryFieldButTheScore) {
    BarPool pool;
    TStab source = Bar(1, 1000, 400, {1}, 2);
    source.Score = 5;
    std::unique_ptr<TStab> clone = pool.CloneBar(source);
    EXPECT_TRUE(clone->SamePattern(source));
    EXPECT_EQ(clone->BarCount, 2);

    // A recycled bar is overwritten completely, whatever it held.
    clone->Pieces[7] = 3;
    clone->StockIndex = 4;
    pool.ReleaseBar(std::move(clone));
    std::unique_ptr<TStab> recycled = pool.CloneBar(source);
    EXPECT_TRUE(recycled->SamePattern(source));
    EXPECT_EQ(recycled->BarCount, 2);
}

TEST(BarPool, ReleasesWholeListsAndFreesEverything) {
    BarPool pool;
    BarList list;
    list.push_back(pool.ObtainBar(1, 100));
    list.push_back(nullptr);  // a place already emptied
    list.push_back(pool.ObtainBar(1, 200));
    pool.ReleaseBars(list);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(pool.FreeCount(), 2u);
    pool.ClearBarPool();
    EXPECT_EQ(pool.FreeCount(), 0u);
}

TEST(ContainsPattern, FindsAnEntryWithTheSamePatternOnly) {
    BarList list;
    list.push_back(std::make_unique<TStab>(Bar(1, 1000, 0, {1, 1, 1}, 2)));
    list.push_back(std::make_unique<TStab>(Bar(1, 1000, 100, {1, 1}, 2)));
    EXPECT_TRUE(ContainsPattern(list, Bar(1, 1000, 100, {1, 1}, 1)));
    EXPECT_FALSE(ContainsPattern(list, Bar(1, 1000, 400, {1})));
    EXPECT_FALSE(ContainsPattern(BarList{}, Bar(1, 1000, 400, {1})));
}

}  // namespace
}  // namespace zelk
