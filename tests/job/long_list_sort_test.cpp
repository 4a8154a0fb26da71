// Sorting long fix lists, as a paste of thousands of rows brings them, and the lengths whose
// rewritten text no longer reads as a number.
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

TEST(LongListSort, AnExchangedLengthThatNoLongerReadsStopsTheSortWhereItIsNextRead) {
    // 10^20 is rewritten as "1e+20", which is no length a user types: the next comparison that
    // reads it stops the sort, and the exchange made before stays.
    TextGrid list = MakeList({{"1", "5"}, {"2", "100000000000000000000"}, {"3", "7"}});
    try {
        SortListByLength(list, '.');
        FAIL() << "no conversion error";
    } catch (const RuntimeError& error) {
        EXPECT_STREQ(error.what(), "'1e+20' ist kein gültiger Gleitkommawert");
    }
    EXPECT_EQ(DataRows(list), (ListRows{{"2", "1e+20"}, {"1", "5"}, {"3", "7"}}));
}

TEST(LongListSort, AnExchangedLengthLastOfAllIsNotReadAgain) {
    TextGrid list = MakeList({{"1", "5"}, {"2", "100000000000000000000"}});
    EXPECT_NO_THROW(SortListByLength(list, '.'));
    EXPECT_EQ(DataRows(list), (ListRows{{"2", "1e+20"}, {"1", "5"}}));
}

}  // namespace
}  // namespace zelk
