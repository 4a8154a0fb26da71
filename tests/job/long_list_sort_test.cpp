// Sorting long fix lists, as a paste of thousands of rows brings them, and lengths so large or so
// small that their rewritten text must still read as a number.
#include <gtest/gtest.h>

#include "base/errors.h"
#include "job/list_aids.h"
#include "recording_dialogs.h"

namespace zelk {
namespace {

TEST(LongListSort, ThousandsOfRowsEndLongestFirstWithTheirCounts) {
    ListRows rows;
    for (int i = 0; i < 5000; ++i) {
        const int length = (i * 7919) % 5000 + 1;  // every length from 1 to 5000 once, shuffled
        rows.push_back({std::to_string(length * 3), std::to_string(length) + ",50"});
    }
    TextGrid list = MakeList(rows);
    SortListByLength(list, ',');
    ASSERT_EQ(list.RowCount(), 5001);
    for (int row = 1; row <= 5000; ++row) {
        const int length = 5001 - row;
        ASSERT_EQ(list.Cell(row, 0), std::to_string(length * 3)) << row;
        // Exchanged lengths are rewritten; the few never exchanged keep their text as typed.
        const std::string cell = list.Cell(row, 1);
        ASSERT_TRUE(cell == std::to_string(length) + ",5" || cell == std::to_string(length) + ",50")
            << row << ": " << cell;
    }
}

TEST(LongListSort, AnExchangedHugeLengthIsWrittenOutAndReadAgain) {
    // 10^20 and 0.00001 are rewritten without an exponent, so later comparisons still read them.
    TextGrid list =
        MakeList({{"4", "0,000010"}, {"1", "5"}, {"2", "100000000000000000000"}, {"3", "7"}});
    SortListByLength(list, ',');
    EXPECT_EQ(DataRows(list),
              (ListRows{{"2", "100000000000000000000"}, {"3", "7"}, {"1", "5"}, {"4", "0,00001"}}));
}

}  // namespace
}  // namespace zelk
