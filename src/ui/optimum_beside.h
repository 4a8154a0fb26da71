// The optimum beside the calculation: the check box "Optimum suchen" (kept in the options), the
// lower bound and the gap under the Info-Box, and the optimum stage on a thread of its own while
// the search runs on the calculation thread. A plan of the stage reaches the result grid through
// the window's ShowBestPlan like any better plan; the search keeps its own best plan, and only
// plans that beat the one shown are shown. A shown plan that is proven optimal ends the run.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QObject>
#include <atomic>
#include <optional>
#include <thread>
#include <vector>

#include "engine/stab.h"
#include "optimum/lower_bound.h"
#include "optimum/optimum_stage.h"
#include "optimum/shown_plan.h"

namespace zelk {

class TMainform;

class OptimumBeside : public QObject {
    Q_OBJECT

public:
    // Adds the check box and the labels to the window's bottom panel.
    explicit OptimumBeside(TMainform& window);
    ~OptimumBeside() override;

    // When a calculation starts: with the box checked, the stage starts beside a calculation
    // from scratch (not beside one that goes on from the rows of expert mode).
    void Start(const JobTables& job, SelectionLimits limits, bool fromScratch);
    // From the window's ShowBestPlan: whether the plan is to be shown (always while no stage
    // runs beside the calculation).
    bool Offer(const TBearbeitung& plan);
    // After a plan was shown: the end of the run when the plan is proven optimal.
    void Shown();
    // Wherever the window refreshes the plan's statistics: the bound, the gap of the plan as it
    // now stands and the stage's last word, while the window holds the job they are for.
    void ShowBoundAndGap();
    // From the calculation thread when its search has ended: waits for the stage to end too.
    void WaitForStage();

    QCheckBox* cb_optimum = nullptr;
    QLabel* L_UntergrenzeCaption = nullptr;
    QLabel* L_Untergrenze = nullptr;
    QLabel* L_Abstand = nullptr;
    QLabel* L_OptimumHinweis = nullptr;  // why the stage has no plan, or that it timed out

    // Called from the stage's thread through blocking queued calls.
    Q_INVOKABLE void ShowBound();
    Q_INVOKABLE void ShowStagePlan();

private:
    class Host;

    void Layout();
    // From the stage's thread when the stage has ended: its outcome to the window's thread.
    void HandOverEnd(int run, const OptimumOutcome& outcome);
    // From the stage's thread: runs the method in the window's thread and waits for it.
    void CallWindow(const char* method);

    TMainform& window_;
    std::thread stage_;
    std::atomic<bool> quit_{false};
    std::optional<ShownPlan> shown_;  // while a stage runs or ran beside the last calculation
    std::optional<LowerBound> bound_;
    JobTables job_;  // the stage's own copy of the job, the job of the bound
    int run_ = 0;    // counts the stages started, so that a late word of an earlier one is dropped
    std::string stageEnd_;
    SelectionLimits limits_;
    // Handed from the stage's thread to the window's during a blocking call; the counter orders
    // the writes of each side before the other side reads.
    std::optional<LowerBound> boundToShow_;
    std::vector<TStab> planToShow_;
    std::atomic<int> handOff_{0};
};

}  // namespace zelk
