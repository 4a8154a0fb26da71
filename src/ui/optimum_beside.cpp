#include "ui/optimum_beside.h"

#include <QSettings>

#include "base/translate.h"
#include "optimum/bound_text.h"
#include "optimum/optimum_stage.h"
#include "optimum/plan_arrangement.h"
#include "ui/main_window.h"

namespace zelk {

namespace {

constexpr const char* kOption = "OptimumSuchen";
constexpr int kRowHeight = 18;

}  // namespace

// The stage's view of the window: the window's stop, and blocking calls into the window's thread.
class OptimumBeside::Host : public OptimumHost {
public:
    explicit Host(OptimumBeside& beside) : beside_(beside) {}

    bool StopRequested() override {
        return beside_.quit_.load() || beside_.window_.StopRequested.load();
    }

    void ShowBound(const LowerBound& bound) override {
        beside_.boundToShow_ = bound;
        beside_.CallWindow("ShowBound");
    }

    void ShowOptimumPlan(const std::vector<TStab>& entries, bool) override {
        beside_.planToShow_ = entries;
        beside_.CallWindow("ShowStagePlan");
    }

private:
    OptimumBeside& beside_;
};

OptimumBeside::OptimumBeside(TMainform& window) : QObject(&window), window_(window) {
    Layout();
    QSettings settings("Quendra", "Zelk");
    settings.beginGroup("Options");
    cb_optimum->setChecked(settings.value(kOption, "1").toString() != "0");
    connect(cb_optimum, &QCheckBox::toggled, this, [](bool checked) {
        QSettings options("Quendra", "Zelk");
        options.beginGroup("Options");
        options.setValue(kOption, checked ? "1" : "0");
    });
}

OptimumBeside::~OptimumBeside() {
    quit_.store(true);
    if (stage_.joinable()) {
        stage_.join();
    }
}

// A row below the panel's controls: the check box at the left, the bound and the gap under the
// Info-Box.
void OptimumBeside::Layout() {
    QWidget* panel = window_.InfoBox->parentWidget();
    const int top = panel->height();
    panel->setFixedHeight(top + 3 * kRowHeight + 4);
    cb_optimum = new QCheckBox(QString::fromUtf8(TranslatedLater("Optimum suchen")), panel);
    cb_optimum->setObjectName("cb_optimum");
    cb_optimum->setGeometry(8, top + 2, 200, 22);
    const QRect info = window_.InfoBox->geometry();
    L_UntergrenzeCaption =
        new QLabel(QString::fromUtf8(TranslatedLater("Untergrenze Verbrauch LL")), panel);
    L_UntergrenzeCaption->setObjectName("L_UntergrenzeCaption");
    const int captionWidth = info.width() * 3 / 5;  // room for the caption in every language
    L_UntergrenzeCaption->setGeometry(info.x() + 6, top, captionWidth, kRowHeight);
    L_Untergrenze = new QLabel(panel);
    L_Untergrenze->setObjectName("L_Untergrenze");
    L_Untergrenze->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    L_Untergrenze->setGeometry(info.x() + 6 + captionWidth, top, info.width() - 12 - captionWidth,
                               kRowHeight);
    L_Abstand = new QLabel(panel);
    L_Abstand->setObjectName("L_Abstand");
    L_Abstand->setGeometry(info.x() + 6, top + kRowHeight, info.width() - 12, kRowHeight);
    L_OptimumHinweis = new QLabel(panel);
    L_OptimumHinweis->setObjectName("L_OptimumHinweis");
    L_OptimumHinweis->setGeometry(info.x() + 6, top + 2 * kRowHeight, info.width() - 12,
                                  kRowHeight);
    L_UntergrenzeCaption->hide();
}

void OptimumBeside::Start(const JobTables& job, SelectionLimits limits, bool fromScratch) {
    WaitForStage();
    shown_.reset();
    bound_.reset();
    stageEnd_.clear();
    ShowBoundAndGap();
    if (!fromScratch || !cb_optimum->isChecked()) {
        return;  // the calculation alone, as it always was
    }
    job_ = job;
    limits_ = limits;
    shown_.emplace(window_.job_);
    quit_.store(false);
    stage_ = std::thread([this, run = ++run_] {
        Host host(*this);
        HandOverEnd(run, RunOptimumStage(job_, {limits_}, host));
    });
}

void OptimumBeside::HandOverEnd(int run, const OptimumOutcome& outcome) {
    // Copies of what the window shows, queued to its thread: nothing here is written by both.
    QMetaObject::invokeMethod(
        this,
        [this, run, hasPlan = outcome.plan.has_value(), orderCanBeMet = outcome.bound.orderCanBeMet,
         timedOut = outcome.timedOut, why = outcome.whyNoPlan] {
            if (run == run_ && !window_.closingDown_) {
                stageEnd_ = StageEndText(hasPlan, orderCanBeMet, timedOut, why);
                ShowBoundAndGap();
            }
        },
        Qt::QueuedConnection);
}

bool OptimumBeside::Offer(const TBearbeitung& plan) {
    return !shown_ || shown_->Offer(plan);
}

void OptimumBeside::Shown() {
    if (shown_ && shown_->ProvenOptimal(bound_)) {
        window_.StopRequested.store(true);  // nothing can use less stock
    }
}

void OptimumBeside::ShowBoundAndGap() {
    const bool known = bound_ && window_.job_ == job_;
    L_UntergrenzeCaption->setVisible(known);
    L_Untergrenze->setText(known ? QString::fromStdString(BoundText(
                                       job_, bound_, window_.page_.UnitText() == "mm",
                                       window_.decimalSeparator_, window_.thousandsSeparator_))
                                 : QString());
    L_Abstand->setText(
        known ? QString::fromStdString(ResultGapText(window_.calc_, window_.job_, job_, bound_,
                                                     window_.decimalSeparator_))
              : QString());
    L_OptimumHinweis->setText(window_.job_ == job_ ? QString::fromStdString(stageEnd_) : QString());
}

void OptimumBeside::WaitForStage() {
    if (stage_.joinable()) {
        stage_.join();
    }
}

void OptimumBeside::CallWindow(const char* method) {
    handOff_.fetch_add(1, std::memory_order_release);
    QMetaObject::invokeMethod(this, method, Qt::BlockingQueuedConnection);
    handOff_.load(std::memory_order_acquire);
}

void OptimumBeside::ShowBound() {
    handOff_.load(std::memory_order_acquire);
    if (!window_.closingDown_) {
        bound_ = boundToShow_;
        ShowBoundAndGap();
        Shown();
    }
    handOff_.fetch_add(1, std::memory_order_release);
}

void OptimumBeside::ShowStagePlan() {
    handOff_.load(std::memory_order_acquire);
    if (!window_.closingDown_) {
        EngineContext context(window_.job_, limits_);
        std::unique_ptr<TBearbeitung> plan = PlanFromEntries(context, planToShow_);
        window_.ShowFoundPlan(*plan, true);
    }
    handOff_.fetch_add(1, std::memory_order_release);
}

}  // namespace zelk
