#include "job/paste_lengths.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "job/recording_dialogs.h"

namespace zelk {
namespace {

class PasteLengthsTest : public ::testing::Test {
protected:
    void Paste(const std::optional<std::string>& text, TextGrid& list, char separator = ',') {
        PasteLengths(text, list, order, separator, dialogs);
    }

    OrderForm order;
    RecordingDialogs dialogs;
};

TEST_F(PasteLengthsTest, ThousandsPointsGoAndFixListsAreSorted) {
    order.G_Fixl = MakeList({{"9", "9999"}});  // replaced by the import
    Paste("2\t800\r\n3\t1.250,5\r\n", order.G_Fixl);
    EXPECT_EQ(DataRows(order.G_Fixl), (ListRows{{"3", "1250,5"}, {"2", "800"}}));
    EXPECT_TRUE(dialogs.messages.empty());

    Paste("2\t800\n3\t1250\n", order.g_hsl);  // the stock list keeps the clipboard's order
    EXPECT_EQ(DataRows(order.g_hsl), (ListRows{{"2", "800"}, {"3", "1250"}}));
}

TEST_F(PasteLengthsTest, WithADecimalPointThePointIsDroppedToo) {
    Paste("1\t12.5", order.G_Fixl, '.');
    EXPECT_EQ(DataRows(order.G_Fixl), (ListRows{{"1", "125"}}));
}

TEST_F(PasteLengthsTest, EachBadValueGetsItsMessageWithTheLineNumber) {
    Paste("Stück\tLänge\r5\t1200\n\nx\t7\r\n4\tzwei\n", order.G_Fixl);
    EXPECT_EQ(dialogs.messages, (std::vector<std::string>{
                                    "Der Wert für die Anzahl in Zeile 1 ist keine ganze Zahl!",
                                    "Der Wert für die Länge in Zeile 1 ist keine Zahl!",
                                    "Der Wert für die Anzahl in Zeile 4 ist keine ganze Zahl!",
                                    "Der Wert für die Länge in Zeile 5 ist keine Zahl!",
                                }));
    EXPECT_EQ(DataRows(order.G_Fixl), (ListRows{{"5", "1200"}}));
}

TEST_F(PasteLengthsTest, IncompleteLinesAndMinusOneAreDroppedSilently) {
    Paste("\t1200\n7\n4\t900\tDach\n-1\t500\n2\t-1\n0\t-3\n", order.g_hsl);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(DataRows(order.g_hsl), (ListRows{{"4", "900"}, {"0", "-3"}}));
}

TEST_F(PasteLengthsTest, NothingUsableLeavesOneEmptyRow) {
    order.g_fixl2 = MakeList({{"1", "100"}});
    Paste("a\tb\n", order.g_fixl2);
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(DataRows(order.g_fixl2), (ListRows{{"", ""}}));
}

TEST_F(PasteLengthsTest, NoTextLeavesTheRowsButTidiesThem) {
    order.G_Fixl = MakeList({{"2", "1200"}, {"", ""}, {"1", "1500"}});
    Paste(std::nullopt, order.G_Fixl);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{
                                    "Bitte zunächst in Excel die Zellen markieren und kopieren."});
    EXPECT_EQ(DataRows(order.G_Fixl), (ListRows{{"1", "1500"}, {"2", "1200"}}));
}

// Fails the first time a message is shown, as a failing message box would.
class FailingOnceDialogs : public RecordingDialogs {
public:
    void ShowMessage(const std::string& text) override {
        if (!failed) {
            failed = true;
            throw std::runtime_error("Zugriff verweigert");
        }
        RecordingDialogs::ShowMessage(text);
    }
    bool failed = false;
};

TEST_F(PasteLengthsTest, AnyOtherFailureStopsTheImportKeepingTheRowsFilled) {
    FailingOnceDialogs failing;
    PasteLengths("3\t300\nx\t200\n1\t100\n", order.g_hsl, order, ',', failing);
    EXPECT_EQ(failing.messages,
              std::vector<std::string>{"Fehler beim Einfügen der Längen: \r\nZugriff verweigert"});
    EXPECT_EQ(DataRows(order.g_hsl), (ListRows{{"3", "300"}}));
}

TEST(SplitOffField, TakesTheTextUpToTheSeparator) {
    std::string text = "3<>1200<>x";
    EXPECT_EQ(SplitOffField(text, "<>"), "3");
    EXPECT_EQ(text, "1200<>x");
    EXPECT_EQ(SplitOffField(text, "\t"), "1200<>x");
    EXPECT_EQ(text, "");
    EXPECT_EQ(RemoveDots("1.250.000,5"), "1250000,5");
}

}  // namespace
}  // namespace zelk
