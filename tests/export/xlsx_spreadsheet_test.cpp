// Writes real workbooks and reads them back with a spreadsheet reader (Python's openpyxl,
// through tests/data/read_xlsx.py).
#include "export/xlsx_spreadsheet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "base/errors.h"
#include "export/recording_spreadsheet.h"
#include "export/saw_plan.h"

namespace zelk {
namespace {

namespace fs = std::filesystem;

// What the reader printed, one fact a line (see read_xlsx.py).
using ReadBack = std::vector<std::string>;

std::vector<std::string> Lines(const std::string& output) {
    std::vector<std::string> lines;
    std::stringstream stream(output);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

// The cells read back from one sheet.
size_t CellCount(const ReadBack& read, const std::string& sheet) {
    return std::count_if(read.begin(), read.end(), [&](const std::string& line) {
        return line.rfind("cell " + sheet + "!", 0) == 0;
    });
}

// The Python interpreter that has openpyxl: ZELK_PYTHON when set, else python3 on the path,
// else the system's own (a python3 of the user's may shadow the one with the system packages).
std::string PythonWithOpenpyxl() {
    std::vector<std::string> candidates;
    if (const char* chosen = std::getenv("ZELK_PYTHON")) {
        candidates.push_back(chosen);
    }
    candidates.push_back("python3");
    candidates.push_back("/usr/bin/python3");
    for (const std::string& python : candidates) {
        std::string probe = "'" + python + "' -c 'import openpyxl' >/dev/null 2>&1";
        if (std::system(probe.c_str()) == 0) {
            return python;
        }
    }
    return "";
}

void ExpectLines(const ReadBack& read, const std::vector<std::string>& expected) {
    for (const std::string& line : expected) {
        EXPECT_NE(std::find(read.begin(), read.end(), line), read.end())
            << "not read back: " << line;
    }
}

class XlsxReadBack : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zelk-xlsx-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        if (!folder_.empty()) {
            fs::remove_all(folder_);
        }
    }

    fs::path File(const std::string& name) const { return folder_ / name; }

    // Saves the workbook and reads it back; a missing reader fails the test.
    ReadBack SaveAndRead(const XlsxSpreadsheet& workbook) {
        fs::path file = File("plan.xlsx");
        workbook.Save(file.string());
        const char* data = std::getenv("ZELK_TEST_DATA");
        if (data == nullptr) {
            ADD_FAILURE() << "ZELK_TEST_DATA must name the folder tests/data";
            return {};
        }
        std::string python = PythonWithOpenpyxl();
        if (python.empty()) {
            ADD_FAILURE() << "python3 with openpyxl is needed (Debian: python3-openpyxl)";
            return {};
        }
        std::string command = "'" + python + "' '" + (fs::path(data) / "read_xlsx.py").string() +
                              "' '" + file.string() + "' 2>&1";
        std::string output;
        FILE* pipe = popen(command.c_str(), "r");
        if (pipe == nullptr) {
            ADD_FAILURE() << "cannot run " << command;
            return {};
        }
        char buffer[4096];
        while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) {
            output.append(buffer, n);
        }
        int status = pclose(pipe);
        if (status != 0) {
            ADD_FAILURE() << "the reader failed:\n" << output;
            return {};
        }
        return Lines(output);
    }

    fs::path folder_;
};

TEST_F(XlsxReadBack, ExportedPlanOpensWithBothSheetsAsWritten) {
    JobTables job;
    job.StockKinds = 1;
    job.StockLength[1] = 600000;
    job.FixKinds = 2;
    job.FixLength[1] = 150;
    job.FixCountOrig[1] = 3;
    job.FixLength[2] = 100000;
    job.FixCountOrig[2] = 10;
    TextGrid G_V(2, 6);
    int col = 0;
    for (const char* text : {"Nr.", "LL 6000", "Max LL", "1,5", "1000", "Rest/LL"}) {
        G_V.SetCell(0, col++, text);
    }
    col = 0;
    for (const char* text : {"2", "3", "4", "2", "1", "12,5"}) {
        G_V.SetCell(1, col++, text);
    }
    TextGrid G_S(2, 6);
    G_S.SetCell(0, 0, "Verplant");
    G_S.SetCell(1, 0, "Rest");
    G_S.SetCell(0, 1, "X");
    std::vector<std::string> log;
    RecordingDialogs dialogs(log);
    XlsxSpreadsheet workbook(',');
    ASSERT_TRUE(ExportSawPlan("Säge 1-Fenster", G_V, G_S, job, 2, ',', workbook, dialogs));

    ReadBack read = SaveAndRead(workbook);
    ExpectLines(
        read,
        {
            "active Sägeplan",
            R"(sheet Optimierung landscape=1 print_gridlines=1 screen_gridlines=1 footer="Seite &P")",
            "print_titles Optimierung rows=$3:$3 cols=$A:$A",
            "width Optimierung!A 10",  // "Verplant"
            "width Optimierung!F 9",   // "Rest/LL"
            R"(cell Optimierung!A1 s "Säge 1-Fenster" bold)",
            R"(cell Optimierung!A3 s "Nr." bold)",
            R"(cell Optimierung!B3 s "LL 6000" bold)",
            "cell Optimierung!D3 n 1.5 bold",  // the fix length header "1,5"
            "cell Optimierung!A4 n 2 bold",
            "cell Optimierung!B4 n 3",
            "cell Optimierung!F4 n 12.5",
            R"(cell Optimierung!A6 s "Verplant" bold)",
            R"(cell Optimierung!B6 s "X")",
            R"(cell Optimierung!A7 s "Rest" bold)",
            R"(sheet Sägeplan landscape=0 print_gridlines=0 screen_gridlines=1 footer="")",
            "print_titles Sägeplan rows=$1:$3 cols=$A:$B",
            "width Sägeplan!A 12",  // "Lagerlänge"
            "width Sägeplan!B 8",   // "Anzahl"
            "width Sägeplan!D 10",  // "Ablage 1"
            "width Sägeplan!E 4",   // "2x"
            R"(cell Sägeplan!A1 s "Säge 1-Fenster" bold)",
            R"(cell Sägeplan!A3 s "Lagerlänge" bold)",
            R"(cell Sägeplan!B3 s "Anzahl" bold)",
            R"(cell Sägeplan!D3 s "Ablage 1" bold)",
            R"(cell Sägeplan!G3 s "Ablage 2" bold)",
            "cell Sägeplan!A4 n 6000",
            R"(cell Sägeplan!B4 s "3x")",
            "cell Sägeplan!D4 n 1.5 fill=FFC7CE",  // 6 pieces of 3 ordered: complete
            R"(cell Sägeplan!E4 s "2x")",
            "cell Sägeplan!G4 n 1000",
            R"(cell Sägeplan!H4 s "1x")",
        });
    ASSERT_GE(read.size(), 2u);
    EXPECT_EQ(read[1].rfind("sheet Optimierung ", 0), 0u) << "the first sheet";
    EXPECT_EQ(CellCount(read, "Optimierung"), 2u * 6 + 3 + 1);
    EXPECT_EQ(CellCount(read, "Sägeplan"), 11u);
    EXPECT_TRUE(std::none_of(read.begin(), read.end(), [](const std::string& line) {
        return line.rfind("width Sägeplan!C ", 0) == 0;
    })) << "the spacer keeps the standard width";
}

TEST_F(XlsxReadBack, SawPlanPagesBreakBetweenBins) {
    // Five bins and no data rows: two bins fit a page beside the stock columns.
    JobTables job;
    TextGrid G_V(1, 3);
    TextGrid G_S(1, 3);
    std::vector<std::string> log;
    RecordingDialogs dialogs(log);
    XlsxSpreadsheet workbook(',');
    ASSERT_TRUE(ExportSawPlan("Säge 1-Fenster", G_V, G_S, job, 5, ',', workbook, dialogs));
    ExpectLines(SaveAndRead(workbook),
                {"page_breaks Optimierung cols=None", "page_breaks Sägeplan cols=I,O"});
}

TEST_F(XlsxReadBack, NumbersOnlyInTheUserFormat) {
    XlsxSpreadsheet comma(',');
    int row = 1;
    for (const char* text : {"6000", "1,5", "-3", "1.500", "1.5", " 5", "3x", "1e3", "X"}) {
        comma.SetCellText(row++, 1, text);
    }
    ExpectLines(SaveAndRead(comma),
                {
                    "cell Tabelle1!A1 n 6000",
                    "cell Tabelle1!A2 n 1.5",
                    "cell Tabelle1!A3 n -3",
                    R"(cell Tabelle1!A4 s "1.500")",  // no thousands separator is taken
                    R"(cell Tabelle1!A5 s "1.5")",
                    R"(cell Tabelle1!A6 s " 5")",
                    R"(cell Tabelle1!A7 s "3x")",
                    R"(cell Tabelle1!A8 s "1e3")",
                    R"(cell Tabelle1!A9 s "X")",
                });

    XlsxSpreadsheet point('.');
    point.SetCellText(1, 1, "1,5");
    point.SetCellText(2, 1, "1.5");
    ExpectLines(SaveAndRead(point), {R"(cell Tabelle1!A1 s "1,5")", "cell Tabelle1!A2 n 1.5"});
}

TEST_F(XlsxReadBack, FormatsOfEmptyAndTwiceMarkedCellsAndTheSheetsApart) {
    XlsxSpreadsheet workbook(',');
    workbook.SetCellText(1, 1, "Kopf");
    workbook.SetBold(1, 1);
    workbook.SetFillColor(1, 1, {255, 199, 206});
    workbook.SetBold(2, 2);             // bold, never written
    workbook.SetCellText(3, 3, "weg");  // written, then emptied
    workbook.SetCellText(3, 3, "");
    workbook.SetFillColor(4, 1, {0, 0, 0});
    workbook.SelectSecondSheet();
    workbook.SetCellText(1, 1, "zwei");
    workbook.RenameActiveSheet("Zweite");

    ReadBack read = SaveAndRead(workbook);
    ExpectLines(read,
                {
                    "active Zweite",
                    R"(sheet Tabelle1 landscape=0 print_gridlines=0 screen_gridlines=1 footer="")",
                    "print_titles Tabelle1 rows=None cols=None",
                    R"(cell Tabelle1!A1 s "Kopf" bold fill=FFC7CE)",
                    "cell Tabelle1!B2 blank bold",
                    "cell Tabelle1!A4 blank fill=000000",
                    R"(cell Zweite!A1 s "zwei")",
                });
    EXPECT_EQ(CellCount(read, "Tabelle1"), 3u);
}

TEST(XlsxSpreadsheet, EmptyCellsOfTheActiveSheet) {
    XlsxSpreadsheet workbook(',');
    workbook.SetCellText(4, 4, "1500");
    workbook.SetBold(5, 5);
    workbook.SetCellText(6, 6, "x");
    workbook.SetCellText(6, 6, "");
    EXPECT_FALSE(workbook.IsCellEmpty(4, 4));
    EXPECT_TRUE(workbook.IsCellEmpty(5, 5));  // a format is no value
    EXPECT_TRUE(workbook.IsCellEmpty(6, 6));
    EXPECT_TRUE(workbook.IsCellEmpty(4, 5));
    workbook.SelectSecondSheet();
    EXPECT_TRUE(workbook.IsCellEmpty(4, 4));
}

// The message of a failed save, with the file named and the library's reason after it.
void ExpectWriteFailure(const XlsxSpreadsheet& workbook, const std::string& path) {
    try {
        workbook.Save(path);
        ADD_FAILURE() << "saved " << path;
    } catch (const RuntimeError& e) {
        std::string prefix = "Die Datei " + path + " kann nicht geschrieben werden: ";
        std::string text = e.what();
        EXPECT_EQ(text.substr(0, prefix.size()), prefix);
        EXPECT_GT(text.size(), prefix.size());
    }
}

TEST_F(XlsxReadBack, FailuresBecomeRuntimeErrorsNamingTheFile) {
    XlsxSpreadsheet workbook(',');
    workbook.SetCellText(1, 1, "A");
    ExpectWriteFailure(workbook, File("fehlt/plan.xlsx").string());

    XlsxSpreadsheet beyondLastColumn(',');
    beyondLastColumn.SetCellText(1, 16385, "zu weit");
    ExpectWriteFailure(beyondLastColumn, File("spalte.xlsx").string());
    XlsxSpreadsheet titlesBeforeFirstRow(',');
    titlesBeforeFirstRow.SetPrintTitleRows(0, 3);
    ExpectWriteFailure(titlesBeforeFirstRow, File("titel.xlsx").string());
    XlsxSpreadsheet breakBeforeFirstColumn(',');
    breakBeforeFirstColumn.SetColumnPageBreaks({3, 1});
    ExpectWriteFailure(breakBeforeFirstColumn, File("umbruch.xlsx").string());

    XlsxSpreadsheet sameNames(',');
    sameNames.RenameActiveSheet("Plan");
    sameNames.SelectSecondSheet();
    sameNames.RenameActiveSheet("Plan");
    ExpectWriteFailure(sameNames, File("namen.xlsx").string());

    XlsxSpreadsheet longFooter(',');
    longFooter.SetCenterFooter(std::string(300, 'a'));
    ExpectWriteFailure(longFooter, File("fuss.xlsx").string());
    EXPECT_FALSE(fs::exists(File("spalte.xlsx")));
}

}  // namespace
}  // namespace zelk
