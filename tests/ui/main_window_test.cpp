// The window driven through its widgets: start, page switch, keyboard input of an order, the
// calculation in normal and expert mode, stopping and closing during a run, the remainder order,
// the hand-over to the spreadsheet and the options kept between starts.
#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>

#include "base/errors.h"
#include "base/numbers.h"
#include "engine/calculation.h"
#include "engine/plan_from_grid.h"
#include "export/saw_plan.h"
#include "export/xlsx_spreadsheet.h"
#include "job/read_job.h"
#include "result/grid_cells.h"
#include "result/plan_statistics.h"
#include "result/result_grids.h"
#include "ui/test_registry.h"
#include "ui/window_fixture.h"

namespace zelk::test {

namespace {

std::string Text(const QLabel* label) {
    return label->text().toStdString();
}

// Shows every plan of a calculation in a copy of the calculation page, as the window does.
class PageHost : public SearchHost {
public:
    PageHost(CalculationPage& page, const ResultContext& context)
        : page_(page), context_(context) {}
    bool StopRequested() override { return false; }
    void ShowBestPlan(const TBearbeitung& plan, BestPlanEvent) override {
        ShowPlan(page_, plan, context_);
    }
    void ShowCalcError(const std::string& text) override { errors.push_back(text); }
    std::vector<std::string> errors;

private:
    CalculationPage& page_;
    const ResultContext& context_;
};

// What the core computes for the window's job: the job tables read from the order page, and the
// calculation page after the full search with the window's limits and depth.
struct CoreRun {
    explicit CoreRun(TMainform& w) : page(w.Page()), calc(w.Calculation()), boxes(nullptr) {
        boxes.AnswerWithoutBoxes();
        std::string caption;
        try {
            ReadJob(page, w.DecimalSeparator(), boxes, job, caption);
        } catch (const Abort&) {
            // the message is in boxes.shown
        }
    }
    ResultContext Context(TMainform& w) {
        return ResultContext{job, page, w.DecimalSeparator(), w.ThousandsSeparator(), boxes};
    }
    SelectionLimits Limits() const {
        return LimitsFromChoices(calc.CB_KBIS.itemIndex, calc.cb_ablageplaetze.itemIndex);
    }

    OrderPage page;
    CalculationPage calc;
    JobTables job;
    MessageBoxes boxes;
};

// Clicks a button that starts the calculation thread and waits until the run has ended.
void CalculateWith(TMainform& w, QAbstractButton* button) {
    WindowFixture::Visibility stop;
    w.Btn_Stop->installEventFilter(&stop);
    button->click();
    QTRY_VERIFY_WITH_TIMEOUT(stop.hidden > 0, 60000);
    w.Btn_Stop->removeEventFilter(&stop);
}

void ExpectSameFigures(TMainform& w, const CalculationPage& expected) {
    QCOMPARE(w.Calculation().G_V, expected.G_V);
    QCOMPARE(w.Calculation().G_S, expected.G_S);
    QCOMPARE(Text(w.L_HLSumme), expected.L_HLSumme);
    QCOMPARE(Text(w.L_FIXLSumme), expected.L_FIXLSumme);
    QCOMPARE(Text(w.L_LagerRest), expected.L_LagerRest);
    QCOMPARE(Text(w.L_Maschrest), expected.L_Maschrest);
    QCOMPARE(Text(w.L_Rest), expected.L_Rest);
}

int AssignedRows(TMainform& w) {
    int rows = 0;
    const TextGrid& G_V = w.Calculation().G_V;
    for (int row = 1; row < G_V.RowCount(); ++row) {
        rows += IsAssignedRow(G_V, row, w.Job().StockKinds);
    }
    return rows;
}

// The pixel colour in a cell's lower right corner, away from its text.
QColor CellPixel(StringGrid* grid, int row, int col) {
    QRect rect = grid->visualRect(grid->GridModel()->index(row, col));
    QImage image = grid->viewport()->grab().toImage();
    return image.pixelColor(rect.right() - 3, rect.bottom() - 3);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QSettings("Quendra", "Zelk").clear(); }

    void FirstStartShowsAnEmptyOrder() {
        WindowFixture f;
        TMainform& w = f.W();
        QCOMPARE(w.windowTitle(), QString::fromUtf8("ZELK Schnittlängenoptimierung V2.7"));
        QVERIFY(w.AP_Auftragsdaten->isVisible());
        QVERIFY(!w.AP_Bearbeitung->isVisible());
        QVERIFY(w.a_auftragsdaten->isChecked() && !w.a_berechnung->isChecked());
        QCOMPARE(QSettings("Quendra", "Zelk").value("Options/Expertenmodus"), QVariant("0"));
        QVERIFY(!w.cb_experte->isChecked());
        QVERIFY(w.OptBtn->isHidden() && w.Btn_Rest->isHidden() && w.Btn_Stop->isHidden());
        QCOMPARE(w.Btn_Komb->text(), QString("Optimierung starten"));
        QCOMPARE(w.cb_rechentiefe->currentText(), QString("XL"));
        QCOMPARE(w.cb_einheit->currentText(), QString("mm"));
        QCOMPARE(w.E_ABez->text(), QString());
        QCOMPARE(w.EToleranz->text(), QString("0"));
        QCOMPARE(w.E_WastToStock->text(), QString("0"));
        for (StringGrid* list : {w.g_hsl, w.G_Fixl, w.g_fixl2, w.g_fixl3}) {
            QCOMPARE(list->Grid().RowCount(), 2);
            QCOMPARE(list->GridModel()->index(0, 1).data().toString(),
                     QString::fromUtf8("Länge mm"));
        }
        QVERIFY(w.g_fixl2->isHidden() && w.e_fixbez->isHidden() && w.btnNeueFL->isVisible());
        QCOMPARE(w.btnNeueFL->x(), w.g_fixl2->x());
        const TextGrid& G_V = w.Calculation().G_V;
        QCOMPARE(G_V.Row(0), (std::vector<std::string>{"Nr.", "Max LL", "Rest/LL"}));
        QCOMPARE(w.Calculation().G_S.Cell(1, 0), std::string("Rest"));
        QVERIFY(QFileInfo(w.Folders().DataDirectory()).isDir());
        QVERIFY(f.Shown().empty());
    }

    void ControlsNeitherOverlapNorClipTheirCaptions_data() {
        QTest::addColumn<bool>("english");
        QTest::newRow("German") << false;
        QTest::newRow("English") << true;
    }

    void ControlsNeitherOverlapNorClipTheirCaptions() {
        QFETCH(bool, english);
        WindowFixture f;
        TMainform& w = f.W();
        if (english) {
            QTest::mouseClick(w.ImageEN, Qt::LeftButton);
            QCOMPARE(w.Btn_MNeu->text(), QString("New machine"));
        }
        w.cb_experte->click();  // every button of the bottom panel at once, as during a run
        w.Btn_Stop->show();
        w.Btn_RestAlsNeuenAuftrag->show();
        w.s_rand->show();
        w.pages->setCurrentWidget(w.AP_Bearbeitung);  // lays out the header strip
        QApplication::processEvents();
        for (QWidget* area : {w.AP_Auftragsdaten, w.Btn_Komb->parentWidget()}) {
            std::vector<QWidget*> shown;
            for (QWidget* child : area->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (!child->isHidden() && child->objectName() != "s_PG") {
                    shown.push_back(child);
                }
            }
            for (size_t i = 0; i < shown.size(); ++i) {
                for (size_t j = i + 1; j < shown.size(); ++j) {
                    QVERIFY2(!shown[i]->geometry().intersects(shown[j]->geometry()),
                             qPrintable(shown[i]->objectName() + " / " + shown[j]->objectName() +
                                        " " + shown[i]->metaObject()->className() + " " +
                                        shown[i]->property("text").toString()));
                }
            }
        }
        for (QPushButton* button : w.findChildren<QPushButton*>()) {
            const int gap = button->text().isEmpty() ? 0 : 4;  // between picture and caption
            const int needed = button->fontMetrics().horizontalAdvance(button->text()) +
                               (button->icon().isNull() ? 0 : button->iconSize().width() + gap);
            QVERIFY2(needed + 8 <= button->width(),
                     qPrintable(button->objectName() + " " + QString::number(needed)));
        }
        w.Btn_Stop->hide();
    }

    void HelpOpensTheDocumentOrSaysItIsMissing() {
        WindowFixture f;
        f.W().a_Hilfe->trigger();
        QCOMPARE(f.Shown(), std::vector<std::string>{"Die Hilfedatei ist nicht installiert!"});
        QFile help(f.folder.filePath("anleitung.pdf"));
        QVERIFY(help.open(QIODevice::WriteOnly));
        help.close();
        f.W().a_Hilfe->trigger();
        QCOMPARE(f.Shown().size(), size_t(1));
        QCOMPARE(f.opened.size(), size_t(1));
        QCOMPARE(f.opened[0].toLocalFile(), help.fileName());

        f.openSucceeds = false;  // no viewer for the manual: the user learns where it is
        f.W().a_Hilfe->trigger();
        QCOMPARE(f.Shown().size(), size_t(2));
        QCOMPARE(f.Shown().back(), "Das Handbuch konnte nicht geöffnet werden. Es liegt unter:\n" +
                                       QDir::toNativeSeparators(help.fileName()).toStdString());
    }

    void GroupsAndUnitFollowTheButtons() {
        WindowFixture f;
        TMainform& w = f.W();
        w.btnNeueFL->click();
        QVERIFY(w.g_fixl2->isVisible() && w.e_fixbez->isVisible());
        QCOMPARE(w.e_fixbez->text(), QString("1"));
        QCOMPARE(w.e_fixbez2->text(), QString("2"));
        QCOMPARE(w.btnNeueFL->x(), w.g_fixl3->x());
        w.btnNeueFL->click();
        QVERIFY(w.g_fixl3->isVisible() && w.btnNeueFL->isHidden());

        w.cb_einheit->setFocus();
        f.Key(Qt::Key_Down);  // selects "in."
        QCOMPARE(w.cb_einheit->currentText(), QString("in."));
        for (QLabel* label : {w.Label6, w.Label7, w.Label14, w.Label25}) {
            QCOMPARE(label->text(), QString("in."));
        }
        QCOMPARE(w.g_fixl3->GridModel()->index(0, 1).data().toString(),
                 QString::fromUtf8("Länge in."));

        w.Btn_ANeu->click();
        QVERIFY(w.g_fixl2->isHidden() && w.g_fixl3->isHidden() && w.btnNeueFL->isVisible());
        QCOMPARE(w.e_fixbez2->text(), QString());
    }

    void CalculationWithInvalidInputShowsTheMessageOnItsPage() {
        WindowFixture f;
        TMainform& w = f.W();
        CoreRun core(w);  // the message the core gives for this input
        QCOMPARE(core.boxes.shown.size(), size_t(1));
        w.a_berechnung->trigger();
        QVERIFY(w.AP_Bearbeitung->isVisible());
        QVERIFY(w.a_berechnung->isChecked() && !w.a_auftragsdaten->isChecked());
        QCOMPARE(f.Shown(), core.boxes.shown);
        QCOMPARE(w.CB_KBIS->count(), 0);
        QCOMPARE(w.cb_ablageplaetze->count(), 0);
        QCOMPARE(w.L_HLSumme->text(), QString());
    }

    void OrderTypedWithTheKeyboard() {
        WindowFixture f;
        TMainform& w = f.W();
        w.g_hsl->setFocus();
        QCOMPARE(w.g_hsl->CursorRow(), 1);
        f.Type("3");
        f.Key(Qt::Key_Tab);
        f.Type("10");
        f.Key(Qt::Key_Tab);  // a new row for the next length
        QCOMPARE(w.g_hsl->Grid().RowCount(), 3);
        QCOMPARE(w.g_hsl->CursorRow(), 2);
        f.Key(Qt::Key_Tab);
        f.Key(Qt::Key_Tab);  // an empty last row hands the focus on to the fix list
        QTRY_VERIFY(w.G_Fixl->hasFocus() || w.G_Fixl->isAncestorOf(QApplication::focusWidget()));
        QCOMPARE(w.g_hsl->Grid().RowCount(), 2);  // leaving the list removed its empty rows

        const std::vector<std::pair<QString, QString>> rows = {{"3", "3"}, {"2", "6"}, {"5", "1"}};
        for (const auto& [count, length] : rows) {
            f.Type(count);
            f.Key(Qt::Key_Tab);
            f.Type(length);
            f.Key(Qt::Key_Tab);
        }
        f.Key(Qt::Key_Backtab, Qt::ShiftModifier);  // back to the length above
        QCOMPARE(w.G_Fixl->CursorRow(), 3);
        QCOMPARE(w.G_Fixl->CursorCol(), 1);
        f.Key(Qt::Key_Tab);
        f.Key(Qt::Key_Tab);
        f.Key(Qt::Key_Tab);
        QTRY_VERIFY(w.E_WastToStock->hasFocus());
        const TextGrid& fix = w.Page().order.G_Fixl;
        QCOMPARE(fix.RowCount(), 4);
        QCOMPARE(fix.Row(1), (std::vector<std::string>{"2", "6"}));
        QCOMPARE(fix.Row(2), (std::vector<std::string>{"3", "3"}));
        QCOMPARE(fix.Row(3), (std::vector<std::string>{"5", "1"}));
        QCOMPARE(w.Page().order.g_hsl.Row(1), (std::vector<std::string>{"3", "10"}));

        // Another window in between, such as a spreadsheet program: coming back is no new entry
        // into the list, so the cursor stays where the user left it.
        w.G_Fixl->setFocus();
        w.G_Fixl->SetCursor(2, 1);
        QLineEdit elsewhere;
        elsewhere.show();
        elsewhere.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&elsewhere));
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTRY_VERIFY(w.G_Fixl->isAncestorOf(QApplication::focusWidget()) || w.G_Fixl->hasFocus());
        QCOMPARE(w.G_Fixl->CursorRow(), 2);
        QCOMPARE(w.G_Fixl->CursorCol(), 1);
    }

    void LeavingAListWithABadLengthShowsTheConversionError() {
        WindowFixture f;
        TMainform& w = f.W();
        w.G_Fixl->setFocus();
        f.Type("1");
        f.Key(Qt::Key_Tab);
        f.Type("12mm");
        f.Key(Qt::Key_Tab);
        f.Type("2");
        f.Key(Qt::Key_Tab);
        f.Type("5");
        w.E_ABez->setFocus();
        QTRY_COMPARE(f.Shown().size(), size_t(1));
        QVERIFY(f.Shown()[0].find("12mm") != std::string::npos);
    }

    void NormalCalculationShowsTheCoresPlan() {
        WindowFixture f;
        TMainform& w = f.W();
        f.LoadJob(BenchJob("example.zkm"), BenchJob("example.zka"));
        w.a_berechnung->trigger();
        QVERIFY(f.Shown().empty());
        WindowFixture::Visibility stop, block;
        w.Btn_Stop->installEventFilter(&stop);
        w.s_PG->installEventFilter(&block);
        w.Btn_Komb->click();
        WaitUntilIdle(w);
        QTRY_COMPARE(stop.hidden, 1);
        QCOMPARE(stop.shown, 1);
        QCOMPARE(block.shown, 1);
        QCOMPARE(block.hidden, 1);
        QVERIFY(w.CB_KBIS->isEnabled() && w.cb_ablageplaetze->isEnabled());
        QVERIFY(AssignedRows(w) > 0);

        CoreRun core(w);
        const ResultContext context = core.Context(w);
        PageHost host(core.calc, context);
        EngineContext engine(core.job, core.Limits());
        RunCalculation(std::make_unique<TBearbeitung>(engine), true,
                       SearchBudget(w.cb_rechentiefe->currentIndex()), core.Limits(), host);
        ExpectSameFigures(w, core.calc);
        QVERIFY(w.L_AuftragNichtErfuellt->isHidden());
        QVERIFY(f.Shown().empty());

        // The cells are painted in the colours of the rules: a count spring green, Max LL yellow.
        const int stockKinds = w.Job().StockKinds;
        int row = 1;
        while (!IsAssignedRow(w.Calculation().G_V, row, stockKinds)) {
            ++row;
        }
        QCOMPARE(CellPixel(w.G_V, row, stockKinds + 1), QColor(255, 230, 0));
        QCOMPARE(CellPixel(w.G_V, row, 1), QColor(0, 255, 191));
        QCOMPARE(CellPixel(w.G_S, 1, stockKinds + 1 + 1), QColor(0, 255, 191));
    }

    void StopEndsTheRunWithTheBestPlan() {
        WindowFixture f;
        TMainform& w = f.W();
        f.PrepareSawShopJob();
        w.Btn_Komb->click();
        QTRY_VERIFY(!w.Btn_Stop->isHidden());
        // Beside the bar: the time since the start, then also since the last better plan.
        QVERIFY(w.L_Zeiten->isVisible());
        QVERIFY(w.L_Zeiten->text().startsWith("Rechenzeit 0:0"));
        QTRY_VERIFY_WITH_TIMEOUT(w.L_Zeiten->text().contains("letzter besserer Plan vor 0:0"),
                                 60000);
        QVERIFY(!w.CB_KBIS->isEnabled() && !w.cb_ablageplaetze->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(AssignedRows(w) > 0, 30000);

        // While it runs, the block slides inside its frame and starting again does nothing.
        QTRY_VERIFY(w.s_PG->x() > 10);
        QVERIFY(w.s_PG->x() + w.s_PG->width() <= 520 + 3);
        const std::string caption = w.Calculation().LBerechName;
        w.E_ABez->setText("anders");
        w.Btn_Komb->click();
        w.a_berechnung->trigger();
        QCOMPARE(w.Calculation().LBerechName, caption);

        w.Btn_Stop->click();
        WaitUntilIdle(w, 30000);
        QVERIFY(w.s_PG->isHidden() && w.s_rand->isHidden() && w.L_Zeiten->isHidden());
        QVERIFY(w.CB_KBIS->isEnabled());
        QVERIFY(AssignedRows(w) > 0);
        QVERIFY(f.Shown().empty());
    }

    void ClosingDuringARunAsksFirst() {
        WindowFixture f;
        TMainform& w = f.W();
        f.PrepareSawShopJob();
        w.Btn_Komb->click();
        QTRY_VERIFY(!w.Btn_Stop->isHidden());

        w.Boxes().QueueAnswer(false);  // Cancel: the calculation goes on
        QVERIFY(!w.close());
        QTest::qWait(200);
        QVERIFY(w.isVisible() && !w.Btn_Stop->isHidden());
        // A slow build (sanitizers) may take a while to its first plan.
        QTRY_VERIFY_WITH_TIMEOUT(AssignedRows(w) > 0, 60000);

        w.Boxes().QueueAnswer(true);  // Yes: stop, show the last plan, close
        w.a_beenden->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!w.isVisible(), 30000);
        QVERIFY(w.Btn_Stop->isHidden());
        QVERIFY(AssignedRows(w) > 0);
        const std::string question =
            "Achtung: Die Berechnung läuft noch. Soll der Rechenvorgang abgebrochen werden?";
        QCOMPARE(f.Shown(), (std::vector<std::string>{question, question}));
    }

    void ExpertModeBuildsThePlanRowByRow() {
        WindowFixture f;
        TMainform& w = f.W();
        f.LoadJob(BenchJob("example.zkm"), BenchJob("example.zka"));
        w.a_berechnung->trigger();
        w.cb_experte->click();
        QVERIFY(w.OptBtn->isVisible() && w.Btn_Rest->isVisible());
        QCOMPARE(w.Btn_Komb->text(), QString("Neustart"));

        // "Neustart": the candidates for the first bar, none of them assigned.
        w.Btn_Komb->click();
        QVERIFY(w.Btn_Stop->isHidden());
        CoreRun core(w);
        const int budget = SearchBudget(w.cb_rechentiefe->currentIndex());
        {
            EngineContext engine(core.job, core.Limits());
            TBearbeitung plan(engine);
            plan.UpdateTotals();
            plan.GeneratePatterns(budget);
            plan.FilterCandidates();
            plan.ScoreCandidates();
            plan.SelectCandidates(15);
            ShowPlan(core.calc, plan, core.Context(w));
        }
        ExpectSameFigures(w, core.calc);
        QVERIFY(w.Calculation().G_V.RowCount() > 2);
        QCOMPARE(AssignedRows(w), 0);

        // A count typed into the last candidate row that uses its bar up: its figures follow
        // each keystroke.
        const int restCol = w.Job().StockKinds + w.Job().FixKinds + 2;
        int last = 1;
        while (last + 1 < w.Calculation().G_V.RowCount() &&
               w.Calculation().G_V.Cell(last + 1, restCol) == "0") {
            ++last;
        }
        QVERIFY(last > 1);
        w.G_V->setFocus();
        w.G_V->SetCursor(last, 1);
        f.Type("1");
        QCOMPARE(w.Calculation().G_V.Cell(last, 1), std::string("1"));
        QVERIFY(w.Calculation().ResultEdited);
        core.calc.G_V.SetCell(last, 1, "1");
        RecalcRowRest(core.calc.G_V, last, core.job, w.DecimalSeparator());
        UpdatePlanStatistics(core.calc, core.Context(w));
        ExpectSameFigures(w, core.calc);
        QCOMPARE(w.Calculation().G_S.Cell(0, 1), std::string("1"));

        // Enter re-sorts, since there is a bin per fix length: the assigned row comes first.
        QCOMPARE(w.Calculation().BinCount(), w.Job().FixKinds);
        f.Key(Qt::Key_Return);
        QVERIFY(!w.Calculation().ResultEdited);
        QVERIFY(IsAssignedRow(w.Calculation().G_V, 1, w.Job().StockKinds));
        QCOMPARE(AssignedRows(w), 1);

        // "Rest neu rechnen": the assigned row, then the candidates for what it leaves open.
        w.Btn_Rest->click();
        {
            EngineContext engine(core.job, core.Limits());
            TBearbeitung plan(engine);
            PlanFromGrid(plan, w.Calculation().G_V);
            plan.UpdateTotals();
            plan.GeneratePatterns(budget);
            plan.FilterCandidates();
            plan.ScoreCandidates();
            plan.SelectCandidates(20);
            CalculationPage expected = w.Calculation();
            ShowPlan(expected, plan, core.Context(w));
            ExpectSameFigures(w, expected);
        }
        QCOMPARE(AssignedRows(w), 1);

        // "Optimieren" goes on from the rows: the order is met and the typed row stays in it.
        const std::vector<std::string> typed = w.Calculation().G_V.Row(1);
        CalculateWith(w, w.OptBtn);
        QVERIFY(w.L_AuftragNichtErfuellt->isHidden());
        bool kept = false;
        const TextGrid& G_V = w.Calculation().G_V;
        for (int row = 1; row < G_V.RowCount(); ++row) {
            std::vector<std::string> cells = G_V.Row(row);
            kept = kept || std::equal(cells.begin() + 1, cells.end() - 1, typed.begin() + 1);
        }
        QVERIFY(kept);
        for (int j = 1; j <= w.Job().FixKinds; ++j) {
            QCOMPARE(w.Calculation().G_S.Cell(1, w.Job().StockKinds + 1 + j), std::string("0"));
        }
    }

    void XCellsCannotBeSelectedAndTheSummaryScrollsAlong() {
        WindowFixture f;
        TMainform& w = f.W();
        f.LoadJob(BenchJob("sawshop.zkm"), BenchJob("sawshop.zka"));
        w.a_berechnung->trigger();
        w.cb_experte->click();
        w.Btn_Komb->click();
        const TextGrid& G_V = w.Calculation().G_V;
        int col = 1;
        while (G_V.Cell(1, col) != "X") {
            ++col;
        }
        w.G_V->setFocus();
        w.G_V->SetCursor(1, w.Job().StockKinds + 1);
        const QRect cell = w.G_V->visualRect(w.G_V->GridModel()->index(1, col));
        QTest::mouseClick(w.G_V->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(w.G_V->CursorCol(), w.Job().StockKinds + 1);
        QCOMPARE(G_V.Cell(1, col), std::string("X"));

        // Scrolling the result grid sideways takes the summary grid along.
        QApplication::processEvents();
        const int end = w.G_V->horizontalScrollBar()->maximum();
        QVERIFY(end > 0);
        w.G_V->horizontalScrollBar()->setValue(end);
        QCOMPARE(w.G_S->horizontalScrollBar()->value(), end);
        QCOMPARE(w.G_S->columnAt(1), w.G_V->columnAt(1));

        // The header row and the first column stay in view while the other cells scroll.
        w.G_V->horizontalScrollBar()->setValue(0);
        QApplication::processEvents();
        w.G_V->setFixedHeight(150);  // a few rows in view, so that they scroll far
        QApplication::processEvents();
        const QImage unscrolled = w.G_V->grab().toImage();
        QVERIFY(w.G_V->verticalScrollBar()->maximum() > 5);
        w.G_V->verticalScrollBar()->setValue(w.G_V->verticalScrollBar()->maximum());
        w.G_V->horizontalScrollBar()->setValue(end);
        QApplication::processEvents();
        const QImage scrolled = w.G_V->grab().toImage();
        const QRect view = w.G_V->viewport()->geometry();
        QVERIFY(view.top() >= 15 && view.left() >= 50);  // room for the fixed row and column
        for (QPoint inBand : {QPoint(view.left() - 3, view.top() - 3),      // "Nr."
                              QPoint(view.left() - 3, view.top() + 10),     // a row's number
                              QPoint(view.left() + 40, view.top() - 3)}) {  // a column header
            QCOMPARE(scrolled.pixelColor(inBand), unscrolled.pixelColor(view.left() - 3, 3));
        }
        QVERIFY(w.G_V->rowAt(0) > 5);  // the rows did scroll beneath the header row
    }

    void RemainderOrderAfterAnUnmetPlan() {
        WindowFixture f;
        TMainform& w = f.W();
        f.LoadJob(BenchJob("example.zkm"), BenchJob("example.zka"));
        TextGrid& stock = w.g_hsl->Grid();
        stock.SetCell(1, 0, "1");  // one bar of 10 for 2 x 6, 3 x 3 and 5 x 1
        w.g_hsl->Refresh();
        w.a_berechnung->trigger();
        CalculateWith(w, w.Btn_Komb);
        QVERIFY(w.L_AuftragNichtErfuellt->isVisible());
        QCOMPARE(w.L_AuftragNichtErfuellt->text(), QString::fromUtf8("Auftrag nicht erfüllt!"));
        QVERIFY(w.Btn_RestAlsNeuenAuftrag->isVisible());
        QTest::mouseClick(w.ImageEN, Qt::LeftButton);
        QCOMPARE(w.L_AuftragNichtErfuellt->text(), QString("Order not met!"));
        QTest::mouseClick(w.ImageDE, Qt::LeftButton);

        const TextGrid G_S = w.Calculation().G_S;
        w.Btn_RestAlsNeuenAuftrag->click();
        QVERIFY(w.AP_Auftragsdaten->isVisible());
        QCOMPARE(w.E_ABez->text(), QString("Beispiel Rest"));
        QCOMPARE(w.Page().order.g_hsl.Row(1), (std::vector<std::string>{"", ""}));
        const TextGrid& fix = w.Page().order.G_Fixl;
        int row = 1;
        for (int k = 1; k <= w.Job().FixKinds; ++k) {
            const int missing = IntegerOrZero(G_S.Cell(1, w.Job().StockKinds + 1 + k));
            if (missing > 0) {
                QCOMPARE(fix.Cell(row, 0), std::to_string(missing));
                QCOMPARE(fix.Cell(row, 1), FormatHundredths(w.Job().FixLength[k], '.'));
                ++row;
            }
        }
        QVERIFY(row > 1);
        QCOMPARE(fix.RowCount(), row);
    }

    void HandOverWritesAWorkbookAndSaysWhereWhenNothingOpensIt() {
        WindowFixture f;
        TMainform& w = f.W();
        f.LoadJob(BenchJob("example.zkm"), BenchJob("example.zka"));
        w.a_berechnung->trigger();
        CalculateWith(w, w.Btn_Komb);
        w.cb_ablageplaetze->setCurrentIndex(0);  // one bin only
        w.cb_ablageplaetze->activated(0);
        f.openSucceeds = false;
        w.Btn_Druck->click();

        // The core's export of the same grids: its messages come first, its fault last.
        CoreRun core(w);
        XlsxSpreadsheet sheet(w.DecimalSeparator());
        std::string fault;
        try {
            ExportSawPlan("Beispiel-Beispiel", w.Calculation().G_V, w.Calculation().G_S, core.job,
                          1, w.DecimalSeparator(), sheet, core.boxes);
        } catch (const RuntimeError& error) {
            fault = error.what();
        }
        QCOMPARE(f.opened.size(), size_t(1));
        const QString workbook = w.LastWorkbook();
        QCOMPARE(f.opened[0].toLocalFile(), workbook);
        QCOMPARE(QFileInfo(workbook).fileName(), QString("Beispiel-Beispiel.xlsx"));
        QFile file(workbook);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(2), QByteArray("PK"));
        std::vector<std::string> shown = f.Shown();
        if (!fault.empty()) {
            QCOMPARE(shown.back(), fault);
            shown.pop_back();
        }
        QCOMPARE(shown.back(), "Die Arbeitsmappe konnte nicht geöffnet werden. Sie liegt unter:\n" +
                                   QDir::toNativeSeparators(workbook).toStdString());
        shown.pop_back();
        QCOMPARE(shown, core.boxes.shown);

        // The next hand-over of the run goes to the same folder, beside the first workbook, which
        // may still be open; the folder goes with the program.
        w.Btn_Druck->click();
        const QString second = w.LastWorkbook();
        QCOMPARE(QFileInfo(second).dir(), QFileInfo(workbook).dir());
        QCOMPARE(QFileInfo(second).fileName(), QString("Beispiel-Beispiel (2).xlsx"));
        QVERIFY(QFileInfo::exists(workbook) && QFileInfo::exists(second));
        f.window.reset();
        QVERIFY(!QFileInfo::exists(QFileInfo(workbook).path()));
    }

    void APlanForAnEarlierOrderSaysSoUntilTheNextCalculation() {
        WindowFixture f;
        TMainform& w = f.W();
        f.LoadJob(BenchJob("example.zkm"), BenchJob("example.zka"));
        w.a_berechnung->trigger();
        QVERIFY(w.L_PlanVeraltet->isHidden());
        CalculateWith(w, w.Btn_Komb);
        QVERIFY(w.L_PlanVeraltet->isHidden());

        w.a_auftragsdaten->trigger();
        w.G_Fixl->Grid().SetCell(1, 0, "7");  // another count of the first fix length
        w.G_Fixl->Refresh();
        w.a_berechnung->trigger();
        QVERIFY(w.L_PlanVeraltet->isVisible());
        QTest::mouseClick(w.ImageEN, Qt::LeftButton);
        QCOMPARE(w.L_PlanVeraltet->text(),
                 QString("This plan was computed for an earlier state of the order."));
        QTest::mouseClick(w.ImageDE, Qt::LeftButton);
        CalculateWith(w, w.Btn_Komb);
        QVERIFY(w.L_PlanVeraltet->isHidden());
    }

    void OptionsAreKeptBetweenStarts() {
        WindowFixture f;
        f.W().cb_experte->click();
        f.W().cb_rechentiefe->setCurrentIndex(2);  // "M" is not remembered
        f.Restart();
        QVERIFY(f.W().cb_experte->isChecked());
        QVERIFY(!f.W().OptBtn->isHidden());
        QCOMPARE(f.W().cb_rechentiefe->currentText(), QString("XL"));
        QCOMPARE(QSettings("Quendra", "Zelk").value("Options/Expertenmodus").toString(),
                 QString("1"));

        f.window.reset();
        QSettings("Quendra", "Zelk").setValue("Options/Rechentiefe", "7");
        QSettings("Quendra", "Zelk").setValue("Options/Expertenmodus", "ja");
        f.Start();
        QCOMPARE(f.W().cb_rechentiefe->currentIndex(), -1);
        QVERIFY(!f.W().cb_experte->isChecked());
        QCOMPARE(SearchBudget(f.W().cb_rechentiefe->currentIndex()), SearchBudget(0));
    }
};

const RegisterTest<MainWindowTest> registered;

}  // namespace zelk::test

#include "main_window_test.moc"
