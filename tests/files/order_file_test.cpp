#include <gtest/gtest.h>

#include "base/translate.h"
#include "file_test_support.h"
#include "files/data_files.h"
#include "files/order_section.h"
#include "job/order_page.h"

namespace zelk {
namespace {

using Cells = std::vector<std::string>;

const std::string kInvalidOrder = "Die Auftragsdaten sind ungültig.";
const std::string kUnitConflict = "Die Maßeinheit von Auftrag und Maschine stimmen nicht überein!";

void SetRows(TextGrid& list, const std::vector<std::pair<std::string, std::string>>& rows) {
    list.SetRowCount(static_cast<int>(rows.size()) + 1);
    for (size_t i = 0; i < rows.size(); ++i) {
        list.SetCell(static_cast<int>(i) + 1, 0, rows[i].first);
        list.SetCell(static_cast<int>(i) + 1, 1, rows[i].second);
    }
}

// An order page as the user left it: an order that differs from a new one in every field.
OrderPage FilledPage() {
    OrderPage page;
    OrderForm& order = page.order;
    order.E_ABez = "Fenster Nord";
    order.EToleranz = "0,5";
    order.E_WastToStock = "800";
    SetRows(order.g_hsl, {{"10", "6000"}, {"", ""}, {"3", "4500,5"}});
    SetRows(order.G_Fixl, {{"2", "1200"}, {"5", "3000"}});
    SetRows(order.g_fixl2, {{"4", "800"}});
    SetRows(order.g_fixl3, {{"1", "650"}, {"", "12\tx"}});
    btnNeueFLClick(order);
    btnNeueFLClick(order);
    order.e_fixbez = "Rahmen";
    order.e_fixbez3 = "Sprossen";
    return page;
}

// An order page with an order that a load must replace or keep.
OrderPage OldPage() {
    OrderPage page;
    page.order.E_ABez = "Alt";
    page.order.g_hsl.SetCell(1, 1, "6000");
    return page;
}

Lines OrderLines(const OrderPage& page) {
    Lines lines;
    WriteOrderSection(lines, page);
    return lines;
}

TEST(OrderFile, ANewOrderIsSeventeenLinesEachEndedByCrLf) {
    OrderPage page;
    Btn_ANeuClick(page.order);
    ScratchFolder folder;
    WriteTextFile(folder.File("leer.zka"), OrderLines(page));
    EXPECT_EQ(ReadBytes(folder.File("leer.zka")),
              "ZELK_ADATA V2\r\nmm\r\n\r\n0\r\n0\r\n0\r\n"
              "1\r\n\t\r\n1\r\n\t\r\n1\r\n\t\r\n1\r\n\t\r\n\r\n\r\n\r\n");
}

TEST(OrderFile, SavingAndLoadingRestoresEveryFieldAndRow) {
    OrderPage saved = FilledPage();
    ScratchFolder folder;
    SaveOrderFile(saved, folder.File("Fenster Süd.v2.zka"));
    EXPECT_EQ(saved.order.E_ABez, "Fenster Süd.v2");  // the file's base name, also in line 3
    EXPECT_EQ(ReadTextFile(folder.File("Fenster Süd.v2.zka"))[2], "Fenster Süd.v2");

    OrderPage loaded = OldPage();
    RecordingDialogs dialogs;
    LoadOrderFile(loaded, folder.File("Fenster Süd.v2.zka"), dialogs);
    EXPECT_TRUE(dialogs.messages.empty());
    const OrderForm& a = saved.order;
    const OrderForm& b = loaded.order;
    EXPECT_EQ(b.E_ABez, a.E_ABez);
    EXPECT_EQ(b.EToleranz, "0,5");
    EXPECT_EQ(b.E_WastToStock, "800");
    EXPECT_EQ(b.g_hsl, a.g_hsl);
    EXPECT_EQ(b.G_Fixl, a.G_Fixl);
    EXPECT_EQ(b.g_fixl2, a.g_fixl2);
    EXPECT_EQ(b.g_fixl3, a.g_fixl3);
    EXPECT_EQ(b.g_fixl3.Cell(2, 1), "12\tx");  // split at the first TAB only
    EXPECT_EQ(std::tie(b.e_fixbez, b.e_fixbez2, b.e_fixbez3),
              std::tie(a.e_fixbez, a.e_fixbez2, a.e_fixbez3));
    EXPECT_TRUE(b.group2Shown && b.group3Shown);
    EXPECT_EQ(b.btnNeueFL, GroupButtonPlace::Hidden);
}

TEST(OrderFile, GroupsAreShownWhenTheirFirstRowHasACount) {
    OrderPage saved = FilledPage();
    SetRows(saved.order.g_fixl2, {{"", "800"}, {"4", "700"}});
    Lines lines = OrderLines(saved);
    OrderPage loaded;
    RecordingDialogs dialogs;
    size_t cursor = 0;
    ReadOrderSection(lines, cursor, loaded, dialogs);
    EXPECT_EQ(cursor, lines.size());
    EXPECT_FALSE(loaded.order.group2Shown);
    EXPECT_TRUE(loaded.order.group3Shown);
    EXPECT_EQ(loaded.order.btnNeueFL, GroupButtonPlace::UnderGroup2);
    EXPECT_EQ(loaded.order.g_fixl2.RowCount(), 3);
}

TEST(OrderFile, ShortVersion1FilesAndRowsWithoutTab) {
    Lines lines = {"ZELK_ADATA V1", "Alt-Auftrag", "1",      "500", "0", "2", "12",
                   "3\t6000",       "1",           "2\t1200"};
    OrderPage page = OldPage();
    page.order.e_fixbez2 = "weg";
    RecordingDialogs dialogs;
    size_t cursor = 0;
    ReadOrderSection(lines, cursor, page, dialogs);
    EXPECT_EQ(cursor, lines.size());
    EXPECT_EQ(page.order.E_ABez, "Alt-Auftrag");
    EXPECT_EQ(page.order.g_hsl.Row(1), (std::vector<std::string>{"", "12"}));
    EXPECT_EQ(page.order.g_hsl.Row(2), (std::vector<std::string>{"3", "6000"}));
    EXPECT_EQ(page.order.G_Fixl.Row(1), (std::vector<std::string>{"2", "1200"}));
    EXPECT_EQ(page.order.g_fixl2.RowCount(), 2);
    EXPECT_EQ(page.order.g_fixl3.Row(1), (std::vector<std::string>{"", ""}));
    EXPECT_EQ(page.order.e_fixbez2, "");
    EXPECT_FALSE(page.order.group2Shown || page.order.group3Shown);

    page.cb_einheit = 1;  // a version 1 order is in mm
    cursor = 0;
    EXPECT_THROW(ReadOrderSection(lines, cursor, page, dialogs), Abort);
    EXPECT_EQ(dialogs.messages, Lines{kUnitConflict});
    EXPECT_EQ(page.order.E_ABez, "Alt-Auftrag");
}

TEST(OrderFile, AListBlockOfNoRowsKeepsOneEmptyRow) {
    Lines lines = {"ZELK_ADATA V2", "mm", "A", "0", "0", "0", "0"};
    OrderPage page = OldPage();
    RecordingDialogs dialogs;
    size_t cursor = 0;
    ReadOrderSection(lines, cursor, page, dialogs);
    EXPECT_EQ(page.order.g_hsl.RowCount(), 2);
    EXPECT_EQ(page.order.g_hsl.Cell(1, 1), "");
}

TEST(OrderFile, AMissingSectionOnlyTellsAndAWrongOneAborts) {
    OrderPage page = OldPage();
    RecordingDialogs dialogs;
    size_t cursor = 0;
    ReadOrderSection({}, cursor, page, dialogs);
    EXPECT_EQ(dialogs.messages, Lines{kInvalidOrder});

    ScratchFolder folder;
    std::mt19937 random(7);
    std::string noise;
    for (int i = 0; i < 4000; ++i) {
        noise += static_cast<char>(random());
    }
    WriteBytes(folder.File("rauschen.zka"), noise);
    EXPECT_THROW(LoadOrderFile(page, folder.File("rauschen.zka"), dialogs), Abort);
    EXPECT_EQ(dialogs.messages, (Lines{kInvalidOrder, kInvalidOrder}));

    Lines inches = OrderLines(FilledPage());
    inches[1] = "in.";
    EXPECT_THROW(ReadOrderSection(inches, cursor, page, dialogs), Abort);
    EXPECT_EQ(dialogs.messages.back(), kUnitConflict);
    EXPECT_EQ(page.order.E_ABez, "Alt");
    EXPECT_EQ(page.order.g_hsl.Cell(1, 1), "6000");
    EXPECT_EQ(cursor, 0u);
}

// Reads the lines into an old order; the text of the runtime error it ends with.
std::string ReadError(const Lines& lines, OrderPage& page) {
    RecordingDialogs dialogs;
    size_t cursor = 0;
    return RuntimeErrorOf([&] { ReadOrderSection(lines, cursor, page, dialogs); });
}

TEST(OrderFile, AShortFileFailsAtItsFirstMissingLine) {
    Lines full = OrderLines(FilledPage());
    // line 5 is the reserved line, skipped unread; line 6 the stock count, 7 to 9 its rows,
    // 10 the count of fix list 1, 13 of fix list 2, 15 of fix list 3, 18 to 20 the labels
    for (size_t size : {1, 3, 5, 6, 8, 9, 11, 12, 19, 20}) {
        OrderPage page = OldPage();
        Lines lines(full.begin(), full.begin() + static_cast<long>(size));
        size_t missing = size == 5 ? 6 : size;
        EXPECT_EQ(ReadError(lines, page), ListIndexText(static_cast<long long>(missing))) << size;
        EXPECT_EQ(page.order.E_ABez, size < 3 ? "Alt" : "Fenster Nord") << size;
    }
    // Cut inside the stock list: the rows read before the missing line stay, the rest is empty.
    OrderPage page = OldPage();
    EXPECT_EQ(ReadError(Lines(full.begin(), full.begin() + 8), page), ListIndexText(8));
    EXPECT_EQ(page.order.g_hsl.RowCount(), 4);
    EXPECT_EQ(page.order.g_hsl.Row(1), (Cells{"10", "6000"}));
    EXPECT_EQ(page.order.g_hsl.Row(2), (Cells{"", ""}));
    for (size_t size : {10, 13, 15, 18}) {  // ends before a fix list block or the labels
        OrderPage page = OldPage();
        Lines lines(full.begin(), full.begin() + static_cast<long>(size));
        EXPECT_EQ(ReadError(lines, page), "<no error>") << size;
    }
}

TEST(OrderFile, BrokenCountsFailWithoutReservingRows) {
    Lines head = {"ZELK_ADATA V2", "mm", "Neu", "0", "0", "0"};
    OrderPage page = OldPage();
    Lines lines = head;
    lines.push_back("zehn");
    EXPECT_EQ(ReadError(lines, page), NotAnIntegerText("zehn"));
    EXPECT_EQ(page.order.E_ABez, "Neu");
    EXPECT_EQ(page.order.g_hsl.Cell(1, 1), "");  // emptied by the new order before

    for (std::string count : {"2000000000", "-5", "2147483647"}) {
        lines = head;
        lines.push_back(count);
        EXPECT_EQ(ReadError(lines, page), ListIndexText(7)) << count;
        lines.insert(lines.end(), {"1\t6000", "1", "\t"});
        EXPECT_EQ(ReadError(lines, page), ListIndexText(10)) << count;
        if (count == "-5") {
            EXPECT_EQ(page.order.g_hsl.RowCount(), 2);  // emptied by the new order, no more
        } else {
            // The three rows the file holds are read; the rows sized for the rest stay few.
            EXPECT_EQ(page.order.g_hsl.Row(1), (Cells{"1", "6000"})) << count;
            EXPECT_EQ(page.order.g_hsl.Row(3), (Cells{"", ""})) << count;
            EXPECT_LE(page.order.g_hsl.RowCount(), 2000) << count;
        }
    }
}

TEST(OrderFile, CrOnlyLineEndsAndWindows1252Load) {
    ScratchFolder folder;
    WriteBytes(folder.File("alt.zka"),
               "ZELK_ADATA V2\rmm\rT\xFCren\r0\r0\r0\r1\r2\t1200\r1\r\xDC\tx\r");
    OrderPage page;
    RecordingDialogs dialogs;
    LoadOrderFile(page, folder.File("alt.zka"), dialogs);
    EXPECT_EQ(page.order.E_ABez, "Türen");
    EXPECT_EQ(page.order.g_hsl.Row(1), (std::vector<std::string>{"2", "1200"}));
    EXPECT_EQ(page.order.G_Fixl.Row(1), (std::vector<std::string>{"Ü", "x"}));

    SaveOrderFile(page, folder.File("Türen.zka"));
    std::string bytes = ReadBytes(folder.File("Türen.zka"));
    EXPECT_EQ(bytes.substr(0, 26), "ZELK_ADATA V2\r\nmm\r\nT\xFCren\r\n");
}

}  // namespace
}  // namespace zelk
