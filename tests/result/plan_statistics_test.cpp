#include "result/plan_statistics.h"

#include "result/choice_lists.h"
#include "result/result_grids.h"
#include "result_test_support.h"

namespace zelk {
namespace {

class PlanStatisticsTest : public ResultTest {
protected:
    // Lays the grids out for the job read and fills G_V with these data rows.
    void Grid(const std::vector<Cells>& rows) {
        LayoutResultColumns(page, job, orderPage.order, ',');
        RefreshResultCaptions(page, job, ',');
        SetDataRows(rows);
    }

    void Update() { UpdatePlanStatistics(page, Context()); }
};

// Trim cut 10, clamp rest 100, kerf 3: 2 bars of 6000 with 3 pieces of 1900 each leave
// 6000 - 113 - 3 x 1903 = 178 per bar.
class WorkedFiguresTest : public PlanStatisticsTest {
protected:
    WorkedFiguresTest() {
        ReadOrder({{"5", "6000"}}, {{"6", "1900"}});
        auto plan = std::make_unique<TBearbeitung>(engine);
        plan->Bars.push_back(Bar(1, 2, {3}, 17800));
        ShowPlan(page, *plan, Context());
    }
};

TEST_F(WorkedFiguresTest, ShortRestsAreWaste) {
    EXPECT_EQ(page.G_V.Row(1), (Cells{"2", "2", "2", "3", "178"}));
    EXPECT_EQ(InfoBox(), (Cells{"12,00 m", "11,40 m", "0,00 m", "0,24 m", "0,36 m"}));
    EXPECT_EQ(page.G_S.Row(0), (Cells{"Verplant", "2", "", "6", "356"}));
    EXPECT_EQ(page.G_S.Row(1), (Cells{"Rest", "3", "", "0", ""}));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(WorkedFiguresTest, RestsFromTheThresholdOnGoBackToStock) {
    orderPage.order.E_WastToStock = "200";
    Update();
    EXPECT_EQ(InfoBox(), (Cells{"12,00 m", "11,40 m", "0,56 m", "0,04 m", "0,00 m"}));
    orderPage.order.E_WastToStock = "278";  // rest 178 + clamp rest 100 reaches it exactly
    Update();
    EXPECT_EQ(page.L_LagerRest, "0,56 m");
    orderPage.order.E_WastToStock = "278,01";
    Update();
    EXPECT_EQ(page.L_LagerRest, "0,00 m");
}

TEST_F(WorkedFiguresTest, SeparatorsAreThoseOfTheUser) {
    page.G_V.SetCell(1, 1, "200");
    Update();
    EXPECT_EQ(page.L_HLSumme, "1.200,00 m");
    UpdatePlanStatistics(page, {job, orderPage, '.', ',', dialogs});
    EXPECT_EQ(page.L_HLSumme, "1,200.00 m");
    EXPECT_EQ(page.L_FIXLSumme, "1,140.00 m");
    EXPECT_EQ(page.G_S.Cell(1, 1), "-195");  // more bars than on stock
}

TEST_F(WorkedFiguresTest, RowsWithoutBarsCountNothing) {
    page.G_V.SetRowCount(4);
    page.G_V.SetCell(2, 1, "0");
    page.G_V.SetCell(2, 3, "7");
    page.G_V.SetCell(2, 4, "kein Rest");
    page.G_V.SetCell(3, 3, "7");
    page.G_V.SetCell(3, 4, "-5");
    Update();
    EXPECT_EQ(InfoBox(), (Cells{"12,00 m", "11,40 m", "0,00 m", "0,24 m", "0,36 m"}));
    EXPECT_EQ(page.G_S.Cell(0, 3), "6");
}

TEST_F(WorkedFiguresTest, AMachineInputThatIsNoNumberIsNamedAndTheFiguresStay) {
    CalculationPage before = page;
    page.G_V.SetCell(1, 1, "1");
    orderPage.machine.E_RSL = "100 mm";
    orderPage.order.EToleranz = "";
    Update();
    EXPECT_EQ(dialogs.messages, Cells{"Die Restspannlänge ist ungültig!"});
    EXPECT_EQ(page.G_S, before.G_S);
    EXPECT_EQ(InfoBox(), (Cells{"12,00 m", "11,40 m", "0,00 m", "0,24 m", "0,36 m"}));

    orderPage.machine.E_RSL = "100";
    orderPage.machine.E_SKB = "drei";
    Update();
    EXPECT_EQ(dialogs.messages.back(), "Die +Toleranz ist ungültig!");
    orderPage.order.EToleranz = "0";
    Update();
    EXPECT_EQ(dialogs.messages.back(), "Die Schnittkanalbreite ist ungültig!");
    EXPECT_EQ(page.L_HLSumme, "12,00 m");
}

TEST_F(WorkedFiguresTest, TheRemnantThresholdIsReadOnlyForRowsWithBars) {
    orderPage.order.E_WastToStock = "ab 500";
    page.G_V.SetCell(1, 1, "1");
    Update();
    EXPECT_EQ(dialogs.messages, Cells{"Die Angabe \"Reste zurück ins Lager ab\" ist ungültig!"});
    EXPECT_EQ(page.L_HLSumme, "12,00 m");

    page.G_V.SetCell(1, 1, "");
    Update();
    EXPECT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(InfoBox(), (Cells{"0,00 m", "0,00 m", "0,00 m", "0,00 m", "0,00 m"}));
}

TEST_F(WorkedFiguresTest, MachineInputsAreNotRoundedToHundredths) {
    orderPage.cb_einheit = 1;
    orderPage.machine.E_ASL = "0,125";  // more places than reading the job accepts
    Update();
    EXPECT_EQ(page.L_Maschrest, "224,25 in.");  // 2 x (100 + 0,125 + 3) + 6 x 3
}

// Machine 0/0/0, one bar of 1145 with one piece of 1000: the rest of 145 is waste, and the
// figures add up as shown, each rounded on its decimal value.
TEST_F(PlanStatisticsTest, FiguresAreRoundedOnTheirDecimalValueAndAddUp) {
    orderPage.machine = {"Säge", "0", "0", "0"};
    ReadOrder({{"1", "1145"}, {"1", "6125"}}, {{"1", "1000"}});
    Grid({{"2", "1", "X", "", "1", "145"}});
    Update();
    EXPECT_EQ(InfoBox(), (Cells{"1,15 m", "1,00 m", "0,00 m", "0,00 m", "0,15 m"}));
    Grid({{"2", "X", "1", "", "1", "5125"}});
    orderPage.order.E_WastToStock = "0";
    Update();
    EXPECT_EQ(page.L_HLSumme, "6,13 m");
    EXPECT_EQ(page.L_LagerRest, "5,13 m");
}

TEST_F(PlanStatisticsTest, InchesAreShownAsInches) {
    orderPage.cb_einheit = 1;
    orderPage.machine = {"Säge", "0,5", "2", "0,12"};
    ReadOrder({{"4", "120,25"}}, {{"8", "30"}});
    Grid({{"2", "2", "2", "3", "27,27"}});
    Update();
    EXPECT_EQ(InfoBox(), (Cells{"240,50 in.", "180,00 in.", "0,00 in.", "5,96 in.", "54,54 in."}));
}

TEST_F(PlanStatisticsTest, AbsurdCountsDoNotOverflow) {
    ReadOrder({{"5", "6000"}}, {{"6", "1900"}});
    Cells row{"2", "2147483647", "", "2147483647", "0"};
    Grid({row, row, row});
    Update();
    EXPECT_EQ(page.G_S.Row(0), (Cells{"Verplant", "6442450941", "", "13835058042397261827", "0"}));
    EXPECT_EQ(page.G_S.Row(1), (Cells{"Rest", "-6442450936", "", "-13835058042397261821", ""}));
    EXPECT_EQ(page.L_HLSumme, "38.654.705.646,00 m");
    EXPECT_TRUE(page.L_AuftragNichtErfuelltVisible);
    EXPECT_EQ(page.L_AuftragNichtErfuellt, "Auftrag überliefert!");
}

// Fix lengths 2000 (5 ordered) and 1000 (4 ordered) on bars of 6000.
class OrderStateTest : public PlanStatisticsTest {
protected:
    OrderStateTest() { ReadOrder({{"10", "6000"}}, {{"5", "2000"}, {"4", "1000"}}); }

    void Plan(const std::vector<Cells>& rows) {
        Grid(rows);
        Update();
    }
};

TEST_F(OrderStateTest, NothingPlannedShowsNoWarning) {
    Plan({{"2", "", "3", "", "", "5887"}});
    EXPECT_EQ(InfoBox(), (Cells{"0,00 m", "0,00 m", "0,00 m", "0,00 m", "0,00 m"}));
    EXPECT_EQ(page.G_S.Row(1), (Cells{"Rest", "10", "", "5", "4", ""}));
    EXPECT_FALSE(page.L_AuftragNichtErfuelltVisible);
    EXPECT_FALSE(page.Btn_RestAlsNeuenAuftragVisible);
}

TEST_F(OrderStateTest, OverDeliveredByOne) {
    Plan({{"2", "3", "3", "2", "", "1774"}, {"3", "1", "1", "", "4", "1787"}});
    EXPECT_EQ(page.G_S.Row(1), (Cells{"Rest", "6", "", "-1", "0", ""}));
    EXPECT_TRUE(page.L_AuftragNichtErfuelltVisible);
    EXPECT_EQ(page.L_AuftragNichtErfuellt, "Auftrag überliefert!");
    EXPECT_FALSE(page.Btn_RestAlsNeuenAuftragVisible);
}

TEST_F(OrderStateTest, MissingPiecesWinOverSurplusOfAnotherLength) {
    Plan({{"2", "1", "1", "3", "", "-125"}, {"3", "1", "1", "", "5", "874"}});
    EXPECT_EQ(page.G_S.Row(1), (Cells{"Rest", "8", "", "2", "-1", ""}));
    EXPECT_TRUE(page.L_AuftragNichtErfuelltVisible);
    EXPECT_EQ(page.L_AuftragNichtErfuellt, "Auftrag nicht erfüllt!");
    EXPECT_TRUE(page.Btn_RestAlsNeuenAuftragVisible);
}

TEST_F(OrderStateTest, ExactlyMet) {
    Plan({{"2", "1", "1", "3", "", "-125"},
          {"3", "1", "1", "1", "4", "-125"},
          {"4", "1", "1", "1", "", "387"}});
    EXPECT_EQ(page.G_S.Row(1), (Cells{"Rest", "7", "", "0", "0", ""}));
    EXPECT_FALSE(page.L_AuftragNichtErfuelltVisible);
    EXPECT_FALSE(page.Btn_RestAlsNeuenAuftragVisible);
}

TEST_F(OrderStateTest, ReadsTheSummaryCellsAsTheyStand) {
    Grid({});
    page.G_S.SetCell(0, 3, "abc");
    page.G_S.SetCell(1, 3, "9");
    page.G_S.SetCell(0, 4, "1");
    page.G_S.SetCell(1, 4, "-0");
    UpdateOrderState(page, job);
    EXPECT_TRUE(page.L_AuftragNichtErfuelltVisible);  // planned by the second length
    EXPECT_EQ(page.L_AuftragNichtErfuellt, "Auftrag nicht erfüllt!");
    EXPECT_TRUE(page.Btn_RestAlsNeuenAuftragVisible);

    page.G_S.SetCell(0, 4, "0");
    UpdateOrderState(page, job);
    EXPECT_FALSE(page.L_AuftragNichtErfuelltVisible);
    EXPECT_FALSE(page.Btn_RestAlsNeuenAuftragVisible);
}

TEST(FillChoiceLists, ItemsFollowTheFixLengths) {
    CalculationPage page;
    FillChoiceLists(page, 3, false);
    EXPECT_EQ(page.CB_KBIS.items,
              (Cells{"nur 1 Fixl. pro LL", "nur 2 Fixl. pro LL", "nur nach optimalem Rest"}));
    EXPECT_EQ(page.CB_KBIS.itemIndex, 2);
    EXPECT_EQ(page.cb_ablageplaetze.items, (Cells{"1", "2", "3"}));
    EXPECT_EQ(page.BinCount(), 3);

    FillChoiceLists(page, 1, false);
    EXPECT_EQ(page.CB_KBIS.items, Cells{"nur nach optimalem Rest"});
    EXPECT_EQ(page.cb_ablageplaetze.items, Cells{"1"});
    EXPECT_EQ(page.CB_KBIS.itemIndex, 0);
    EXPECT_EQ(page.cb_ablageplaetze.itemIndex, 0);
}

TEST(FillChoiceLists, KeepingTheSelection) {
    CalculationPage page;
    FillChoiceLists(page, 4, false);
    page.CB_KBIS.itemIndex = 0;
    page.cb_ablageplaetze.itemIndex = 1;
    FillChoiceLists(page, 5, true);
    EXPECT_EQ(page.CB_KBIS.itemIndex, 0);
    EXPECT_EQ(page.cb_ablageplaetze.itemIndex, 1);
    FillChoiceLists(page, 5, false);
    EXPECT_EQ(page.CB_KBIS.itemIndex, 4);
    EXPECT_EQ(page.cb_ablageplaetze.itemIndex, 4);

    // A position the shorter lists no longer have falls back to their last item.
    page.CB_KBIS.itemIndex = 0;
    FillChoiceLists(page, 1, true);
    EXPECT_EQ(page.CB_KBIS.itemIndex, 0);
    EXPECT_EQ(page.cb_ablageplaetze.itemIndex, 0);
    page.cb_ablageplaetze.itemIndex = -1;
    FillChoiceLists(page, 2, true);
    EXPECT_EQ(page.cb_ablageplaetze.itemIndex, 1);
}

}  // namespace
}  // namespace zelk
