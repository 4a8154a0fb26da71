#include "optimum/shown_plan.h"

#include "optimum/plan_arrangement.h"

namespace zelk {

bool ShownPlan::Offer(const TBearbeitung& plan) {
    if (!IsBetterPlan(plan, current_.get())) {
        return false;
    }
    std::vector<TStab> entries;
    for (const std::unique_ptr<TStab>& bar : plan.Bars) {
        entries.push_back(*bar);
    }
    current_ = PlanFromEntries(context_, entries);
    return true;
}

bool ShownPlan::ProvenOptimal(const std::optional<LowerBound>& bound) const {
    return current_ && bound && bound->usedLength && current_->Fulfilled &&
           current_->UsedLength == *bound->usedLength;
}

}  // namespace zelk
