// The times shown beside the progress bar while a calculation runs: how long it has been running
// and how long ago it found its last better plan, so that the user can judge when to stop it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zelk {

// Whole seconds as "m:ss", from an hour on as "h:mm:ss": 754 -> "12:34", 3725 -> "1:02:05".
std::string FormatDuration(int64_t seconds);

// "Rechenzeit 12:34, letzter besserer Plan vor 3:10", or "Rechenzeit 0:05, noch kein Plan"
// before the first plan; translated.
std::string ProgressTimesText(int64_t secondsSinceStart,
                              std::optional<int64_t> secondsSinceBetterPlan);

}  // namespace zelk
