#include "optimum/bound_text.h"

#include <gtest/gtest.h>

namespace zelk {
namespace {

TEST(StageEndText, WhyOnlyWithoutAPlanWhereTheOrderCanBeMetAndATimeOutAlways) {
    const std::string bins = "Keine Reihenfolge der Stäbe kommt mit den Ablagefächern aus.";
    const std::string timeOut = "Die Optimumsuche hat ihre Zeitgrenze erreicht.";
    EXPECT_EQ(StageEndText(false, true, false, bins), bins);
    EXPECT_EQ(StageEndText(false, true, true, timeOut), timeOut);
    // A plan, or stock that cannot meet the order (the bound's line says so): nothing to add.
    EXPECT_EQ(StageEndText(true, true, false, ""), "");
    EXPECT_EQ(StageEndText(false, false, false, "Der Lagerbestand reicht nicht."), "");
    // A plan found before the safety net fired: the time-out is still said.
    EXPECT_EQ(StageEndText(true, true, true, ""), timeOut);
}

}  // namespace
}  // namespace zelk
