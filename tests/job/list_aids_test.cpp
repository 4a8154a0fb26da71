#include "job/list_aids.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "job/recording_dialogs.h"

namespace zelk {
namespace {

TEST(CompactList, TrimsRemovesEmptyRowsAndSortsLongestFirst) {
    OrderForm order;
    order.G_Fixl = MakeList({{" 2", "1200 "}, {"", "  "}, {"5", "3000"}, {"1", "1200"}});
    CompactList(order.G_Fixl, order, '.');
    EXPECT_EQ(DataRows(order.G_Fixl), (ListRows{{"5", "3000"}, {"2", "1200"}, {"1", "1200"}}));
}

TEST(CompactList, KeepsOneEmptyRow) {
    OrderForm order;
    order.g_hsl = MakeList({});
    CompactList(order.g_hsl, order, '.');
    EXPECT_EQ(DataRows(order.g_hsl), (ListRows{{"", ""}}));

    order.g_hsl = MakeList({{"", ""}, {" ", ""}, {"", "\t"}});
    CompactList(order.g_hsl, order, '.');
    EXPECT_EQ(DataRows(order.g_hsl), (ListRows{{"", ""}}));
}

TEST(CompactList, LeavingTheStockListSortsEveryFixListButNotTheStock) {
    OrderForm order;
    order.g_hsl = MakeList({{"1", "4000"}, {"", ""}, {"2", "6000"}});
    order.G_Fixl = MakeList({{"1", "100"}, {"1", "200"}});
    order.g_fixl3 = MakeList({{"1", "300"}, {"1", "400"}});  // hidden, sorted all the same
    CompactList(order.g_hsl, order, '.');
    EXPECT_EQ(DataRows(order.g_hsl), (ListRows{{"1", "4000"}, {"2", "6000"}}));
    EXPECT_EQ(DataRows(order.G_Fixl), (ListRows{{"1", "200"}, {"1", "100"}}));
    EXPECT_EQ(DataRows(order.g_fixl3), (ListRows{{"1", "400"}, {"1", "300"}}));
}

TEST(CompactList, ABadLengthInAnyFixListStopsLeavingAnyList) {
    OrderForm order;
    order.g_fixl2 = MakeList({{"1", "1200"}, {"1", "1500mm"}});
    try {
        CompactList(order.g_hsl, order, '.');
        FAIL() << "no conversion error";
    } catch (const RuntimeError& error) {
        EXPECT_STREQ(error.what(), "'1500mm' ist kein gültiger Gleitkommawert");
    }
    // With two bad lengths the upper row's is named: it is read first.
    order.g_fixl2 = MakeList({{"1", "12 m"}, {"1", "1500mm"}});
    try {
        CompactList(order.g_hsl, order, '.');
        FAIL() << "no conversion error";
    } catch (const RuntimeError& error) {
        EXPECT_STREQ(error.what(), "'12 m' ist kein gültiger Gleitkommawert");
    }
}

TEST(SortListByLength, EqualLengthsAreNotStable) {
    TextGrid list = MakeList({{"1", "1200"}, {"2", "1200"}, {"3", "3000"}});
    SortListByLength(list, '.');
    EXPECT_EQ(DataRows(list), (ListRows{{"3", "3000"}, {"2", "1200"}, {"1", "1200"}}));
}

TEST(SortListByLength, RewritesOnlyExchangedLengthsWithTheDecimalComma) {
    TextGrid list = MakeList({{"1", "5000,00"}, {"2", "1200,50"}, {"3", "1500"}});
    SortListByLength(list, ',');
    EXPECT_EQ(DataRows(list), (ListRows{{"1", "5000,00"}, {"3", "1500"}, {"2", "1200,5"}}));
}

TEST(SortListByLength, StopsMidwayKeepingTheExchangesMade) {
    TextGrid list = MakeList({{"1", "1200"}, {"2", "1500"}, {"3", ""}});
    EXPECT_THROW(SortListByLength(list, '.'), RuntimeError);
    EXPECT_EQ(DataRows(list), (ListRows{{"2", "1500"}, {"1", "1200"}, {"3", ""}}));

    TextGrid single = MakeList({{"1", "kein Wert"}});
    EXPECT_NO_THROW(SortListByLength(single, '.'));  // one data row is not looked at
}

TEST(TabNavigation, TabInTheLengthCellGoesOnOrAppends) {
    TextGrid list = MakeList({{"1", "6000"}, {"2", "4000"}});
    ListKeyAction next = g_hslKeyDown(list, {1, 1}, ListKey::Tab, ListKind::Stock);
    EXPECT_EQ(next, (ListKeyAction{true, false, CellPosition{2, 0}, FocusTarget::StayInList}));

    ListKeyAction append = g_hslKeyDown(list, {2, 1}, ListKey::Tab, ListKind::Stock);
    EXPECT_EQ(append, (ListKeyAction{true, true, CellPosition{3, 0}, FocusTarget::StayInList}));
}

TEST(TabNavigation, TabOnAnEmptyLastRowLeavesTheList) {
    TextGrid list = MakeList({{"1", "6000"}, {"", ""}});
    EXPECT_EQ(g_hslKeyDown(list, {2, 1}, ListKey::Tab, ListKind::Stock),
              (ListKeyAction{true, true, std::nullopt, FocusTarget::G_Fixl}));
    EXPECT_EQ(g_hslKeyDown(list, {2, 1}, ListKey::Tab, ListKind::Fix),
              (ListKeyAction{true, true, std::nullopt, FocusTarget::E_WastToStock}));
}

TEST(TabNavigation, ShiftTabGoesBackOnlyFromALaterCountCell) {
    TextGrid list = MakeList({{"1", "6000"}, {"2", "4000"}});
    EXPECT_EQ(g_hslKeyDown(list, {2, 0}, ListKey::ShiftTab, ListKind::Fix),
              (ListKeyAction{true, false, CellPosition{1, 1}, FocusTarget::StayInList}));

    const ListKeyAction gridDoesIt;  // not consumed, nothing to do
    EXPECT_EQ(g_hslKeyDown(list, {1, 0}, ListKey::ShiftTab, ListKind::Fix), gridDoesIt);
    EXPECT_EQ(g_hslKeyDown(list, {2, 1}, ListKey::ShiftTab, ListKind::Fix), gridDoesIt);
    EXPECT_EQ(g_hslKeyDown(list, {1, 0}, ListKey::Tab, ListKind::Fix), gridDoesIt);
    EXPECT_EQ(g_hslKeyDown(list, {2, 1}, ListKey::Other, ListKind::Fix), gridDoesIt);
}

}  // namespace
}  // namespace zelk
