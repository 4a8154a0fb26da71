#include "job/order_page.h"

#include <gtest/gtest.h>

namespace zelk {
namespace {

TEST(GroupButton, ShowingGroupsFillsEmptyLabelsAndMovesTheButton) {
    OrderForm order;
    Btn_ANeuClick(order);
    EXPECT_EQ(order.btnNeueFL, GroupButtonPlace::UnderGroup2);
    EXPECT_EQ(order.e_fixbez, "");

    btnNeueFLClick(order);
    EXPECT_TRUE(order.group2Shown);
    EXPECT_FALSE(order.group3Shown);
    EXPECT_EQ(order.e_fixbez, "1");
    EXPECT_EQ(order.e_fixbez2, "2");
    EXPECT_EQ(order.btnNeueFL, GroupButtonPlace::UnderGroup3);

    order.e_fixbez3 = "Rahmen";
    btnNeueFLClick(order);
    EXPECT_TRUE(order.group3Shown);
    EXPECT_EQ(order.e_fixbez3, "Rahmen");  // a label already typed is kept
    EXPECT_EQ(order.btnNeueFL, GroupButtonPlace::Hidden);
}

TEST(NewOrder, EmptiesTheOrderButNotTheMachine) {
    OrderPage page;
    page.machine.E_MBez = "Säge 1";
    page.cb_einheit = 1;
    OrderForm& order = page.order;
    order.E_ABez = "Fenster";
    order.EToleranz = '1';
    order.g_hsl.SetRowCount(4);
    order.g_hsl.SetCell(3, 1, "6000");
    btnNeueFLClick(order);
    btnNeueFLClick(order);

    Btn_ANeuClick(order);
    EXPECT_EQ(order.E_ABez, "");
    EXPECT_EQ(order.EToleranz, "0");
    EXPECT_EQ(order.E_WastToStock, "0");
    EXPECT_EQ(order.g_hsl.RowCount(), 2);
    EXPECT_EQ(order.g_hsl.Cell(1, 1), "");
    EXPECT_FALSE(order.group2Shown || order.group3Shown);
    EXPECT_EQ(order.e_fixbez2, "");
    EXPECT_EQ(order.btnNeueFL, GroupButtonPlace::UnderGroup2);
    EXPECT_EQ(page.machine.E_MBez, "Säge 1");
    EXPECT_EQ(page.cb_einheit, 1);
}

TEST(UnitChange, RelabelsWithoutConvertingAnything) {
    OrderPage page;
    page.order.G_Fixl.SetCell(1, 1, "1200,5");
    page.cb_einheit = 1;
    cb_einheitChange(page);
    for (const std::string& label : page.unitLabels) {
        EXPECT_EQ(label, "in.");
    }
    EXPECT_EQ(page.order.g_fixl3.Cell(0, 1), "Länge in.");
    EXPECT_EQ(page.order.g_hsl.Cell(0, 0), "Stück");
    EXPECT_EQ(page.order.G_Fixl.Cell(1, 1), "1200,5");

    page.cb_einheit = -1;  // a machine file with an unknown unit selects nothing
    cb_einheitChange(page);
    EXPECT_EQ(page.unitLabels[0], "");
    EXPECT_EQ(page.order.g_hsl.Cell(0, 1), "Länge ");
}

}  // namespace
}  // namespace zelk
