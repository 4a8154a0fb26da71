#include "result/progress_times.h"

#include <gtest/gtest.h>

namespace zelk {
namespace {

TEST(ProgressTimes, MinutesAndSecondsThenHours) {
    EXPECT_EQ(FormatDuration(0), "0:00");
    EXPECT_EQ(FormatDuration(59), "0:59");
    EXPECT_EQ(FormatDuration(754), "12:34");
    EXPECT_EQ(FormatDuration(3599), "59:59");
    EXPECT_EQ(FormatDuration(3725), "1:02:05");
    EXPECT_EQ(FormatDuration(100 * 3600), "100:00:00");
    EXPECT_EQ(FormatDuration(-3), "0:00");  // a clock that went back shows no negative time
}

TEST(ProgressTimes, SinceStartAndSinceTheLastBetterPlan) {
    EXPECT_EQ(ProgressTimesText(5, std::nullopt), "Rechenzeit 0:05, noch kein Plan");
    EXPECT_EQ(ProgressTimesText(754, 190), "Rechenzeit 12:34, letzter besserer Plan vor 3:10");
}

}  // namespace
}  // namespace zelk
