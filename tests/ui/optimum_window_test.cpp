// The optimum beside the calculation in the window: the check box kept in the options, the bound
// and the gap under the Info-Box, a proven optimum ending the run, and a stop ending the stage.
#include <QtTest>

#include "optimum/triplet_job.h"
#include "ui/optimum_beside.h"
#include "ui/test_registry.h"
#include "ui/window_fixture.h"

namespace zelk::test {

namespace {

class OptimumWindowTest : public QObject {
    Q_OBJECT

    static OptimumBeside& Beside(TMainform& w) { return *w.findChild<OptimumBeside*>(); }

    // The worked example calculated to its end in normal mode.
    static void CalculateExample(WindowFixture& f) {
        f.LoadJob(BenchJob("example.zkm"), BenchJob("example.zka"));
        f.W().a_berechnung->trigger();
        CalculateToTheEnd(f.W());
    }

    // Starts a calculation and waits until it has shown itself and ended.
    static void CalculateToTheEnd(TMainform& w) {
        WindowFixture::Visibility stop;
        w.Btn_Stop->installEventFilter(&stop);
        w.Btn_Komb->click();
        QTRY_COMPARE_WITH_TIMEOUT(stop.hidden, 1, 60000);
        w.Btn_Stop->removeEventFilter(&stop);
    }

    static void WriteFile(const QString& path, const std::string& text) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(text));
    }

    // Loads the job of the texts (a saw without trim cut, clamp rest or kerf) and turns to the
    // calculation page.
    static void LoadTexts(WindowFixture& f, const std::string& orderText) {
        const QString machine = f.folder.filePath("m.zkm");
        const QString order = f.folder.filePath("o.zka");
        WriteFile(machine, TripletMachineText());
        WriteFile(order, orderText);
        f.LoadJob(machine, order);
        f.W().a_berechnung->trigger();
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QSettings("Quendra", "Zelk").clear(); }

    void TheBoxIsOnAtFirstAndKeptBetweenStarts() {
        WindowFixture f(true);
        OptimumBeside& beside = Beside(f.W());
        QVERIFY(beside.cb_optimum->isChecked());
        QCOMPARE(beside.cb_optimum->text(), QString("Optimum suchen"));
        beside.cb_optimum->click();
        f.Restart();
        QVERIFY(!Beside(f.W()).cb_optimum->isChecked());
        QCOMPARE(QSettings("Quendra", "Zelk").value("Options/OptimumSuchen").toString(),
                 QString("0"));
    }

    void AProvenOptimumEndsTheCalculationByItself() {
        // The search alone runs long on this job at XS; the stage proves its optimum at once.
        WindowFixture f(true);
        TMainform& w = f.W();
        LoadTexts(f, TripletOrderText());
        w.cb_rechentiefe->setCurrentIndex(0);
        CalculateToTheEnd(w);
        OptimumBeside& beside = Beside(w);
        QVERIFY(!beside.L_UntergrenzeCaption->isHidden());
        QCOMPARE(beside.L_Abstand->text(), QString("Plan ist optimal (bewiesen)"));
        // One stock length used: the bound is the stock the shown plan uses.
        QCOMPARE(beside.L_Untergrenze->text().toStdString(), w.L_HLSumme->text().toStdString());
        QVERIFY(f.Shown().empty());
    }

    void StopEndsTheStageWithTheSearch() {
        WindowFixture f(true);
        TMainform& w = f.W();
        f.LoadJob(BenchJob("groups.zkm"), BenchJob("groups.zka"));
        w.a_berechnung->trigger();
        w.cb_rechentiefe->setCurrentIndex(0);
        w.Btn_Komb->click();
        OptimumBeside& beside = Beside(w);
        QTRY_VERIFY_WITH_TIMEOUT(!beside.L_Untergrenze->text().isEmpty(), 30000);
        w.Btn_Stop->click();
        WaitUntilIdle(w, 30000);
        QVERIFY(beside.L_Abstand->text().startsWith("Plan liegt ") ||
                beside.L_Abstand->text() == "Plan ist optimal (bewiesen)");
        QVERIFY(f.Shown().empty());
    }

    void ExpertModeGoesOnFromItsRowsAlone() {
        WindowFixture f(true);
        TMainform& w = f.W();
        CalculateExample(f);
        OptimumBeside& beside = Beside(w);
        QTRY_COMPARE(beside.L_Abstand->text(), QString("Plan ist optimal (bewiesen)"));
        w.cb_experte->click();
        w.OptBtn->click();  // the search from the rows of the grid; nothing beside it
        WaitUntilIdle(w);
        QVERIFY(beside.L_UntergrenzeCaption->isHidden());
        QVERIFY(beside.L_Abstand->text().isEmpty());
    }

    void TheStageSaysWhyItHasNoPlan() {
        // Two pieces that fit one bar, a kind limit of two and a single drop-off bin: the stage
        // finds only plans that cut both lengths on one bar, and no order of them keeps within
        // the bin. The search shows its own plan; the stage says why it offers none.
        WindowFixture f(true);
        TMainform& w = f.W();
        LoadTexts(f,
                  "ZELK_ADATA V2\r\nmm\r\nBins\r\n0\r\n0\r\n0\r\n1\r\n3\t1150\r\n"
                  "2\r\n1\t447\r\n1\t349\r\n1\r\n\t\r\n1\r\n\t\r\n\r\n\r\n\r\n");
        w.CB_KBIS->setCurrentIndex(1);
        w.cb_ablageplaetze->setCurrentIndex(0);
        CalculateToTheEnd(w);
        OptimumBeside& beside = Beside(w);
        QTRY_COMPARE(beside.L_OptimumHinweis->text(),
                     QString("Keine Reihenfolge der Stäbe kommt mit den Ablagefächern aus."));
        QVERIFY(!beside.L_Untergrenze->text().isEmpty());
        QVERIFY(f.Shown().empty());
        // The next start clears the stage's last word.
        w.cb_experte->click();
        w.OptBtn->click();
        WaitUntilIdle(w);
        QVERIFY(beside.L_OptimumHinweis->text().isEmpty());
    }

    void TheGapFollowsEditsOfTheResult() {
        WindowFixture f(true);
        TMainform& w = f.W();
        CalculateExample(f);
        OptimumBeside& beside = Beside(w);
        QTRY_COMPARE(beside.L_Abstand->text(), QString("Plan ist optimal (bewiesen)"));
        const QString bound = beside.L_Untergrenze->text();
        const TextGrid& G_V = w.Calculation().G_V;
        const std::string number = G_V.Cell(1, 0);
        const std::string count = G_V.Cell(1, 1);
        // Types the bar count of the first row of the plan, wherever the grid has sorted it.
        auto rowOfNumber = [&] {
            int row = 1;
            while (G_V.Cell(row, 0) != number) {
                ++row;
            }
            return row;
        };
        auto setCount = [&](const std::string& bars) {
            w.G_V->setFocus();
            w.G_V->SetCursor(rowOfNumber(), 1);
            f.Type(QString::fromStdString(bars));
            f.Key(Qt::Key_Return);  // the grid may sort its rows anew
            QCOMPARE(G_V.Cell(rowOfNumber(), 1), bars);
        };
        // More bars of that row: the order is still met, with more stock than the bound.
        setCount("9");
        QVERIFY2(beside.L_Abstand->text().startsWith("Plan liegt ") &&
                     beside.L_Abstand->text().endsWith(" % über der Untergrenze"),
                 qPrintable(beside.L_Abstand->text()));
        QCOMPARE(beside.L_Untergrenze->text(), bound);
        // None of it: the order is no longer met, and there is no gap to state.
        setCount("0");
        QVERIFY2(beside.L_Abstand->text().isEmpty(), qPrintable(beside.L_Abstand->text()));
        QCOMPARE(beside.L_Untergrenze->text(), bound);
        // The count as calculated: the optimum again.
        setCount(count);
        QCOMPARE(beside.L_Abstand->text(), QString("Plan ist optimal (bewiesen)"));
    }

    void WithTheBoxOffNothingRunsBeside() {
        WindowFixture f;
        TMainform& w = f.W();
        CalculateExample(f);
        OptimumBeside& beside = Beside(w);
        QVERIFY(beside.L_UntergrenzeCaption->isHidden());
        QVERIFY(beside.L_Untergrenze->text().isEmpty());
        QVERIFY(beside.L_Abstand->text().isEmpty());
        QVERIFY(!w.L_HLSumme->text().isEmpty());
    }
};

const RegisterTest<OptimumWindowTest> registered;

}  // namespace

}  // namespace zelk::test

#include "optimum_window_test.moc"
