// A search host for the tests: records what the calculation shows and can stop it or fail at a
// chosen moment. Safe to use from the calculation's own thread.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "engine/bearbeitung.h"
#include "engine/search_host.h"
#include "job_builder.h"

namespace zelk::test {

struct Shown {
    BestPlanEvent event;
    std::vector<std::string> bars;
    bool fulfilled;
    long double usedLength;
    int64_t candidatesSoFar;  // candidates generated when the plan was shown
};

class RecordingHost : public SearchHost {
public:
    bool StopRequested() override { return stop.load(); }

    void ShowBestPlan(const TBearbeitung& plan, BestPlanEvent event) override {
        {
            std::lock_guard lock(mutex_);
            shown_.push_back({event, Describe(plan.Bars, plan.Job().FixKinds), plan.Fulfilled,
                              plan.UsedLength, plan.Context().counters.Candidates});
        }
        if (onShow) {
            onShow(event);
        }
    }

    void ShowCalcError(const std::string& text) override {
        std::lock_guard lock(mutex_);
        errors_.push_back(text);
    }

    std::vector<Shown> shown() const {
        std::lock_guard lock(mutex_);
        return shown_;
    }
    std::vector<std::string> errors() const {
        std::lock_guard lock(mutex_);
        return errors_;
    }

    std::atomic<bool> stop{false};
    std::function<void(BestPlanEvent)> onShow;  // runs after recording, may throw

private:
    mutable std::mutex mutex_;
    std::vector<Shown> shown_;
    std::vector<std::string> errors_;
};

}  // namespace zelk::test
