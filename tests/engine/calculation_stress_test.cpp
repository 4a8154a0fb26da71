// The calculation stopped from another thread again and again, at moments chosen at random, and
// stopped while it is inside an improvement report. Meant to run under the thread and address
// sanitizers too: any race, leak or crash there is a failure of these tests.
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <random>
#include <thread>

#include "engine/calculation.h"
#include "job_builder.h"
#include "search_host_recorder.h"

namespace zelk {
namespace {

using test::RecordingHost;
using test::Shown;

// Enough work that the search is busy for a while even at the smallest depth.
JobTables BusyJob() {
    std::vector<test::Amount> fix;
    for (int k = 0; k < 12; ++k) {
        fix.push_back({3 + k % 4, 145000 - 9000 * k});
    }
    return test::BuildJob({{40, 600000}, {40, 650000}}, fix);
}

// What every ended run must have shown: no fault, and when it showed plans at all, the last one
// is the best plan shown once more at the end of a pass, equal to the best improvement before it.
void ExpectCleanEnd(const RecordingHost& host) {
    EXPECT_TRUE(host.errors().empty());
    const std::vector<Shown> shown = host.shown();
    if (shown.empty()) {
        return;
    }
    EXPECT_EQ(shown.back().event, BestPlanEvent::PassFinished);
    for (auto plan = shown.rbegin(); plan != shown.rend(); ++plan) {
        if (plan->event == BestPlanEvent::Improvement) {
            EXPECT_EQ(plan->bars, shown.back().bars);
            break;
        }
    }
}

TEST(CalculationUnderStress, TwoHundredStopsAtRandomMomentsEndEveryRunCleanly) {
    const JobTables job = BusyJob();
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> waitMicroseconds(0, 3000);
    int stoppedEarly = 0;
    for (int cycle = 0; cycle < 200; ++cycle) {
        SCOPED_TRACE(cycle);
        EngineContext context(job);
        RecordingHost host;
        std::atomic<bool> finished{false};
        std::thread calculation([&] {
            RunCalculation(std::make_unique<TBearbeitung>(context), true, SearchBudget(0),
                           LimitsFromChoices(11, 11), host);
            finished = true;
        });
        std::this_thread::sleep_for(std::chrono::microseconds(waitMicroseconds(random)));
        stoppedEarly += !finished;
        host.stop = true;
        calculation.join();
        ExpectCleanEnd(host);
    }
    // The stops must have met running searches, or this test tested nothing.
    EXPECT_GT(stoppedEarly, 150);
}

TEST(CalculationUnderStress, AStopDuringAnImprovementReportEndsBothPasses) {
    const JobTables job = BusyJob();
    EngineContext context(job);
    RecordingHost host;
    std::mutex mutex;
    std::condition_variable changed;
    bool reporting = false;
    // The first improvement report waits inside the host until the other thread has asked for
    // the stop, as a window busy showing the plan would.
    host.onShow = [&](BestPlanEvent event) {
        std::unique_lock lock(mutex);
        if (event != BestPlanEvent::Improvement || host.stop) {
            return;
        }
        reporting = true;
        changed.notify_all();
        changed.wait(lock, [&] { return host.stop.load(); });
    };
    std::thread calculation([&] {
        RunCalculation(std::make_unique<TBearbeitung>(context), true, SearchBudget(4),
                       LimitsFromChoices(11, 11), host);
    });
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return reporting; });
        host.stop = true;
        changed.notify_all();
    }
    calculation.join();

    const std::vector<Shown> shown = host.shown();
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown.front().event, BestPlanEvent::Improvement);
    // Only the end of the two passes follows: no further improvement after the stop.
    for (std::size_t i = 1; i < shown.size(); ++i) {
        EXPECT_EQ(shown[i].event, BestPlanEvent::PassFinished) << i;
        EXPECT_EQ(shown[i].bars, shown.front().bars) << i;
    }
    EXPECT_LE(shown.size(), 3u);
    EXPECT_TRUE(host.errors().empty());
}

}  // namespace
}  // namespace zelk
