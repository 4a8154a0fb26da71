// The search's only view of the outside while it runs: whether a stop was asked for, where a new
// best plan is shown, and where a fault of the calculation is reported. The window implements it
// with calls into its own thread, the command line by printing, tests with recorders.
#pragma once

#include <string>

namespace zelk {

class TBearbeitung;

// Why a best plan is shown: the search found a better one, or a pass ended and shows its best
// plan once more.
enum class BestPlanEvent { Improvement, PassFinished };

class SearchHost {
public:
    virtual ~SearchHost() = default;

    // Polled at every node of the search; the flag behind it belongs to the caller.
    virtual bool StopRequested() = 0;

    // The plan may be read only during the call.
    virtual void ShowBestPlan(const TBearbeitung& plan, BestPlanEvent event) = 0;

    virtual void ShowCalcError(const std::string& text) = 0;
};

}  // namespace zelk
