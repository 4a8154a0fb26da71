#include <gtest/gtest.h>

#include <limits>

#include "engine/plan_from_grid.h"
#include "job_builder.h"
#include "search_host_recorder.h"

namespace zelk {
namespace {

using Bars = std::vector<std::string>;

// Two stock lengths and the example's three fix lengths: columns Nr., LL 1, LL 2, Max LL,
// 600, 300, 100, Rest/LL.
class GridPlan : public ::testing::Test {
protected:
    void AddRow(const std::vector<std::string>& cells) {
        const int row = grid_.RowCount();
        grid_.SetRowCount(row + 1);
        for (std::size_t col = 0; col < cells.size(); ++col) {
            grid_.SetCell(row, static_cast<int>(col), cells[col]);
        }
    }

    Bars Read() {
        PlanFromGrid(plan_, grid_);
        return test::Describe(plan_.Bars, job_.FixKinds);
    }

    JobTables job_ = test::BuildJob({{3, 1000}, {2, 2000}}, {{2, 600}, {3, 300}, {5, 100}});
    EngineContext context_{job_};
    TBearbeitung plan_{context_};
    TextGrid grid_{1, 8};
};

TEST_F(GridPlan, RowsWithACountBecomeBarsInRowOrder) {
    AddRow({"2", "2", "X", "2", "1", "1", "1", "0"});
    AddRow({"3", "X", "", "1", "", "3", "", "1"});  // a candidate row: no count
    AddRow({"4", "X", "1", "1", "2", "", "8", "0"});
    EXPECT_EQ(Read(), (Bars{"2 x 1/1/1 r0", "1 x 2/0/8 r0 s2"}));
}

TEST_F(GridPlan, TheLastStockCellWithACountDecides) {
    AddRow({"2", "3", "1", "", "1", "", "", ""});
    AddRow({"3", "-1", "X", "", "", "", "", ""});
    EXPECT_EQ(Read(), (Bars{"1 x 1/0/0 r1400 s2", "-1 x 0/0/0 r1000"}));
}

TEST_F(GridPlan, CellsThatAreNoWholeNumbersCountZero) {
    AddRow({"2", "X", "", "", "", "", "", ""});
    AddRow({"3", "1,5", "X", "", "", "", "", ""});
    AddRow({"4", "1", "X", "", "1x", " 2 ", "abc", ""});
    EXPECT_EQ(Read(), (Bars{"1 x 0/2/0 r400"}));
}

TEST_F(GridPlan, PiecesThatDoNotFitAreLeftOff) {
    AddRow({"2", "2", "X", "", "3", "1", "", ""});  // three pieces of 600 on 1000
    AddRow({"3", "1", "X", "", "", "", "2147483647", ""});
    AddRow({"4", "1", "X", "", "", "", std::to_string(std::numeric_limits<int32_t>::min()), ""});
    EXPECT_EQ(Read(), (Bars{"2 x 0/1/0 r700", "1 x 0/0/0 r1000", "1 x 0/0/0 r1000"}));
}

TEST_F(GridPlan, ReplacesWhatThePlanHeld) {
    plan_.Bars.push_back(std::make_unique<TStab>(test::Bar(1, 1000, 0, {1}, 1)));
    plan_.Candidates.push_back(std::make_unique<TStab>(test::Bar(1, 1000, 0, {1}, 1)));
    AddRow({"2", "1", "X", "", "", "", "1", ""});
    EXPECT_EQ(Read(), (Bars{"1 x 0/0/1 r900"}));
    EXPECT_TRUE(plan_.Candidates.empty());
}

TEST_F(GridPlan, CellsBeyondAnOlderLayoutCountZero) {
    grid_.SetColCount(5);  // the grid of a job with fewer fix lengths
    AddRow({"2", "1", "X", "1", "1"});
    EXPECT_EQ(Read(), (Bars{"1 x 1/0/0 r400"}));
}

}  // namespace
}  // namespace zelk
