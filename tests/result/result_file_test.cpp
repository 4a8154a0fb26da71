#include "result/result_file.h"
#include <algorithm>

#include <filesystem>
#include <random>

#include "base/errors.h"
#include "files/data_files.h"
#include "files/machine_section.h"
#include "files/order_section.h"
#include "files/text_file.h"
#include "result/result_grids.h"
#include "result_test_support.h"

namespace zelk {
namespace {

class ResultFileTest : public ResultTest {
protected:
    ResultFileTest()
        : folder_(std::filesystem::temp_directory_path() /
                  ("zelk-result-" + std::to_string(std::random_device{}()))) {
        std::filesystem::create_directories(folder_);
        ReadExampleOrder();
        ShowPlan(page, *ExamplePlan(), Context());
    }
    ~ResultFileTest() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::string File(const std::string& name) const { return (folder_ / name).string(); }

    // Loads into a freshly started window: empty order, empty result, no job.
    void LoadFresh(const std::string& path) { Load(path, loadedPage, loadedTables); }

    void Load(const std::string& path, CalculationPage& into, JobTables& tables) {
        LoadResultFile(loadedOrder, into, tables, path, ',', '.', dialogs);
    }

    OrderPage loadedOrder;
    CalculationPage loadedPage;
    JobTables loadedTables;

private:
    std::filesystem::path folder_;
};

TEST_F(ResultFileTest, ASavedResultLoadsBackAsItWasShown) {
    G_VSetEditText(page, 1, 2, "1", Context());  // an edit that was saved comes back
    std::string path = File("Fenster-Säge.zke");
    SaveResultFile(orderPage, page.G_V, page.G_S, path);

    LoadFresh(path);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(loadedPage.G_V, page.G_V);
    EXPECT_EQ(loadedPage.G_S, page.G_S);
    EXPECT_EQ(InfoBox(),
              (Cells{loadedPage.L_HLSumme, loadedPage.L_FIXLSumme, loadedPage.L_LagerRest,
                     loadedPage.L_Maschrest, loadedPage.L_Rest}));
    EXPECT_EQ(loadedPage.L_HLSumme, "11,00 m");
    EXPECT_EQ(loadedPage.columnWidths, page.columnWidths);
    EXPECT_EQ(loadedPage.CB_KBIS.items, page.CB_KBIS.items);
    EXPECT_EQ(loadedPage.CB_KBIS.itemIndex, 2);
    EXPECT_EQ(loadedPage.BinCount(), 3);
    EXPECT_EQ(loadedPage.LBerechName, "Fenster-Säge");
    EXPECT_FALSE(loadedPage.ResultEdited);
    EXPECT_EQ(loadedOrder.order.E_WastToStock, "500");
    EXPECT_EQ(loadedTables.FixLength, job.FixLength);
    EXPECT_EQ(loadedTables.StockUsable, job.StockUsable);
}

TEST_F(ResultFileTest, WithoutResultTheFiguresFollowTheGridsAsLaidOut) {
    Lines lines;
    WriteMachineSection(lines, orderPage);
    WriteOrderSection(lines, orderPage);
    std::string path = File("nur Auftrag.zke");
    WriteTextFile(path, lines);

    page.G_V.SetCell(1, 2, "3");  // not yet counted
    TextGrid shown = page.G_V;
    Load(path, page, job);
    EXPECT_EQ(dialogs.messages, Cells{"Die Ergebnisdaten sind ungültig."});
    EXPECT_EQ(page.G_V, shown);
    EXPECT_EQ(page.G_S.Row(0), (Cells{"Verplant", "2", "3", "", "4", "3", "6", "3496"}));

    LoadFresh(path);  // the empty result laid out for the job
    EXPECT_EQ(loadedPage.G_V.ColCount(), 8);
    EXPECT_EQ(loadedPage.G_V.RowCount(), 2);
    EXPECT_EQ(loadedPage.G_S.Row(1), (Cells{"", "5", "4", "", "4", "6", "3", ""}));
    EXPECT_EQ(loadedPage.L_Rest, "0,00 m");
}

TEST_F(ResultFileTest, ARefusedInputEndsTheLoadBeforeTheGrids) {
    std::string path = File("falsch.zke");
    orderPage.machine.E_SKB = "2,125";
    SaveResultFile(orderPage, page.G_V, page.G_S, path);

    CalculationPage before = loadedPage;
    EXPECT_THROW(LoadFresh(path), Abort);
    EXPECT_EQ(dialogs.messages,
              Cells{"Die Schnittkanalbreite darf nur zwei Nachkommastellen umfassen!"});
    EXPECT_EQ(loadedOrder.machine.E_SKB, "2,125");  // the input is in the window
    EXPECT_EQ(loadedPage.G_V, before.G_V);
    EXPECT_TRUE(loadedPage.cb_ablageplaetze.items.empty());
}

TEST_F(ResultFileTest, AFileEndingInsideAGridBlockKeepsTheRowsReadSoFar) {
    std::string path = File("kurz.zke");
    SaveResultFile(orderPage, page.G_V, page.G_S, path);
    Lines lines = ReadTextFile(path);
    lines.pop_back();  // the last row of G_S
    WriteTextFile(path, lines);

    try {
        LoadFresh(path);
        FAIL() << "the load went through";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Listenindex überschreitet das Maximum (" + std::to_string(lines.size()) + ")");
    }
    EXPECT_EQ(loadedPage.G_V, page.G_V);
    EXPECT_TRUE(loadedPage.L_HLSumme.empty());  // no statistics
}

TEST_F(ResultFileTest, AFileEndingInsideTheResultGridKeepsItsRowsReadSoFar) {
    std::string path = File("mitten.zke");
    SaveResultFile(orderPage, page.G_V, page.G_S, path);
    Lines lines = ReadTextFile(path);
    const auto start = std::find(lines.begin(), lines.end(), "ZELK_EDATA V1");
    ASSERT_NE(start, lines.end());
    ASSERT_GE(page.G_V.RowCount(), 3);
    lines.erase(start + 4, lines.end());  // the size line, the header row and the first plan row
    WriteTextFile(path, lines);

    EXPECT_THROW(LoadFresh(path), RuntimeError);
    ASSERT_EQ(loadedPage.G_V.RowCount(), page.G_V.RowCount());
    EXPECT_EQ(loadedPage.G_V.Row(0), page.G_V.Row(0));
    EXPECT_EQ(loadedPage.G_V.Row(1), page.G_V.Row(1));
    EXPECT_EQ(loadedPage.G_V.Row(2), Cells(static_cast<size_t>(page.G_V.ColCount())));
}

}  // namespace
}  // namespace zelk
