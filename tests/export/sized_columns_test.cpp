#include "export/sized_columns.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "export/recording_spreadsheet.h"

namespace zelk {
namespace {

TEST(ColumnWidthFor, CountsCharactersNotBytesUpToTheWidestColumn) {
    EXPECT_EQ(ColumnWidthFor(""), 0);
    EXPECT_EQ(ColumnWidthFor("2x"), 4);
    EXPECT_EQ(ColumnWidthFor("Sägeplan"), 10);
    EXPECT_EQ(ColumnWidthFor(std::string(300, 'a')), 255);
}

TEST(SizedColumns, ColumnsOnlyGrowAndEmptyTextsLeaveThemUnsized) {
    std::vector<std::string> log;
    RecordingSpreadsheet sheet(log);
    SizedColumns columns(sheet);
    columns.Write(1, 1, "Ablage 10");
    columns.Write(2, 1, "5");
    columns.Write(1, 2, "");
    EXPECT_EQ(sheet.sheets[0].columnWidths, (std::map<int, int>{{1, 11}}));
    EXPECT_EQ(sheet.Text(0, 1, 1), "Ablage 10");
    EXPECT_EQ(sheet.Text(0, 2, 1), "5");
}

}  // namespace
}  // namespace zelk
