#include <gtest/gtest.h>

#include "file_test_support.h"
#include "files/data_files.h"
#include "files/machine_section.h"
#include "files/order_section.h"
#include "files/result_section.h"
#include "job/order_page.h"

namespace zelk {
namespace {

// A grid whose every cell names its place: "r1c2".
TextGrid NamedCells(int rows, int cols) {
    TextGrid grid(rows, cols);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            grid.SetCell(r, c, 'r' + std::to_string(r) + 'c' + std::to_string(c));
        }
    }
    return grid;
}

TextGrid ReadBlock(const Lines& lines, TextGrid grid = TextGrid(5, 10)) {
    size_t cursor = 0;
    ReadGridBlock(lines, cursor, grid);
    EXPECT_EQ(cursor, lines.size());
    return grid;
}

TEST(GridBlock, EveryCellIsFollowedByATab) {
    TextGrid grid(2, 4);
    for (int i = 0; i < 8; ++i) {
        grid.SetCell(i / 4, i % 4, std::string(1, static_cast<char>('A' + i)));
    }
    grid.SetCell(0, 2, "");
    Lines lines;
    WriteResultSection(lines, grid, TextGrid(0, 2));
    EXPECT_EQ(lines, (Lines{"ZELK_EDATA V1", "1\t3", "A\tB\t\tD\t", "E\tF\tG\tH\t", "-1\t1"}));
    EXPECT_EQ(ReadBlock({lines.begin() + 1, lines.begin() + 4}), grid);
    EXPECT_EQ(ReadBlock({"-1\t1"}), TextGrid(0, 2));
}

TEST(GridBlock, PlanOfThreeRowsWithTwoStockAndFourFixKinds) {
    TextGrid G_V = NamedCells(4, 9);
    TextGrid G_S = NamedCells(2, 9);
    Lines lines;
    WriteResultSection(lines, G_V, G_S);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[1], "3\t8");
    EXPECT_EQ(lines[3], "r1c0\tr1c1\tr1c2\tr1c3\tr1c4\tr1c5\tr1c6\tr1c7\tr1c8\t");
    EXPECT_EQ(lines[6], "1\t8");

    TextGrid readV(1, 1);
    TextGrid readS(7, 20);
    readS.SetCell(6, 19, "alt");
    size_t cursor = 0;
    RecordingDialogs dialogs;
    ReadResultSection(lines, cursor, readV, readS, dialogs);
    EXPECT_EQ(cursor, lines.size());
    EXPECT_EQ(readV, G_V);
    EXPECT_EQ(readS, G_S);
}

TEST(GridBlock, ShortRowLinesLeaveTheirFurtherCellsEmpty) {
    TextGrid grid = ReadBlock({"2\t3", "A\tB", "C", "D\tE\tF\tG\tH\tI"}, NamedCells(5, 10));
    EXPECT_EQ(grid.RowCount(), 3);
    EXPECT_EQ(grid.Row(0), (std::vector<std::string>{"A", "B", "", ""}));
    EXPECT_EQ(grid.Row(1), (std::vector<std::string>{"C", "", "", ""}));
    EXPECT_EQ(grid.Row(2), (std::vector<std::string>{"D", "E", "F", "G"}));
}

TEST(GridBlock, BrokenSizesFailWithoutReservingCells) {
    TextGrid grid;
    auto error = [&grid](const Lines& lines) {
        grid = NamedCells(2, 2);
        size_t cursor = 0;
        std::string text = RuntimeErrorOf([&] { ReadGridBlock(lines, cursor, grid); });
        EXPECT_LE(int64_t{grid.RowCount()} * grid.ColCount(), 1 << 20) << lines[0];
        return text;
    };
    // A block cut short keeps the rows read before its missing line.
    EXPECT_EQ(error({"3\t8", "a\t", "b\t"}), ListIndexText(3));
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.ColCount(), 9);
    EXPECT_EQ(grid.Cell(1, 0), "b");
    EXPECT_EQ(grid.Cell(2, 0), "");
    EXPECT_EQ(error({"2000000000\t3", "a\t", "b\tc"}), ListIndexText(3));
    EXPECT_EQ(grid.Row(1), (std::vector<std::string>{"b", "c", "", ""}));
    EXPECT_EQ(error({"2000000000\t3", "a\t"}), ListIndexText(2));
    EXPECT_EQ(error({"2147483647\t2147483647"}), ListIndexText(1));
    // Sizes that can never be read leave the grid as it was.
    EXPECT_EQ(error({"-5\t3", "a\t"}), ListIndexText(2));
    EXPECT_EQ(grid, NamedCells(2, 2));
    EXPECT_EQ(error({"0\t2000000000", "a\t"}), ListIndexText(2));
    EXPECT_EQ(grid, NamedCells(2, 2));
    EXPECT_EQ(error({"-1\t2147483647"}), ListIndexText(1));
    EXPECT_EQ(error({"0\t-7", "a\t"}), ListIndexText(2));
    EXPECT_EQ(error({"x\t3"}), NotAnIntegerText("x"));
    EXPECT_EQ(error({"3"}), NotAnIntegerText(""));
    EXPECT_EQ(error({}), ListIndexText(0));
    // a long line carries as many cells as it has characters
    EXPECT_EQ(ReadBlock({"0\t99999", std::string(100000, '\t')}).ColCount(), 100000);
}

TEST(ResultFile, AMissingResultSectionOnlyTells) {
    TextGrid G_V = NamedCells(2, 5);
    TextGrid G_S = NamedCells(2, 5);
    RecordingDialogs dialogs;
    for (Lines lines : {Lines{}, Lines{"ZELK_EDATA V2", "0\t0", "x\t"}}) {
        size_t cursor = 0;
        ReadResultSection(lines, cursor, G_V, G_S, dialogs);
        EXPECT_EQ(cursor, 0u);
    }
    EXPECT_EQ(dialogs.messages, Lines(2, "Die Ergebnisdaten sind ungültig."));
    EXPECT_EQ(G_V, NamedCells(2, 5));
    EXPECT_EQ(G_S, NamedCells(2, 5));
}

TEST(ResultFile, MachineOrderAndGridsComeBackAsSaved) {
    OrderPage page;
    page.machine = {"Säge 3", "10", "250", "4,2"};
    page.cb_einheit = 1;
    Btn_ANeuClick(page.order);
    page.order.E_ABez = "Träger";
    page.order.g_hsl.SetCell(1, 0, "5");
    page.order.g_hsl.SetCell(1, 1, "236,22");
    page.order.G_Fixl.SetRowCount(3);
    page.order.G_Fixl.SetCell(2, 1, "40");
    btnNeueFLClick(page.order);
    page.order.g_fixl2.SetCell(1, 0, "2");
    TextGrid G_V = NamedCells(4, 9);
    G_V.SetCell(0, 4, "Łánge");  // no Windows-1252 character: the file is UTF-8
    TextGrid G_S = NamedCells(2, 9);
    ScratchFolder folder;
    std::string file = folder.File("Träger-Säge 3.zke");
    SaveResultFile(page, G_V, G_S, file);
    EXPECT_EQ(page.order.E_ABez, "Träger");  // the result file names no field

    // Loaded into a page in mm whose lists hold no lengths, so the machine brings its inches.
    OrderPage loaded;
    loaded.order.g_fixl3.SetCell(1, 1, "999");
    TextGrid loadedV;
    TextGrid loadedS;
    RecordingDialogs dialogs;
    Lines lines = ReadTextFile(file);
    size_t cursor = 0;
    ReadMachineSection(lines, cursor, loaded, dialogs);
    ReadOrderSection(lines, cursor, loaded, dialogs);
    ReadResultSection(lines, cursor, loadedV, loadedS, dialogs);
    EXPECT_EQ(cursor, lines.size());
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(loaded.cb_einheit, 1);
    EXPECT_EQ(loaded.machine.E_SKB, "4,2");
    EXPECT_EQ(loaded.order.E_ABez, "Träger");
    for (int group = 1; group <= 3; ++group) {
        SetListHeader(page.order.FixList(group), "in.");
        EXPECT_EQ(loaded.order.FixList(group), page.order.FixList(group)) << group;
    }
    EXPECT_TRUE(loaded.order.group2Shown);
    EXPECT_EQ(loadedV, G_V);
    EXPECT_EQ(loadedS, G_S);
}

}  // namespace
}  // namespace zelk
