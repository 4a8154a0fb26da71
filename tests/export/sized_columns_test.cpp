#include "export/sized_columns.h"

#include <gtest/gtest.h>

#include <string>

namespace zelk {
namespace {

TEST(ColumnWidthFor, CountsCharactersNotBytesUpToTheWidestColumn) {
    EXPECT_EQ(ColumnWidthFor(""), 0);
    EXPECT_EQ(ColumnWidthFor("2x"), 4);
    EXPECT_EQ(ColumnWidthFor("Sägeplan"), 10);
    EXPECT_EQ(ColumnWidthFor(std::string(300, 'a')), 255);
}

}  // namespace
}  // namespace zelk
