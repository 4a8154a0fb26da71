#include "result/progress_times.h"

#include <algorithm>

#include "base/errors.h"
#include "base/translate.h"

namespace zelk {

std::string FormatDuration(int64_t seconds) {
    seconds = std::max<int64_t>(seconds, 0);
    auto twoDigits = [](int64_t value) {
        std::string digits = std::to_string(value);
        if (value < 10) {
            digits.insert(digits.begin(), '0');
        }
        return digits;
    };
    const int64_t hours = seconds / 3600;
    const int64_t minutes = seconds / 60 % 60;
    const std::string rest = twoDigits(seconds % 60);
    if (hours == 0) {
        return std::to_string(minutes) + ":" + rest;
    }
    return std::to_string(hours) + ":" + twoDigits(minutes) + ":" + rest;
}

std::string ProgressTimesText(int64_t secondsSinceStart,
                              std::optional<int64_t> secondsSinceBetterPlan) {
    if (!secondsSinceBetterPlan) {
        return Insert(Translate("Rechenzeit %s, noch kein Plan"),
                      {FormatDuration(secondsSinceStart)});
    }
    return Insert(Translate("Rechenzeit %s, letzter besserer Plan vor %s"),
                  {FormatDuration(secondsSinceStart), FormatDuration(*secondsSinceBetterPlan)});
}

}  // namespace zelk
