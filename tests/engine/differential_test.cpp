// The engine against the plain reading of its rules in reference_engine: on many random jobs, at
// several budgets, with and without the two machine limits and with and without a stop after some
// nodes, both must generate, filter, score and select the very same candidates in the very same
// order, visit the same nodes and show the same better plans one after the other.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

#include "engine/calculation.h"
#include "job_builder.h"
#include "reference_engine.h"
#include "search_host_recorder.h"

namespace zelk {
namespace {

using Lines = std::vector<std::string>;

TStab ToStab(const reference::Bar& bar) {
    TStab stab(bar.StockIndex, bar.Usable);
    stab.Rest = bar.Rest;
    stab.BarCount = bar.BarCount;
    stab.Pieces = bar.Pieces;
    stab.Score = bar.Score;
    return stab;
}

// A bar as a line: its pieces, rest and count, and its score to the last bit when scored.
std::string Line(const TStab& bar, int fixKinds, bool scored) {
    std::ostringstream text;
    text << test::Describe(bar, fixKinds) << " u" << bar.Usable;
    if (scored) {
        text << " score " << std::hexfloat << bar.Score;
    }
    return text.str();
}

Lines BarLines(const BarList& list, int fixKinds, bool scored) {
    Lines lines;
    for (const std::unique_ptr<TStab>& bar : list) {
        lines.push_back(Line(*bar, fixKinds, scored));
    }
    return lines;
}

Lines BarLines(const std::vector<reference::Bar>& list, int fixKinds, bool scored) {
    Lines lines;
    for (const reference::Bar& bar : list) {
        lines.push_back(Line(ToStab(bar), fixKinds, scored));
    }
    return lines;
}

// A random job: one to three stock lengths, a few to many fix lengths of which some may be short
// (below 2 % of the stock), kerf, trim cut and clamp rest or none.
JobTables RandomJob(std::mt19937& rng, int maxFixKinds) {
    const auto between = [&rng](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    };
    std::vector<test::Amount> stock;
    const int stockKinds = between(1, 3);
    for (int s = 0; s < stockKinds; ++s) {
        stock.push_back({between(1, 12), between(20, 65) * 10000});
    }
    std::vector<int32_t> lengths;
    const int fixKinds = between(1, maxFixKinds);
    const bool withShort = between(0, 2) == 0;
    for (int k = 0; k < fixKinds; ++k) {
        lengths.push_back(withShort && between(0, 3) == 0 ? between(100, 1200)
                                                          : between(15, 330) * 1000);
    }
    std::sort(lengths.rbegin(), lengths.rend());
    std::vector<test::Amount> fix;
    for (const int32_t length : lengths) {
        fix.push_back({between(1, 9), length});
    }
    test::Machine machine;
    if (between(0, 1) == 1) {
        machine = {between(0, 2000), between(0, 15000), between(0, 600), between(0, 100)};
    }
    return test::BuildJob(stock, fix, machine);
}

// A job as a saw shop has them: one or two stock lengths with many bars, fix lengths on a coarse
// grid with large counts, so that many patterns fill a bar exactly or leave the same rest and
// the candidate lists are full of equal rests and equal scores.
JobTables SawShopJob(std::mt19937& rng) {
    const auto between = [&rng](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    };
    std::vector<test::Amount> stock = {{between(20, 120), 600000}};
    if (between(0, 1) == 1) {
        stock.push_back({between(20, 120), 650000});
    }
    std::vector<int32_t> lengths;
    while (static_cast<int>(lengths.size()) < between(6, 14)) {
        const int32_t length = between(5, 50) * 5000;
        if (std::find(lengths.begin(), lengths.end(), length) == lengths.end()) {
            lengths.push_back(length);
        }
    }
    std::sort(lengths.rbegin(), lengths.rend());
    std::vector<test::Amount> fix;
    for (const int32_t length : lengths) {
        fix.push_back({between(5, 60), length});
    }
    return test::BuildJob(stock, fix, {0, 0, between(0, 1) * 400, 0});
}

// Some of the time no limit, otherwise a random one (0, no item selected, included).
SelectionLimits RandomLimits(std::mt19937& rng, int fixKinds) {
    const auto limit = [&rng, fixKinds] {
        std::uniform_int_distribution<int> pick(-1, fixKinds - 1);
        return std::uniform_int_distribution<int>(0, 2)(rng) == 0 ? fixKinds - 1 : pick(rng);
    };
    const int kindItem = limit();
    return LimitsFromChoices(kindItem, limit());
}

void ExpectSameTotals(const TBearbeitung& plan, const reference::Plan& ref) {
    EXPECT_EQ(plan.FixOpen, ref.FixOpen);
    EXPECT_EQ(plan.StockLeft, ref.StockLeft);
    EXPECT_EQ(plan.TotalRest, ref.TotalRest);
    EXPECT_EQ(plan.UsedLength, ref.UsedLength);
    EXPECT_EQ(plan.PieceLength, ref.PieceLength);
    EXPECT_EQ(plan.RestExceptLast, ref.RestExceptLast);
    EXPECT_EQ(plan.Fulfilled, ref.Fulfilled);
    EXPECT_EQ(plan.NextBarLength, ref.NextBarLength);
}

constexpr int kBudgets[] = {40, 300, 2000, 10000};

// Generation, filtering, scoring and selection step by step down a random path of a few entries.
TEST(Differential, EveryStepOfTheSelectionMatchesOnRandomPlans) {
    std::mt19937 rng(1402);
    for (int round = 0; round < 120; ++round) {
        const JobTables job = RandomJob(rng, round % 2 == 0 ? 8 : 30);
        const SelectionLimits limits = RandomLimits(rng, job.FixKinds);
        const int budget = kBudgets[round % 4];
        SCOPED_TRACE("round " + std::to_string(round) + ", budget " + std::to_string(budget));
        EngineContext context(job, limits);
        TBearbeitung plan(context);
        reference::Engine engine{job, limits.KindLimit, limits.BinLimit};
        reference::Plan ref;
        for (int level = 0; level < 5; ++level) {
            plan.UpdateTotals();
            reference::UpdateTotals(engine, ref);
            ExpectSameTotals(plan, ref);
            plan.GeneratePatterns(budget);
            reference::GeneratePatterns(engine, ref, budget);
            ASSERT_EQ(BarLines(plan.Candidates, job.FixKinds, false),
                      BarLines(ref.Candidates, job.FixKinds, false));
            plan.FilterCandidates();
            reference::FilterCandidates(engine, ref);
            ASSERT_EQ(BarLines(plan.Candidates, job.FixKinds, false),
                      BarLines(ref.Candidates, job.FixKinds, false));
            plan.ScoreCandidates();
            reference::ScoreCandidates(engine, ref);
            ASSERT_EQ(BarLines(plan.Candidates, job.FixKinds, true),
                      BarLines(ref.Candidates, job.FixKinds, true));
            const int n = std::uniform_int_distribution<int>(1, 6)(rng);
            plan.SelectCandidates(n);
            reference::SelectCandidates(ref, n);
            ASSERT_EQ(BarLines(plan.Candidates, job.FixKinds, true),
                      BarLines(ref.Candidates, job.FixKinds, true));
            if (plan.Candidates.empty()) {
                break;
            }
            const auto pick =
                std::uniform_int_distribution<std::size_t>(0, plan.Candidates.size() - 1)(rng);
            plan.Bars.push_back(std::move(plan.Candidates[pick]));
            plan.ClearCandidates();
            ref.Bars.push_back(ref.Candidates[pick]);
        }
    }
}

// Stops the search at the poll after the given number of nodes.
class StoppingHost : public test::RecordingHost {
public:
    explicit StoppingHost(int64_t stopAfter) : stopAfter_(stopAfter) {}
    bool StopRequested() override { return stopAfter_ >= 0 && polls_++ >= stopAfter_; }

private:
    int64_t stopAfter_;
    int64_t polls_ = 0;
};

struct Outcome {
    int64_t nodes;
    int64_t candidates;
    Lines shown;           // every plan shown, in order
    int64_t recalled = 0;  // selections the engine took from its memory of states
};

Lines ShownLine(bool passFinished, const Lines& bars, bool fulfilled, long double usedLength,
                int64_t candidatesSoFar) {
    std::ostringstream text;
    text << (passFinished ? "pass end" : "better") << (fulfilled ? " met" : " not met") << " used "
         << std::hexfloat << usedLength << std::dec << " after " << candidatesSoFar;
    Lines lines = {text.str()};
    lines.insert(lines.end(), bars.begin(), bars.end());
    return lines;
}

// memoWords: the room of the engine's memory of selections per generation, 0 for its default.
Outcome EngineRun(const JobTables& job, const std::vector<reference::Bar>& rootBars, int budget,
                  SelectionLimits limits, int64_t stopAfter, std::size_t memoWords = 0) {
    EngineContext context(job);
    if (memoWords > 0) {
        context.selections = SelectionMemo(memoWords);
    }
    auto root = std::make_unique<TBearbeitung>(context);
    for (const reference::Bar& bar : rootBars) {
        root->Bars.push_back(std::make_unique<TStab>(ToStab(bar)));
    }
    StoppingHost host(stopAfter);
    const EngineCounters counters = RunCalculation(std::move(root), true, budget, limits, host);
    EXPECT_TRUE(host.errors().empty());
    Outcome run{counters.Nodes, counters.Candidates, {}, context.selections.Recalled()};
    for (const test::Shown& shown : host.shown()) {
        const Lines lines = ShownLine(shown.event == BestPlanEvent::PassFinished, shown.bars,
                                      shown.fulfilled, shown.usedLength, shown.candidatesSoFar);
        run.shown.insert(run.shown.end(), lines.begin(), lines.end());
    }
    return run;
}

Outcome ReferenceRun(const JobTables& job, const std::vector<reference::Bar>& rootBars, int budget,
                     SelectionLimits limits, int64_t stopAfter) {
    reference::Engine engine{job, limits.KindLimit, limits.BinLimit};
    reference::Plan root;
    root.Bars = rootBars;
    int64_t polls = 0;
    const auto stop = [&polls, stopAfter] { return stopAfter >= 0 && polls++ >= stopAfter; };
    Outcome run{0, 0, {}};
    for (const reference::Shown& shown : reference::RunCalculation(engine, root, budget, stop)) {
        Lines bars;
        for (const reference::Bar& bar : shown.bars) {
            bars.push_back(test::Describe(ToStab(bar), job.FixKinds));
        }
        const Lines lines = ShownLine(shown.passFinished, bars, shown.fulfilled, shown.usedLength,
                                      shown.candidatesSoFar);
        run.shown.insert(run.shown.end(), lines.begin(), lines.end());
    }
    run.nodes = engine.Nodes;
    run.candidates = engine.CandidatesGenerated;
    return run;
}

// Whole calculations: small jobs run to their end, larger ones stop after a random number of
// nodes; some start from bar entries already in the plan, as "Optimieren" does from the grid.
// Plans that cut the same entries in another order meet the same state, and the engine must
// take its selection there from its memory: it must have done so on the way.
TEST(Differential, WholeCalculationsShowTheSamePlansAfterTheSameEffort) {
    std::mt19937 rng(1403);
    int64_t recalled = 0;
    for (int round = 0; round < 120; ++round) {
        const bool toTheEnd = round % 3 == 0;
        const JobTables job = RandomJob(rng, toTheEnd ? 5 : 25);
        const SelectionLimits limits = RandomLimits(rng, job.FixKinds);
        const int budget = kBudgets[round % 3 + (round % 7 == 6 ? 1 : 0)];
        const int64_t stopAfter =
            toTheEnd ? -1 : std::uniform_int_distribution<int64_t>(0, 400)(rng);
        std::vector<reference::Bar> rootBars;
        if (round % 4 == 1) {
            reference::Engine engine{job, job.FixKinds, job.FixKinds};
            reference::Plan plan;
            reference::UpdateTotals(engine, plan);
            reference::GeneratePatterns(engine, plan, 40);
            if (!plan.Candidates.empty()) {
                rootBars.push_back(plan.Candidates.back());
            }
        }
        SCOPED_TRACE("round " + std::to_string(round) + ", budget " + std::to_string(budget) +
                     ", stop after " + std::to_string(stopAfter));
        const Outcome expected = ReferenceRun(job, rootBars, budget, limits, stopAfter);
        const Outcome actual = EngineRun(job, rootBars, budget, limits, stopAfter);
        EXPECT_EQ(actual.nodes, expected.nodes);
        EXPECT_EQ(actual.candidates, expected.candidates);
        EXPECT_EQ(actual.shown, expected.shown);
        recalled += actual.recalled;
    }
    EXPECT_GT(recalled, 1000);
}

// Where equal keys are common, which of two candidates of equal score or rest is kept depends on
// every step of the sorts: the engine must keep the same ones where it leaves sorts out. Every
// other job runs with so little memory of selections that it replaces it again and again.
TEST(Differential, CalculationsOnJobsFullOfTiesShowTheSamePlans) {
    std::mt19937 rng(1405);
    for (int round = 0; round < 24; ++round) {
        const JobTables job = SawShopJob(rng);
        const SelectionLimits limits = RandomLimits(rng, job.FixKinds);
        const int budget = kBudgets[1 + round % 2];
        const int64_t stopAfter = std::uniform_int_distribution<int64_t>(50, 300)(rng);
        SCOPED_TRACE("round " + std::to_string(round) + ", budget " + std::to_string(budget) +
                     ", stop after " + std::to_string(stopAfter));
        const Outcome expected = ReferenceRun(job, {}, budget, limits, stopAfter);
        const Outcome actual =
            EngineRun(job, {}, budget, limits, stopAfter, round % 2 == 0 ? 0 : 500);
        EXPECT_EQ(actual.nodes, expected.nodes);
        EXPECT_EQ(actual.candidates, expected.candidates);
        EXPECT_EQ(actual.shown, expected.shown);
    }
}

}  // namespace
}  // namespace zelk
