#include "export/saw_plan.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "base/errors.h"
#include "export/recording_spreadsheet.h"

namespace zelk {
namespace {

constexpr int kPlanSheet = 0;
constexpr int kSawSheet = 1;

class SawPlanExport : public ::testing::Test {
protected:
    // Stock lengths, and fix lengths with their ordered counts, in hundredths. Lays out the
    // result grid and the summary grid for them, with no data rows yet.
    void SetJob(const std::vector<int32_t>& stock,
                const std::vector<std::pair<int32_t, int32_t>>& fix) {
        job = JobTables{};
        job.StockKinds = static_cast<int32_t>(stock.size());
        job.FixKinds = static_cast<int32_t>(fix.size());
        int cols = job.StockKinds + job.FixKinds + 3;
        G_V = TextGrid(1, cols);
        G_S = TextGrid(2, cols);
        G_V.SetCell(0, 0, "Nr.");
        for (int s = 1; s <= job.StockKinds; ++s) {
            job.StockLength[s] = stock[s - 1];
            G_V.SetCell(0, s, "LL " + std::to_string(stock[s - 1] / 100));
        }
        G_V.SetCell(0, job.StockKinds + 1, "Max LL");
        for (int k = 1; k <= job.FixKinds; ++k) {
            job.FixLength[k] = fix[k - 1].first;
            job.FixCountOrig[k] = fix[k - 1].second;
            G_V.SetCell(0, job.StockKinds + 1 + k, std::to_string(fix[k - 1].first / 100));
        }
        G_V.SetCell(0, cols - 1, "Rest/LL");
        G_S.SetCell(0, 0, "Verplant");
        G_S.SetCell(1, 0, "Rest");
    }

    // A data row: its stock cells, then the pieces per bar of each fix length.
    void AddRow(const std::vector<std::string>& stockCells,
                const std::vector<std::string>& pieces) {
        int r = G_V.RowCount();
        G_V.SetRowCount(r + 1);
        G_V.SetCell(r, 0, std::to_string(r + 1));
        for (size_t s = 0; s < stockCells.size(); ++s) {
            G_V.SetCell(r, static_cast<int>(s) + 1, stockCells[s]);
        }
        for (size_t k = 0; k < pieces.size(); ++k) {
            G_V.SetCell(r, job.StockKinds + 2 + static_cast<int>(k), pieces[k]);
        }
    }

    bool Export(int binCount, char decimalSeparator = ',') {
        return ExportSawPlan("Säge 1-Fenster", G_V, G_S, job, binCount, decimalSeparator, sheet,
                             dialogs);
    }

    // A row of the saw plan sheet; '*' marks a light red cell.
    std::string SawRow(int row) const { return sheet.RowText(kSawSheet, row, kOrderCompleteFill); }

    JobTables job;
    TextGrid G_V;
    TextGrid G_S;
    std::vector<std::string> log;
    RecordingSpreadsheet sheet{log};
    RecordingDialogs dialogs{log};
};

TEST_F(SawPlanExport, PlanSheetCopiesBothGridsWithTitleBoldMarksAndPageSetup) {
    SetJob({600000}, {{150000, 4}, {100000, 2}});
    AddRow({"2"}, {"2", "1"});
    AddRow({"1"}, {"", "3"});  // G_V: 3 rows, G_S: 2 rows
    G_S.SetCell(0, 2, "4");
    ASSERT_TRUE(Export(2));

    const auto& plan = sheet.sheets[kPlanSheet];
    EXPECT_EQ(plan.name, "Optimierung");
    EXPECT_EQ(sheet.Text(kPlanSheet, 1, 1), "Säge 1-Fenster");
    EXPECT_TRUE(sheet.At(kPlanSheet, 1, 1).bold);
    EXPECT_EQ(sheet.RowText(kPlanSheet, 2, {}), "");
    EXPECT_EQ(sheet.RowText(kPlanSheet, 3, {}), "Nr.|LL 6000|Max LL|1500|1000|Rest/LL");
    EXPECT_EQ(sheet.RowText(kPlanSheet, 4, {}), "2|2||2|1");
    EXPECT_EQ(sheet.RowText(kPlanSheet, 5, {}), "3|1|||3");
    EXPECT_EQ(sheet.RowText(kPlanSheet, 6, {}), "");
    EXPECT_EQ(sheet.RowText(kPlanSheet, 7, {}), "Verplant||4");
    EXPECT_EQ(sheet.RowText(kPlanSheet, 8, {}), "Rest");
    EXPECT_EQ(sheet.RowText(kPlanSheet, 9, {}), "");

    // Bold: the first column of both grids and the header row of the result grid only.
    EXPECT_TRUE(sheet.At(kPlanSheet, 3, 4).bold);
    EXPECT_TRUE(sheet.At(kPlanSheet, 5, 1).bold);
    EXPECT_FALSE(sheet.At(kPlanSheet, 4, 2).bold);
    EXPECT_TRUE(sheet.At(kPlanSheet, 7, 1).bold);
    EXPECT_TRUE(sheet.At(kPlanSheet, 8, 1).bold);
    EXPECT_FALSE(sheet.At(kPlanSheet, 7, 3).bold);

    EXPECT_EQ(plan.footer, "Seite &P");
    EXPECT_TRUE(plan.landscape);
    EXPECT_TRUE(plan.printGridlines);
    EXPECT_FALSE(sheet.sheets[kSawSheet].landscape);
    EXPECT_EQ(sheet.active, kSawSheet);
    // Every printed page repeats the header row of the result grid and the row numbers.
    EXPECT_EQ(plan.printTitleRows, (std::pair{3, 3}));
    EXPECT_EQ(plan.printTitleColumns, (std::pair{1, 1}));
}

TEST_F(SawPlanExport, EachUsedColumnFitsItsWidestHeaderOrValueOnBothSheets) {
    SetJob({600000}, {{150000, 4}, {100000, 2}});
    AddRow({"1234567"}, {"2", "1"});
    G_S.SetCell(0, 4, "123456789012");
    ASSERT_TRUE(Export(2));

    // Characters and two for the margin. The title in A1 runs on over the empty cells beside
    // it and widens nothing.
    EXPECT_EQ(sheet.sheets[kPlanSheet].columnWidths,
              (std::map<int, int>{{1, 10}, {2, 9}, {3, 8}, {4, 6}, {5, 14}, {6, 9}}));
    // "Lagerlänge" is ten characters; the count "1234567x" is wider than its head "Anzahl";
    // the spacer columns C and F keep the sheet's standard width.
    EXPECT_EQ(sheet.sheets[kSawSheet].columnWidths,
              (std::map<int, int>{{1, 12}, {2, 10}, {4, 10}, {5, 4}, {7, 10}, {8, 4}}));
    EXPECT_EQ(sheet.sheets[kSawSheet].printTitleRows, (std::pair{1, 3}));
    EXPECT_EQ(sheet.sheets[kSawSheet].printTitleColumns, (std::pair{1, 2}));
}

TEST_F(SawPlanExport, ColumnsAreSizedOnEveryWayOutButTheMessageWidensNothing) {
    SetJob({600000}, {{150000, 10}, {100000, 10}});
    AddRow({"1234567"}, {"1", "1"});
    EXPECT_FALSE(Export(1));
    EXPECT_EQ(sheet.sheets[kSawSheet].columnWidths.at(1), 12);
    EXPECT_EQ(sheet.sheets[kSawSheet].columnWidths.at(2), 10);

    SetJob({600000}, {{150000, 10}});
    AddRow({"1234567"}, {"1"});
    AddRow({""}, {"1"});  // a candidate row: ends the export with the conversion error
    sheet.sheets = {};
    sheet.active = kPlanSheet;
    EXPECT_THROW(Export(1), RuntimeError);
    EXPECT_EQ(sheet.sheets[kSawSheet].columnWidths.at(2), 10);
}

TEST_F(SawPlanExport, PrintedPagesOfTheSawPlanEndBetweenBins) {
    // Nine lengths in nine bins: beside the stock columns a portrait page holds two bins, each
    // with the spacer column before it, so pages begin with the spacers of bins 3, 5, 7 and 9.
    std::vector<std::pair<int32_t, int32_t>> fix;
    for (int k = 0; k < 9; ++k) {
        fix.push_back({(900 - 50 * k) * 100, 10});
    }
    SetJob({600000}, fix);
    AddRow({"1"}, std::vector<std::string>(9, "1"));
    ASSERT_TRUE(Export(9));
    EXPECT_EQ(sheet.sheets[kSawSheet].pageBreakColumns, (std::vector<int>{9, 15, 21, 27}));
    EXPECT_TRUE(sheet.sheets[kPlanSheet].pageBreakColumns.empty());

    // Wide counts move the breaks, also when the bins do not suffice: column B leaves less room
    // on every page, and bin 2 with its wide count no longer fits beside bin 1.
    SetJob({600000}, {{150000, 1}, {100000, 1}, {50000, 1}});
    AddRow({"2147483647"}, {"1", "2147483647", "1"});
    sheet.sheets = {};
    sheet.active = kPlanSheet;
    EXPECT_FALSE(Export(2));
    EXPECT_EQ(sheet.sheets[kSawSheet].pageBreakColumns, (std::vector<int>{6}));
}

TEST_F(SawPlanExport, SawPlanHeadNamesEveryBin) {
    SetJob({600000}, {{150000, 4}, {100000, 2}, {50000, 5}});
    AddRow({"1"}, {"1", "1", "1"});
    ASSERT_TRUE(Export(3));
    EXPECT_EQ(sheet.sheets[kSawSheet].name, "Sägeplan");
    EXPECT_EQ(SawRow(1), "Säge 1-Fenster");
    EXPECT_EQ(SawRow(2), "");
    EXPECT_EQ(SawRow(3), "Lagerlänge|Anzahl||Ablage 1|||Ablage 2|||Ablage 3");
    for (int col : {1, 2, 4, 7, 10}) {
        EXPECT_TRUE(sheet.At(kSawSheet, 3, col).bold) << col;
    }
    EXPECT_TRUE(sheet.At(kSawSheet, 1, 1).bold);
    EXPECT_EQ(SawRow(4), "6000|1x||1500|1x||1000|1x||500|1x");
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(SawPlanExport, LengthsInTheUserFormatAndCountsWithX) {
    SetJob({600000, 412550}, {{150, 10}});
    AddRow({"X", "4"}, {"2"});
    AddRow({"3", "X"}, {"1"});
    ASSERT_TRUE(Export(1, '.'));
    EXPECT_EQ(SawRow(4), "4125.5|4x||1.5|2x");
    EXPECT_EQ(SawRow(5), "6000|3x||1.5*|1x");
}

TEST_F(SawPlanExport, SeveralStockCellsNotXTheLastOneWins) {
    SetJob({600000, 300000}, {{150000, 10}});
    AddRow({"2", "5"}, {"1"});
    ASSERT_TRUE(Export(1));
    EXPECT_EQ(SawRow(4), "3000|5x||1500|1x");
}

TEST_F(SawPlanExport, OneBinTooFewForTwoLengthsOnManyBars) {
    SetJob({600000}, {{150000, 10}, {100000, 10}});
    AddRow({"2"}, {"1", "1"});
    EXPECT_FALSE(Export(1));
    EXPECT_EQ(SawRow(4), "6000|2x||1500|1x");
    EXPECT_EQ(SawRow(5), "");  // the pass that placed nothing
    EXPECT_EQ(SawRow(6), "");
    EXPECT_EQ(SawRow(7), kBinsInsufficientText);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{kBinsInsufficientText});
    // The message is shown before it is written into the sheet, and nothing follows.
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], std::string("message ") + kBinsInsufficientText);
    EXPECT_EQ(log.back(), std::string("cell 7,1 ") + kBinsInsufficientText);
}

TEST_F(SawPlanExport, SingleBarCompletingAnOrderFreesItsBinAtOnce) {
    SetJob({600000}, {{150000, 1}, {100000, 10}});
    AddRow({"1"}, {"1", "2"});
    AddRow({"1"}, {"", "1"});
    ASSERT_TRUE(Export(1));
    EXPECT_EQ(SawRow(4), "6000|1x||1500*|1x");
    EXPECT_EQ(SawRow(5), "|||1000|2x");  // second pass, next sheet row
    EXPECT_EQ(SawRow(6), "6000|1x||1000|1x");
    EXPECT_EQ(SawRow(7), "");
}

TEST_F(SawPlanExport, EqualLengthsOfTwoGroupsShareOneBin) {
    SetJob({600000}, {{300000, 10}, {300000, 10}, {120000, 10}});
    AddRow({"1"}, {"1", "1", "2"});
    AddRow({"1"}, {"", "", "1"});
    ASSERT_TRUE(Export(2));
    EXPECT_EQ(SawRow(4), "6000|1x||3000|1x");
    EXPECT_EQ(SawRow(5), "|||3000|1x||1200|2x");  // the bin cell was taken: the pass moves on
    EXPECT_EQ(SawRow(6), "6000|1x|||||1200|1x");
}

TEST_F(SawPlanExport, BinOfAnOrderCompletedOnManyBarsIsFreedWhenTheRowIsDone) {
    SetJob({600000}, {{150000, 3}, {100000, 10}});
    AddRow({"3"}, {"1", ""});
    AddRow({"1"}, {"", "1"});
    ASSERT_TRUE(Export(1));
    EXPECT_EQ(SawRow(4), "6000|3x||1500*|1x");
    EXPECT_EQ(SawRow(5), "6000|1x||1000|1x");
}

TEST_F(SawPlanExport, BinOfAnOrderCompletedOnManyBarsStaysReservedWithinTheRow) {
    SetJob({600000}, {{150000, 3}, {100000, 10}});
    AddRow({"3"}, {"1", "1"});
    EXPECT_FALSE(Export(1));
    EXPECT_EQ(SawRow(4), "6000|3x||1500*|1x");
    EXPECT_EQ(SawRow(7), kBinsInsufficientText);
}

TEST_F(SawPlanExport, RowWithCountZeroTakesBinsButDeliversNothing) {
    SetJob({600000}, {{150000, 1}, {100000, 10}});
    AddRow({"0"}, {"1", ""});
    AddRow({"1"}, {"1", ""});
    ASSERT_TRUE(Export(1));
    EXPECT_EQ(SawRow(4), "6000|0x||1500|1x");
    EXPECT_EQ(SawRow(5), "6000|1x||1500*|1x");
}

TEST_F(SawPlanExport, BinTakenByARowWithCountZeroKeepsItsLength) {
    SetJob({600000}, {{150000, 1}, {100000, 10}});
    AddRow({"0"}, {"1", ""});
    AddRow({"1"}, {"", "1"});
    EXPECT_FALSE(Export(1));
    EXPECT_EQ(SawRow(5), "6000|1x");
    EXPECT_EQ(SawRow(7), kBinsInsufficientText);
}

TEST_F(SawPlanExport, OverProductionIsMarkedAtEveryPlacementFromTheCompletingOneOn) {
    SetJob({600000}, {{150000, 2}});
    AddRow({"1"}, {"1"});
    AddRow({"1"}, {"2"});
    AddRow({"2"}, {"1"});
    ASSERT_TRUE(Export(1));
    EXPECT_EQ(SawRow(4), "6000|1x||1500|1x");
    EXPECT_EQ(SawRow(5), "6000|1x||1500*|2x");
    EXPECT_EQ(SawRow(6), "6000|2x||1500*|1x");
}

TEST_F(SawPlanExport, StockCellThatIsNoWholeNumberStopsAfterTheEarlierRows) {
    SetJob({600000, 300000}, {{150000, 10}});
    AddRow({"2", "X"}, {"1"});
    AddRow({"X", ""}, {"1"});  // a candidate row with its own stock cell still empty
    AddRow({"1", "X"}, {"1"});
    try {
        Export(1);
        FAIL() << "no conversion error";
    } catch (const RuntimeError& e) {
        EXPECT_STREQ(e.what(), "'' ist kein gültiger Integerwert");
    }
    EXPECT_EQ(sheet.RowText(kPlanSheet, 6, {}), "4|1|X||1");  // plan sheet complete
    EXPECT_EQ(sheet.Text(kPlanSheet, 8, 1), "Verplant");
    EXPECT_EQ(SawRow(4), "6000|2x||1500|1x");
    EXPECT_EQ(SawRow(5), "");
    EXPECT_TRUE(dialogs.messages.empty());

    SetJob({600000}, {{150000, 10}});
    AddRow({"2,5"}, {"1"});
    EXPECT_THROW(
        {
            try {
                Export(1);
            } catch (const RuntimeError& e) {
                EXPECT_STREQ(e.what(), "'2,5' ist kein gültiger Integerwert");
                throw;
            }
        },
        RuntimeError);
}

TEST_F(SawPlanExport, NoBinChosenRefusesTheFirstRowWithPieces) {
    SetJob({600000}, {{150000, 10}});
    AddRow({"1"}, {"1"});
    EXPECT_FALSE(Export(0));
    EXPECT_EQ(SawRow(3), "Lagerlänge|Anzahl");
    EXPECT_EQ(SawRow(4), "6000|1x");
    EXPECT_EQ(SawRow(6), kBinsInsufficientText);
    EXPECT_EQ(dialogs.messages.size(), 1u);
}

TEST_F(SawPlanExport, RowWithoutPiecesIsRefused) {
    SetJob({600000}, {{150000, 10}});
    AddRow({"1"}, {""});
    EXPECT_FALSE(Export(1));
    EXPECT_EQ(SawRow(6), kBinsInsufficientText);
}

TEST_F(SawPlanExport, GridWithoutDataRowsWritesTheHeadOnly) {
    SetJob({600000}, {{150000, 10}});
    ASSERT_TRUE(Export(1));
    EXPECT_EQ(SawRow(3), "Lagerlänge|Anzahl||Ablage 1");
    EXPECT_EQ(SawRow(4), "");
}

TEST_F(SawPlanExport, ResultGridOfAnEarlierJobReadsMissingPieceColumnsAsEmpty) {
    SetJob({600000}, {{150000, 10}});
    AddRow({"1"}, {"1"});
    job.FixKinds = 3;  // the job was read again with two fix lengths more
    for (int k : {2, 3}) {
        job.FixLength[k] = 50000 * k;
        job.FixCountOrig[k] = 5;
    }
    ASSERT_TRUE(Export(2));
    EXPECT_EQ(SawRow(4), "6000|1x||1500|1x");
    EXPECT_EQ(SawRow(5), "");
}

TEST_F(SawPlanExport, AbsurdCountsDoNotOverflowTheOrderRest) {
    SetJob({600000}, {{150000, 2147483647}});
    for (int i = 0; i < 6; ++i) {
        AddRow({"2147483647"}, {"2147483647"});
    }
    AddRow({"-2147483648"}, {"2147483647"});
    ASSERT_TRUE(Export(1));
    for (int row = 4; row <= 9; ++row) {
        EXPECT_EQ(SawRow(row), "6000|2147483647x||1500*|2147483647x") << row;
    }
    EXPECT_EQ(SawRow(10), "6000|-2147483648x||1500*|2147483647x");
}

}  // namespace
}  // namespace zelk
