// The cursor of the result grid in expert mode: wherever it goes (a re-sort after an edit, a new
// plan, keys, a click), it never rests on an "X" cell, and typing never replaces one. A new plan
// is shown from its first row, and the grids scroll by whole columns.
#include <QScrollBar>
#include <QtTest>

#include "result/grid_cells.h"
#include "ui/test_registry.h"
#include "ui/window_fixture.h"

namespace zelk::test {

namespace {

const TextGrid& Grid(TMainform& w) {
    return w.Calculation().G_V;
}

// The sample order (stock lengths 6000 and 6500, twelve fix lengths) in expert mode, with the
// candidates for the first bar shown by "Neustart".
void ShowSampleCandidates(WindowFixture& f, const char* bars6000 = "120") {
    f.LoadJob(QString(ZELK_SAMPLES) + "/Säge 1.zkm", QString(ZELK_SAMPLES) + "/Regalbau KW 50.zka");
    TMainform& w = f.W();
    w.g_hsl->Grid().SetCell(1, 0, bars6000);
    w.g_hsl->Refresh();
    w.a_berechnung->trigger();
    w.cb_rechentiefe->setCurrentIndex(0);
    if (!w.cb_experte->isChecked()) {
        w.cb_experte->click();
    }
    w.Btn_Komb->click();
    QApplication::processEvents();
}

// The same order with a single bar of 6000, cut to the candidate with the longest rest; "Rest neu
// rechnen" then lists candidates of 6500 below it, the first of them with a shorter rest.
void ShowRowsOfBothStockLengths(WindowFixture& f) {
    ShowSampleCandidates(f, "1");
    TMainform& w = f.W();
    w.G_V->setFocus();
    w.G_V->SetCursor(Grid(w).RowCount() - 1, 1);
    WindowFixture::Type("1");
    WindowFixture::Key(Qt::Key_Return);
    w.Btn_Rest->click();
    QApplication::processEvents();
}

// The stock column of a row that is not "X", 0 when there is none.
int OwnStockColumn(TMainform& w, int row) {
    for (int col = 1; col <= w.Job().StockKinds; ++col) {
        if (Grid(w).Cell(row, col) != "X") {
            return col;
        }
    }
    return 0;
}

double Rest(TMainform& w, int row) {
    return QString::fromStdString(Grid(w).Cell(row, Grid(w).ColCount() - 1))
        .replace(',', '.')
        .toDouble();
}

// A candidate row below a row of another stock length that a count typed into the candidate
// moves it above: the row above then slides into its place, and its own cell there is "X".
int CandidateBelowOtherStock(TMainform& w) {
    const int stockKinds = w.Job().StockKinds;
    for (int row = Grid(w).RowCount() - 1; row > 1; --row) {
        if (!IsAssignedRow(Grid(w), row, stockKinds) &&
            OwnStockColumn(w, row) != OwnStockColumn(w, row - 1) &&
            (!IsAssignedRow(Grid(w), row - 1, stockKinds) || Rest(w, row - 1) > Rest(w, row))) {
            return row;
        }
    }
    return 0;
}

// The cursor is on a cell that is not "X", and typing there leaves every "X" cell as it was.
void ExpectTypingReachesNoX(TMainform& w) {
    QVERIFY(w.G_V->currentIndex().isValid());
    QVERIFY2(
        Grid(w).Cell(w.G_V->CursorRow(), w.G_V->CursorCol()) != "X",
        qPrintable(QString("row %1 column %2").arg(w.G_V->CursorRow()).arg(w.G_V->CursorCol())));
    const TextGrid before = Grid(w);
    WindowFixture::Type("5");
    for (int row = 1; row < before.RowCount(); ++row) {
        for (int col = 1; col < before.ColCount(); ++col) {
            if (before.Cell(row, col) == "X") {
                QCOMPARE(Grid(w).Cell(row, col), std::string("X"));
            }
        }
    }
}

// Types a count into the own cell of a candidate row that will move up.
int TypeCountIntoMovingCandidate(WindowFixture& f) {
    TMainform& w = f.W();
    const int row = CandidateBelowOtherStock(w);
    if (row == 0) {
        return 0;
    }
    w.G_V->setFocus();
    w.G_V->SetCursor(row, OwnStockColumn(w, row));
    WindowFixture::Type("1");
    return row;
}

}  // namespace

class ResultCursorTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QSettings("Quendra", "Zelk").clear(); }

    void EnterReSortsAndTheCursorLeavesTheXBehind() {
        WindowFixture f;
        ShowRowsOfBothStockLengths(f);
        TMainform& w = f.W();
        const int row = TypeCountIntoMovingCandidate(f);
        QVERIFY(row > 0);
        f.Key(Qt::Key_Return);
        QVERIFY(IsAssignedRow(Grid(w), 1, w.Job().StockKinds));  // the rows were re-sorted
        ExpectTypingReachesNoX(w);
        QCOMPARE(w.G_V->CursorRow(), row);  // the cursor keeps its row, on the row's count
        QCOMPARE(w.G_V->CursorCol(), OwnStockColumn(w, row));
    }

    void MovingOnReSortsAndTheCursorLeavesTheXBehind() {
        WindowFixture f;
        ShowRowsOfBothStockLengths(f);
        TMainform& w = f.W();
        const int row = TypeCountIntoMovingCandidate(f);
        QVERIFY(row > 0);
        f.Key(Qt::Key_Down);  // asks for the cell below, the re-sort moves the rows first
        QVERIFY(IsAssignedRow(Grid(w), 1, w.Job().StockKinds));
        ExpectTypingReachesNoX(w);
    }

    void ClickAfterAnEditReSortsAndTheCursorLeavesTheXBehind() {
        WindowFixture f;
        ShowRowsOfBothStockLengths(f);
        TMainform& w = f.W();
        const int row = TypeCountIntoMovingCandidate(f);
        QVERIFY(row > 0);
        // A click on the row above in the same column: before the re-sort that cell is a count.
        const int col = OwnStockColumn(w, row - 1);
        const QRect cell = w.G_V->visualRect(w.G_V->GridModel()->index(row - 1, col));
        QTest::mouseClick(w.G_V->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(IsAssignedRow(Grid(w), 1, w.Job().StockKinds));
        ExpectTypingReachesNoX(w);
    }

    void ANewPlanIsShownFromItsFirstRowWithTheCursorOffTheX() {
        WindowFixture f;
        ShowRowsOfBothStockLengths(f);
        TMainform& w = f.W();
        w.G_V->setFixedHeight(120);  // a few rows in view, so that the grid can scroll
        QApplication::processEvents();
        // The cursor on a row far down, in a column that is "X" in the first row.
        const int firstOwn = OwnStockColumn(w, 1);
        int row = Grid(w).RowCount() - 1;
        while (row > 1 && OwnStockColumn(w, row) == firstOwn) {
            --row;
        }
        QVERIFY(row > 1);
        w.G_V->setFocus();
        w.G_V->SetCursor(row, OwnStockColumn(w, row));
        w.G_V->scrollToBottom();
        QApplication::processEvents();
        QVERIFY(w.G_V->verticalScrollBar()->value() > 0);

        w.Btn_Komb->click();  // "Neustart"
        QCOMPARE(w.G_V->verticalScrollBar()->value(), 0);
        QCOMPARE(w.G_V->CursorRow(), 1);
        QCOMPARE(w.G_V->CursorCol(), firstOwn);
        w.G_V->setFocus();
        ExpectTypingReachesNoX(w);

        // "Rest neu rechnen" shows a new plan as well.
        w.G_V->SetCursor(Grid(w).RowCount() - 1, 1);
        w.G_V->scrollToBottom();
        w.Btn_Rest->click();
        QCOMPARE(w.G_V->verticalScrollBar()->value(), 0);
        QCOMPARE(w.G_V->CursorRow(), 1);
        w.G_V->setFocus();
        ExpectTypingReachesNoX(w);
    }

    void KeysPassXCellsBy() {  // arrows left and right move within the cell's text
        WindowFixture f;
        ShowSampleCandidates(f);
        TMainform& w = f.W();
        // A row cut from the first stock length: the second stock column beside its count is "X".
        int row = 1;
        while (OwnStockColumn(w, row) != 1) {
            ++row;
        }
        w.G_V->setFocus();
        w.G_V->SetCursor(row, 1);
        f.Key(Qt::Key_Tab);
        QCOMPARE(w.G_V->CursorRow(), row);
        QCOMPARE(w.G_V->CursorCol(), 3);  // on to "Max LL", past the "X"
        for (Qt::Key key : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Up, Qt::Key_PageUp,
                            Qt::Key_Home, Qt::Key_Backtab, Qt::Key_Backtab}) {
            f.Key(key);
            QVERIFY(w.G_V->currentIndex().isValid());
            QVERIFY2(Grid(w).Cell(w.G_V->CursorRow(), w.G_V->CursorCol()) != "X",
                     qPrintable(QString::number(key, 16)));
        }
        ExpectTypingReachesNoX(w);
    }

    void GridsScrollByWholeColumnsAndLeaveTheCursor() {
        WindowFixture f;
        ShowSampleCandidates(f);
        TMainform& w = f.W();
        QApplication::processEvents();
        w.G_V->setFocus();
        w.G_V->SetCursor(1, OwnStockColumn(w, 1));
        QScrollBar* bar = w.G_V->horizontalScrollBar();
        QVERIFY(bar->maximum() > 0);
        for (int value = bar->minimum(); value <= bar->maximum(); ++value) {
            bar->setValue(value);
            QApplication::processEvents();
            for (StringGrid* grid : {w.G_V, w.G_S}) {
                // The column at the left edge of the scrolled cells starts there.
                const int first = grid->columnAt(0);
                QVERIFY(first > 0);
                QVERIFY2(grid->columnViewportPosition(first) == 0,
                         qPrintable(grid->objectName() + " at " + QString::number(value)));
            }
            QCOMPARE(w.G_S->columnAt(0), w.G_V->columnAt(0));
        }
        // Scrolled fully right, the last column is shown whole.
        const int last = Grid(w).ColCount() - 1;
        QVERIFY(w.G_V->columnViewportPosition(last) + w.G_V->columnWidth(last) <=
                w.G_V->viewport()->width());
        // Scrolling leaves the cursor where it was.
        QCOMPARE(w.G_V->CursorRow(), 1);
        QCOMPARE(w.G_V->CursorCol(), OwnStockColumn(w, 1));
        ExpectTypingReachesNoX(w);
    }
};

const RegisterTest<ResultCursorTest> registered;

}  // namespace zelk::test

#include "result_cursor_test.moc"
