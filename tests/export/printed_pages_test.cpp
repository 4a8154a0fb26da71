#include "export/printed_pages.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace zelk {
namespace {

TEST(PageBreaksBetweenRuns, ARunWiderThanAPageGetsAPageOfItsOwnAndNoBreakInside) {
    // Standard widths: the two title columns and four runs of two columns; three fill a page.
    std::vector<ColumnRun> runs{{3, 4}, {5, 6}, {7, 8}, {9, 10}};
    EXPECT_EQ(PageBreaksBetweenRuns(runs, 2, {}), (std::vector<int>{9}));

    // Column 6 alone is wider than a page: its run starts a page and the next run starts the
    // page after it; neither column 6 nor a column inside another run begins a page.
    std::map<int, int> widths{{6, 120}};
    EXPECT_EQ(PageBreaksBetweenRuns(runs, 2, widths), (std::vector<int>{5, 7}));
    widths = {{3, 120}};
    EXPECT_EQ(PageBreaksBetweenRuns(runs, 2, widths), (std::vector<int>{5}));
}

TEST(PageBreaksBetweenRuns, AColumnOfWidthZeroHasTheStandardWidth) {
    // Four runs of two columns fill a page beside one title column; counted as empty, the
    // first two runs would leave room for the fifth.
    std::vector<ColumnRun> runs{{2, 3}, {4, 5}, {6, 7}, {8, 9}, {10, 11}};
    EXPECT_EQ(PageBreaksBetweenRuns(runs, 1, {{2, 0}, {3, 0}, {4, 0}, {5, 0}}),
              (std::vector<int>{10}));
}

}  // namespace
}  // namespace zelk
