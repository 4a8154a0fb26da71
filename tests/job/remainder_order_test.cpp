#include "job/remainder_order.h"

#include <gtest/gtest.h>

#include "job/order_page.h"
#include "job/recording_dialogs.h"

namespace zelk {
namespace {

// Two stock lengths and fix kinds of the given lengths (hundredths) and groups; the summary grid
// has room for them and its "Rest" row holds the given texts in the fix columns.
struct PlanLeftovers {
    PlanLeftovers(std::vector<int32_t> lengths, std::vector<int32_t> groups,
                  std::vector<std::string> rest) {
        tables.StockKinds = 2;
        tables.FixKinds = static_cast<int32_t>(lengths.size());
        for (size_t k = 0; k < lengths.size(); ++k) {
            tables.FixLength[k + 1] = lengths[k];
            tables.FixGroup[k + 1] = groups[k];
        }
        G_S = TextGrid(2, tables.StockKinds + tables.FixKinds + 3);
        G_S.SetCell(1, 0, "Rest");
        for (size_t k = 0; k < rest.size(); ++k) {
            G_S.SetCell(1, tables.StockKinds + 2 + static_cast<int>(k), rest[k]);
        }
    }
    JobTables tables;
    TextGrid G_S;
};

TEST(RemainderOrder, WithOneGroupTheMissingPiecesFormFixListOne) {
    OrderForm order;
    order.E_ABez = "Fenster";
    order.g_hsl = MakeList({{"3", "6000"}});
    order.G_Fixl = MakeList({{"5", "3000"}, {"3", "1200"}, {"1", "500,5"}, {"1", "400"}});
    PlanLeftovers plan({300000, 120000, 50050, 40000}, {1, 1, 1, 1}, {"0", "3", "2", "-1"});
    Btn_RestAlsNeuenAuftragClick(order, plan.G_S, plan.tables, ',');
    EXPECT_EQ(DataRows(order.G_Fixl), (ListRows{{"3", "1200"}, {"2", "500,5"}}));
    EXPECT_EQ(DataRows(order.g_hsl), (ListRows{{"", ""}}));
    EXPECT_EQ(order.g_hsl.Cell(0, 0), "Stück");  // the header stays
    EXPECT_EQ(order.E_ABez, "Fenster Rest");
}

TEST(RemainderOrder, UnreadableOrMissingRestCellsCountAsNothingMissing) {
    OrderForm order;
    PlanLeftovers plan({300000, 120000}, {1, 1}, {"x"});  // kind 2 has no cell at all
    plan.G_S.SetColCount(plan.tables.StockKinds + 3);
    Btn_RestAlsNeuenAuftragClick(order, plan.G_S, plan.tables, '.');
    EXPECT_EQ(DataRows(order.G_Fixl), (ListRows{{"", ""}}));
}

TEST(RemainderOrder, WithGroupsShownEachGroupKeepsOnlyItsMissingPieces) {
    OrderForm order;
    Btn_ANeuClick(order);
    btnNeueFLClick(order);
    btnNeueFLClick(order);
    order.e_fixbez2 = "Rahmen";
    order.G_Fixl = MakeList({{"4", "3000"}});
    order.g_fixl2 = MakeList({{"2", "2500"}, {"6", "1500"}});
    order.g_fixl3 = MakeList({{"1", "1000"}});
    PlanLeftovers plan({300000, 250000, 150000, 100000}, {1, 2, 2, 3}, {"2", "0", "4", "0"});
    Btn_RestAlsNeuenAuftragClick(order, plan.G_S, plan.tables, '.');
    EXPECT_EQ(DataRows(order.G_Fixl), (ListRows{{"2", "3000"}}));
    EXPECT_EQ(DataRows(order.g_fixl2), (ListRows{{"4", "1500"}}));  // no "1500 Rahmen"
    EXPECT_EQ(DataRows(order.g_fixl3), (ListRows{{"", ""}}));       // nothing left to cut
    EXPECT_TRUE(order.group2Shown && order.group3Shown);
    EXPECT_EQ(order.e_fixbez2, "Rahmen");
    EXPECT_EQ(order.btnNeueFL, GroupButtonPlace::Hidden);
}

TEST(RemainderOrder, TheNameIsExtendedOnlyOnce) {
    PlanLeftovers plan({120000}, {1}, {"3"});
    const std::vector<std::pair<std::string, std::string>> names = {
        {"Fenster", "Fenster Rest"}, {"Fenster Rest", "Fenster Rest"}, {"Überrest", "Überrest"},
        {"forEsT", "forEsT"},        {"Größe", "Größe Rest"},          {"", " Rest"},
    };
    for (const auto& [name, extended] : names) {
        OrderForm order;
        order.E_ABez = name;
        Btn_RestAlsNeuenAuftragClick(order, plan.G_S, plan.tables, '.');
        EXPECT_EQ(order.E_ABez, extended);
    }
}

}  // namespace
}  // namespace zelk
