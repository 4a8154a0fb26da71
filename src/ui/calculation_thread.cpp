#include "ui/calculation_thread.h"

#include "engine/calculation.h"
#include "ui/main_window.h"
#include "ui/optimum_beside.h"

namespace zelk {

// The search's view of the window: every report is a blocking call into the window's thread.
class WindowSearchHost : public SearchHost {
public:
    explicit WindowSearchHost(TMainform& window) : window_(window) {}

    bool StopRequested() override { return window_.StopRequested.load(); }

    void ShowBestPlan(const TBearbeitung& plan, BestPlanEvent event) override {
        window_.PlanToShow = &plan;
        window_.PlanIsBetter = event == BestPlanEvent::Improvement;
        window_.Synchronise("ShowBestPlan");
        window_.PlanToShow = nullptr;
    }

    void ShowCalcError(const std::string& text) override {
        window_.CalcErrorText = text;
        window_.Synchronise("ShowCalcError");
    }

private:
    TMainform& window_;
};

TBerechnungsthread::TBerechnungsthread(TMainform& window, std::unique_ptr<EngineContext> engine,
                                       std::unique_ptr<TBearbeitung> root, bool totalsPending,
                                       int budget, SelectionLimits limits)
    : QThread(&window),
      window_(window),
      engine_(std::move(engine)),
      root_(std::move(root)),
      totalsPending_(totalsPending),
      budget_(budget),
      limits_(limits) {
    setObjectName("Berechnung");  // the thread's name for debuggers
}

void TBerechnungsthread::run() {
    window_.Synchronise("CalcStarted");
    WindowSearchHost host(window_);
    RunCalculation(std::move(root_), totalsPending_, budget_, limits_, host);
    engine_.reset();  // the plans of the run are freed; so is their job context
    // The optimum beside the search ends with the run.
    window_.optimum_->WaitForStage();
    window_.Synchronise("CalcFinished");
}

}  // namespace zelk
