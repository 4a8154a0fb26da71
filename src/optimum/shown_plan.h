// The plan the user sees when the search and the optimum stage run side by side: whichever
// offers a plan that the plan ordering judges better than the one shown. Each keeps its own best;
// only the display is shared. Not locked: the caller lets one offer in at a time.
#pragma once

#include <memory>
#include <optional>

#include "engine/bearbeitung.h"
#include "optimum/lower_bound.h"

namespace zelk {

class ShownPlan {
public:
    explicit ShownPlan(const JobTables& job) : context_(job) {}

    // Takes a copy of plan and returns true when it beats the plan shown.
    bool Offer(const TBearbeitung& plan);

    const TBearbeitung* Current() const { return current_.get(); }

    // The shown plan meets the order with exactly the usable length of the bound: no plan can
    // use less stock.
    bool ProvenOptimal(const std::optional<LowerBound>& bound) const;

private:
    EngineContext context_;
    std::unique_ptr<TBearbeitung> current_;
};

}  // namespace zelk
