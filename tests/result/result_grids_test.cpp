#include "result/result_grids.h"

#include "result/plan_statistics.h"
#include "result_test_support.h"

namespace zelk {
namespace {

class ResultGridsTest : public ResultTest {
protected:
    ResultGridsTest() { ReadExampleOrder(); }

    void Show() { ShowPlan(page, *ExamplePlan(), Context()); }

    // Bins fewer than fix lengths: rows stay in the engine's order.
    void ChooseFewerBins() { page.cb_ablageplaetze.itemIndex = 0; }
};

TEST_F(ResultGridsTest, PlanRowsThenCandidatesNumberedFromTwo) {
    ChooseFewerBins();
    Show();
    EXPECT_EQ(page.G_V.ColCount(), 8);
    EXPECT_EQ(page.G_S.ColCount(), 8);
    EXPECT_EQ(page.G_V.Row(0),
              (Cells{"Nr.", "LL 6000", "LL 5000", "Max LL", "2500", "1900", "1200", "Rest/LL"}));
    EXPECT_EQ(DataRows(), (std::vector<Cells>{
                              {"2", "2", "X", "2", "2", "", "", "881"},
                              {"3", "X", "1", "1", "", "1", "2", "578"},
                              {"4", "", "X", "2", "", "3", "", "178"},
                          }));
    EXPECT_EQ(page.G_S.Row(0), (Cells{"Verplant", "2", "1", "", "4", "1", "2", "2340"}));
    EXPECT_EQ(page.G_S.Row(1), (Cells{"Rest", "3", "3", "", "0", "5", "1", ""}));
    EXPECT_EQ(page.columnWidths,
              (std::vector<int>{50, 60, 60, kGridDefaultWidth, 50, 50, 50, kGridDefaultWidth}));
}

TEST_F(ResultGridsTest, ABinPerFixLengthSortsTheShownRows) {
    ASSERT_EQ(page.BinCount(), 3);
    Show();
    EXPECT_EQ(DataRows(), (std::vector<Cells>{
                              {"3", "X", "1", "1", "", "1", "2", "578"},
                              {"2", "2", "X", "2", "2", "", "", "881"},
                              {"4", "", "X", "2", "", "3", "", "178"},
                          }));
}

TEST_F(ResultGridsTest, ShowPlanReplacesAnEarlierResult) {
    page.G_V = TextGrid(9, 5);
    page.G_V.SetCell(8, 4, "alt");
    page.G_S.SetCell(1, 2, "alt");
    page.ResultEdited = true;
    auto plan = std::make_unique<TBearbeitung>(engine);
    plan->Candidates.push_back(Bar(2, 3, {1, 0, 0}, 238400));
    ShowPlan(page, *plan, Context());
    EXPECT_EQ(page.G_V.Row(0).back(), "Rest/LL");  // headers of the grown grid are there
    EXPECT_EQ(page.G_V.Row(0)[3], "Max LL");
    EXPECT_EQ(DataRows(), (std::vector<Cells>{{"2", "X", "", "3", "1", "", "", "2384"}}));
    EXPECT_EQ(page.G_S.Row(1), (Cells{"Rest", "5", "4", "", "4", "6", "3", ""}));
}

TEST_F(ResultGridsTest, AnEmptyPlanLeavesOneEmptyDataRow) {
    ShowPlan(page, TBearbeitung(engine), Context());
    EXPECT_EQ(DataRows(), (std::vector<Cells>{Cells(8)}));
    EXPECT_EQ(page.G_S.Row(0), (Cells{"Verplant", "0", "0", "", "0", "0", "0", "0"}));
    EXPECT_EQ(page.L_HLSumme, "0,00 m");
}

TEST_F(ResultGridsTest, FixHeadersNameTheirGroupWhileTheSecondGroupIsShown) {
    orderPage.order.group2Shown = true;
    orderPage.order.e_fixbez = "1";
    orderPage.order.e_fixbez2 = "2";
    orderPage.order.e_fixbez3 = "3";
    orderPage.order.g_fixl2 = MakeList({{"2", "1500"}});
    orderPage.order.g_fixl3 = MakeList({{"2", "1500,5"}});
    ReadJob(orderPage, ',', dialogs, job, page.LBerechName);
    LayoutResultColumns(page, job, orderPage.order, ',');
    EXPECT_EQ(page.G_V.Row(0)[4], "2500 1");
    EXPECT_EQ(page.G_V.Row(0)[6], "1500,5 3");
    EXPECT_EQ(page.G_V.Row(0)[7], "1500 2");
    EXPECT_EQ(page.G_V.Row(0)[8], "1200 1");

    orderPage.order.group2Shown = false;
    LayoutResultColumns(page, job, orderPage.order, ',');
    EXPECT_EQ(page.G_V.Row(0)[7], "1500");
}

TEST_F(ResultGridsTest, AppendReusesOnlyTheSingleEmptyDataRow) {
    TextGrid G_V(2, 3);
    EXPECT_EQ(AppendResultRow(G_V), 1);
    EXPECT_EQ(G_V.Cell(1, 0), "2");
    EXPECT_EQ(AppendResultRow(G_V), 2);
    EXPECT_EQ(G_V.Cell(2, 0), "3");
    EXPECT_EQ(G_V.RowCount(), 3);

    TextGrid headerOnly(1, 3);  // a loaded result without data rows
    EXPECT_EQ(AppendResultRow(headerOnly), 1);
    EXPECT_EQ(headerOnly.RowCount(), 2);
}

TEST_F(ResultGridsTest, RowRestFollowsTheStockCellsThatApply) {
    Show();
    TextGrid& G_V = page.G_V;
    G_V.SetCell(1, 5, "2");  // the 5000 row: 488700 - 2 x 190300 - 2 x 120300
    RecalcRowRest(G_V, 1, job, ',');
    EXPECT_EQ(G_V.Cell(1, 7), "-1325");

    G_V.SetCell(3, 5, "abc");  // a piece cell that is no number counts nothing
    RecalcRowRest(G_V, 3, job, ',');
    EXPECT_EQ(G_V.Cell(3, 7), "5887");  // the candidate's empty stock cell applies

    G_V.SetCell(3, 2, "");  // neither stock cell "X": both usable lengths count
    RecalcRowRest(G_V, 3, job, ',');
    EXPECT_EQ(G_V.Cell(3, 7), "10774");
}

TEST_F(ResultGridsTest, AbsurdPieceCountsGiveAHugeNegativeRest) {
    // Products near 2^62 each: their sum passes the range of 64 bits.
    ReadOrder({{"5", "6000"}}, {{"1", "20000000"}, {"1", "19000000"}, {"1", "18000000"}});
    LayoutResultColumns(page, job, orderPage.order, '.');
    SetDataRows({{"2", "1", "1", "2147483647", "2147483647", "2147483647", ""}});
    RecalcRowRest(page.G_V, 1, job, '.');
    // (588700 - 2147483647 x 5700000900) / 100, shown with 15 significant digits, written out
    EXPECT_EQ(page.G_V.Cell(1, 6), "-122406587206347000");
}

TEST_F(ResultGridsTest, EditingRecountsTheRowAndTheFigures) {
    Show();
    G_VSetEditText(page, 5, 2, "2", Context());
    EXPECT_TRUE(page.ResultEdited);
    EXPECT_EQ(page.G_V.Cell(2, 7), "-2925");  // 588700 - 2 x 250300 - 2 x 190300
    EXPECT_EQ(page.G_S.Cell(0, 5), "5");
    EXPECT_EQ(page.L_FIXLSumme, "21,90 m");

    G_VSetEditText(page, 2, 1, "", Context());  // the 5000 row loses its count
    EXPECT_EQ(page.G_S.Cell(0, 2), "0");
    EXPECT_EQ(page.G_V.Cell(1, 7), "578");  // an empty stock cell still applies
}

TEST_F(ResultGridsTest, XCellsCannotBeSelected) {
    ChooseFewerBins();
    Show();
    EXPECT_FALSE(G_VSelectCell(page, 2, 1, job, ','));
    EXPECT_TRUE(G_VSelectCell(page, 1, 1, job, ','));
    EXPECT_TRUE(G_VSelectCell(page, 1, 3, job, ','));  // the candidate's empty own cell
    EXPECT_TRUE(G_VSelectCell(page, 4, 1, job, ','));
}

// A count typed into the candidate moves it to the top; the cell asked for is judged by what it
// holds after that: row 1, column 2 was the count of the 5000 row and is now the candidate's "X".
TEST_F(ResultGridsTest, TheCellToSelectIsJudgedAfterTheRowsMoved) {
    Show();
    G_VSetEditText(page, 1, 3, "1", Context());
    EXPECT_FALSE(G_VSelectCell(page, 2, 1, job, ','));
    EXPECT_EQ(page.G_V.Row(1), (Cells{"4", "1", "X", "2", "", "3", "", "178"}));
}

TEST_F(ResultGridsTest, TheCursorRestsOnTheRowsCountInsteadOfAnX) {
    Show();
    EXPECT_EQ(RestingColumn(page.G_V, 1, 1, 2), 2);  // the 5000 row: its count
    EXPECT_EQ(RestingColumn(page.G_V, 1, 5, 2), 5);  // a cell that is not "X" stays
    EXPECT_EQ(RestingColumn(page.G_V, 3, 2, 2), 1);  // the candidate's empty own cell
    for (int col = 1; col <= 6; ++col) {
        page.G_V.SetCell(3, col, "X");  // typed over every cell but "Rest/LL"
    }
    EXPECT_EQ(RestingColumn(page.G_V, 3, 2, 2), 7);
    page.G_V.SetCell(3, 7, "X");
    EXPECT_EQ(RestingColumn(page.G_V, 3, 2, 2), -1);
}

TEST_F(ResultGridsTest, MovingOnFromAnEditSortsOnlyWithABinPerFixLength) {
    ChooseFewerBins();
    Show();
    G_VSetEditText(page, 1, 1, "0", Context());
    G_VSelectCell(page, 1, 2, job, ',');
    G_VKeyDown(page, kEnterKey, job, ',');
    EXPECT_EQ(page.G_V.Cell(1, 0), "2");
    EXPECT_TRUE(page.ResultEdited);

    page.cb_ablageplaetze.itemIndex = 2;
    G_VKeyDown(page, 9, job, ',');
    EXPECT_EQ(page.G_V.Cell(1, 0), "2");
    G_VSelectCell(page, 2, 1, job, ',');  // vetoed, yet it sorts
    EXPECT_FALSE(page.ResultEdited);
    EXPECT_EQ(DataRows()[0][0], "3");
    EXPECT_EQ(DataRows()[2][0], "2");  // count 0: below the assigned rows, after the candidate
}

TEST_F(ResultGridsTest, EnterAfterTypingACountMovesACandidateUp) {
    Show();
    G_VSetEditText(page, 1, 3, "1", Context());
    G_VKeyDown(page, kEnterKey, job, ',');
    EXPECT_FALSE(page.ResultEdited);
    EXPECT_EQ(page.G_V.Cell(1, 0), "4");  // rest 178 is the smallest
    EXPECT_EQ(page.G_V.Cell(2, 0), "3");
    EXPECT_EQ(page.G_V.Cell(3, 0), "2");
}

// Before the first plan the summary stands under the columns of the job read.
TEST_F(ResultGridsTest, WithoutAPlanTheGridsTakeTheJobsColumns) {
    LayoutWithoutPlan(page, job, orderPage.order, ',');
    UpdatePlanStatistics(page, Context());
    EXPECT_EQ(page.G_V.Row(0),
              (Cells{"Nr.", "LL 6000", "LL 5000", "Max LL", "2500", "1900", "1200", "Rest/LL"}));
    EXPECT_EQ(page.G_S.Row(1), (Cells{"Rest", "5", "4", "", "4", "6", "3", ""}));

    Show();
    ReadOrder({{"5", "6000"}}, {{"4", "2500"}});
    LayoutWithoutPlan(page, job, orderPage.order, ',');  // a plan shown keeps its layout
    EXPECT_EQ(page.G_V.ColCount(), 8);
}

TEST_F(ResultGridsTest, APlanIsForAnEarlierOrderOnceTheJobChanged) {
    EXPECT_FALSE(PlanIsForEarlierOrder(page, job));  // no plan yet
    Show();
    EXPECT_FALSE(PlanIsForEarlierOrder(page, job));
    ReadOrder({{"5", "6000"}, {"4", "5000"}}, {{"4", "2500"}, {"6", "1900"}, {"2", "1200"}});
    EXPECT_TRUE(PlanIsForEarlierOrder(page, job));
    Show();  // the next calculation
    EXPECT_FALSE(PlanIsForEarlierOrder(page, job));
    orderPage.machine.E_SKB = "4";  // another kerf changes what every piece takes
    ReadOrder({{"5", "6000"}, {"4", "5000"}}, {{"4", "2500"}, {"6", "1900"}, {"2", "1200"}});
    EXPECT_TRUE(PlanIsForEarlierOrder(page, job));
}

TEST_F(ResultGridsTest, CaptionsAreWrittenWhereTheGridHasColumns) {
    CalculationPage fresh;
    RefreshResultCaptions(fresh, JobTables{}, ',');
    LayoutResultColumns(fresh, JobTables{}, orderPage.order, ',');
    EmptyResultRows(fresh.G_V);
    EXPECT_EQ(fresh.G_V.Row(0), (Cells{"Nr.", "Max LL", "Rest/LL"}));
    EXPECT_EQ(fresh.G_V.Row(1), Cells(3));
    EXPECT_EQ(fresh.G_S.Row(0)[0], "Verplant");
    EXPECT_EQ(fresh.G_S.Row(1)[0], "Rest");

    RefreshResultCaptions(fresh, job, ',');  // the job grew; the grid is not laid out yet
    EXPECT_EQ(fresh.G_V.Row(0), (Cells{"Nr.", "LL 6000", "LL 5000"}));
}

}  // namespace
}  // namespace zelk
