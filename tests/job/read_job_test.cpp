#include "job/read_job.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "job/recording_dialogs.h"

namespace zelk {
namespace {

// A job the way a user types it: trim cut 10, clamp rest 100, kerf 2.1, one stock length 6000.
class ReadJobTest : public ::testing::Test {
protected:
    ReadJobTest() {
        page.machine = {"Säge", "10", "100", "2.1"};
        page.order.E_ABez = "Fenster";
        page.order.EToleranz = "0";
        page.order.E_WastToStock = "0";
        page.order.g_hsl = MakeList({{"3", "6000"}});
        page.order.G_Fixl = MakeList({{"5", "1200"}});
        tables.StockKinds = 7;  // left by an earlier job
        tables.FixKinds = 9;
    }

    void Read() { ReadJob(page, '.', dialogs, tables, caption); }

    // Runs ReadJob expecting it to end silently after exactly this message.
    void ExpectRefused(const std::string& message) {
        EXPECT_THROW(Read(), Abort);
        EXPECT_EQ(dialogs.messages, std::vector<std::string>{message});
    }

    std::vector<int32_t> FixLengths() const {
        return {tables.FixLength.begin() + 1, tables.FixLength.begin() + 1 + tables.FixKinds};
    }
    std::vector<int32_t> FixGroups() const {
        return {tables.FixGroup.begin() + 1, tables.FixGroup.begin() + 1 + tables.FixKinds};
    }

    OrderPage page;
    RecordingDialogs dialogs;
    JobTables tables;
    std::string caption;
};

TEST_F(ReadJobTest, MachineValuesAreExactHundredths) {
    Read();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(caption, "Fenster-Säge");
    EXPECT_EQ(tables.StockKinds, 1);
    EXPECT_EQ(tables.StockCountOrig[1], 3);
    EXPECT_EQ(tables.StockLength[1], 600000);
    EXPECT_EQ(tables.StockUsable[1], 588790);  // 600000 - 1000 - 10000 - 210
    EXPECT_EQ(tables.FixKinds, 1);
    EXPECT_EQ(tables.FixEffLength[1], 120210);
    EXPECT_EQ(tables.LongPieceLimit, 11775);  // 588790 * 2 / 100 = 11775.8, truncated

    page.machine.E_SKB = "2.10";
    page.order.EToleranz = "0.5";
    page.order.G_Fixl = MakeList({{"5", "1234.567"}});
    Read();
    EXPECT_EQ(tables.FixLength[1], 123456);  // further decimals of a list length dropped silently
    EXPECT_EQ(tables.FixEffLength[1], 123456 + 260);
    EXPECT_EQ(tables.StockUsable[1], 600000 - 1000 - 10000 - 260);
}

TEST_F(ReadJobTest, EachMachineValueHasItsOwnMessages) {
    struct Case {
        std::string* field;
        std::string invalid;
        std::string decimals;
    };
    const std::vector<Case> cases = {
        {&page.machine.E_ASL, "Die Anschnittlänge ist ungültig!",
         "Die Anschnittlänge darf nur zwei Nachkommastellen umfassen!"},
        {&page.machine.E_RSL, "Die Restspannlänge ist ungültig!",
         "Die Restspannlänge darf nur zwei Nachkommastellen umfassen!"},
        {&page.machine.E_SKB, "Die Schnittkanalbreite ist ungültig!",
         "Die Schnittkanalbreite darf nur zwei Nachkommastellen umfassen!"},
        {&page.order.EToleranz, "Die +Toleranz ist ungültig!",
         "Die +Toleranz darf nur zwei Nachkommastellen umfassen!"},
        {&page.order.E_WastToStock, "Die Angabe \"Reste zurück ins Lager ab\" ist ungültig!",
         "Die Angabe \"Reste zurück ins Lager ab\" darf nur zwei Nachkommastellen umfassen!"},
    };
    for (const Case& c : cases) {
        std::string typed = *c.field;
        const ListRows typings = {{"2,1", c.invalid}, {"2.125", c.decimals}};
        for (const auto& [text, message] : typings) {
            SCOPED_TRACE(c.invalid + " / " + text);
            *c.field = text;
            dialogs.messages.clear();
            ExpectRefused(message);
            EXPECT_EQ(caption, "Fenster-Säge");  // the caption is set before the checks
            EXPECT_EQ(tables.StockKinds, 7);     // the previous job is untouched
        }
        *c.field = typed;
    }
}

TEST_F(ReadJobTest, TheMergeTakesTheLongestFirstAndTheLowerGroupOnTies) {
    page.order.G_Fixl = MakeList({{"1", "1200"}, {"1", "3000"}});  // sorted by the tidying
    page.order.g_fixl2 = MakeList({{"1", "3000"}, {"1", "2500"}});
    page.order.g_fixl3 = MakeList({{"1", "2500"}});
    Read();
    EXPECT_EQ(FixLengths(), (std::vector<int32_t>{300000, 300000, 250000, 250000, 120000}));
    EXPECT_EQ(FixGroups(), (std::vector<int32_t>{1, 2, 2, 3, 1}));
}

TEST_F(ReadJobTest, CountZeroEndsItsListAndNegativeCountsArePassedOver) {
    page.order.G_Fixl = MakeList({{"2", "3000"}, {"0", "2000"}, {"4", "1000"}});
    page.order.g_fixl2 = MakeList({{"-2", "2500"}, {"1", "500"}});
    Read();
    EXPECT_EQ(FixLengths(), (std::vector<int32_t>{300000, 50000}));
    EXPECT_EQ(FixGroups(), (std::vector<int32_t>{1, 2}));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ReadJobTest, LongPieceLimitLeavesAtMostFourteenLongerEntries) {
    ListRows rows;
    for (int i = 0; i < 20; ++i) {
        rows.emplace_back("1", std::to_string(2100 - 100 * i));  // 2100 .. 200, all above 117.75
    }
    page.order.G_Fixl = MakeList(rows);
    page.order.g_hsl = MakeList({{"3", "6000"}, {"1", "4112.1"}});  // usable 588790 and 400000
    Read();
    EXPECT_EQ(tables.StockUsable[2], 400000);
    EXPECT_EQ(tables.LongPieceLimit, 70000);  // the 15th-longest
    int above = 0;
    for (int k = 1; k <= tables.FixKinds; ++k) {
        above += tables.FixLength[k] > tables.LongPieceLimit;
    }
    EXPECT_EQ(above, 14);

    page.order.G_Fixl = MakeList({{"1", "90"}});  // too few entries to raise it
    Read();
    EXPECT_EQ(tables.LongPieceLimit, 11775);
}

TEST_F(ReadJobTest, AStockLengthShorterThanTheMachineNeedsIsNoFault) {
    page.order.g_hsl = MakeList({{"1", "50"}});
    Read();
    EXPECT_EQ(tables.StockUsable[1], 5000 - 11210);
    EXPECT_EQ(tables.LongPieceLimit, 0);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ReadJobTest, ListSizesAreCheckedBeforeAnyRowIsRead) {
    ListRows rows(81, {"1", "kaputt"});
    page.order.g_hsl = MakeList(rows);
    ExpectRefused("Die Anzahl der Lagerlängen ist auf maximal 80 begrenzt!");
    EXPECT_EQ(tables.StockKinds, 7);

    rows.assign(81, {"1", "100"});
    page.order.g_hsl = MakeList({{"1", "6000"}});
    page.order.G_Fixl = MakeList(rows);
    dialogs.messages.clear();
    ExpectRefused("Die Anzahl der Fixlängen ist auf maximal 80 begrenzt!");

    rows.pop_back();  // 80 rows are the most a list may hold
    page.order.G_Fixl = MakeList(rows);
    Read();
    EXPECT_EQ(tables.FixKinds, 80);
}

TEST_F(ReadJobTest, EmptyListsAreRefused) {
    page.order.g_hsl = MakeList({{"3", ""}});
    ExpectRefused("Sie haben keine Lagerlängen angegeben!");

    page.order.g_hsl = MakeList({{"3", "6000"}});
    page.order.G_Fixl = MakeList({{"", ""}});
    page.order.g_fixl2 = MakeList({{"1", "1500"}});
    dialogs.messages.clear();
    ExpectRefused("Sie haben keine Fixlängen angegeben!");
}

TEST_F(ReadJobTest, MoreThanEightyFixEntriesOverAllGroups) {
    page.order.G_Fixl = MakeList(ListRows(80, {"1", "100"}));
    page.order.g_fixl3 = MakeList({{"-1", "90"}, {"2", "80"}});
    ExpectRefused("Die Anzahl der Fixlängen ist auf maximal 80 begrenzt!");
    EXPECT_EQ(tables.FixKinds, 80);
}

TEST_F(ReadJobTest, AFaultyStockRowLeavesTheTablesPartlyRebuilt) {
    page.order.g_hsl = MakeList({{"3", "6000"}, {"2x", "5000"}, {"1", "4000"}});
    ExpectRefused("Fehler bei der Angabe der 2. Lagerlänge");
    EXPECT_EQ(tables.StockKinds, 3);
    EXPECT_EQ(tables.StockLength[1], 600000);
    EXPECT_EQ(tables.StockLength[2], 0);
    EXPECT_EQ(tables.FixKinds, 0);
}

TEST_F(ReadJobTest, AFaultyFixRowIsNamedByItsEntryNumber) {
    page.order.G_Fixl = MakeList({{"1", "3000"}, {"1", "1000"}});
    page.order.g_fixl2 = MakeList({{"-1", "2800"}, {"1", "2500"}, {"x", "2000"}});
    ExpectRefused("Fehler bei der Angabe der 3. Fixlänge");
    EXPECT_EQ(tables.FixKinds, 2);
    EXPECT_EQ(tables.FixLength[2], 250000);
}

TEST_F(ReadJobTest, ABadFixLengthStopsTheTidyingWithTheConversionError) {
    page.order.g_hsl = MakeList({{"3", "6000"}, {"", ""}});
    page.order.g_fixl2 = MakeList({{"1", "1200"}, {"1", "12 m"}});
    EXPECT_THROW(Read(), RuntimeError);
    EXPECT_EQ(caption, "Fenster-Säge");
    EXPECT_EQ(DataRows(page.order.g_hsl), (ListRows{{"3", "6000"}}));  // tidied first
    EXPECT_EQ(tables.StockKinds, 7);
}

TEST_F(ReadJobTest, LengthsBeyondThirtyTwoBitsAreRefusedNotWrapped) {
    page.machine.E_ASL = "-21474836";  // a usable length of about 21.5 million units
    ExpectRefused("Fehler bei der Angabe der 1. Lagerlänge");

    page.machine.E_ASL = "10";
    page.order.G_Fixl = MakeList({{"1", "21474836"}});  // fits, but not with the kerf added
    dialogs.messages.clear();
    ExpectRefused("Fehler bei der Angabe der 1. Fixlänge");
    EXPECT_EQ(tables.FixKinds, 0);
}

}  // namespace
}  // namespace zelk
