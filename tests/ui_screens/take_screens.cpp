// Takes pictures of both pages of the window for a look by eye: the sample machine and order are
// loaded; the calculation page before the first calculation, during it with the times beside the
// bar, with the plan found within a few seconds at depth "XS", scrolled fully right, after a
// change of the order, and with the candidates of expert mode.
//   ui_screens SAMPLES_DIR OUTPUT_DIR [LOCALE_DIR]
// With a catalogue folder the pictures show the window in English, switched by its flag.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include "base/translate.h"

#include "ui/main_window.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // the user's own settings stay untouched
    if (argc != 3 && argc != 4) {
        return 2;
    }
    if (argc == 4) {
        zelk::SetCatalogueDirectory(argv[3]);
    }
    const QString samples = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    QTemporaryDir folder;
    zelk::TMainform window({folder.path(), folder.path()});
    window.Boxes().AnswerWithoutBoxes();
    window.cb_experte->setChecked(false);  // the plan first, whatever the last run stored
    window.show();
    QApplication::processEvents();
    if (argc == 4) {
        const QPointF inside(2, 2);
        QMouseEvent press(QEvent::MouseButtonPress, inside, window.ImageEN->mapToGlobal(inside),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, inside, window.ImageEN->mapToGlobal(inside),
                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(window.ImageEN, &press);
        QApplication::sendEvent(window.ImageEN, &release);
        QApplication::processEvents();
    }

    QString next;
    window.chooseFile = [&next](bool, const QString&, const QString&) { return next; };
    next = samples + QString::fromUtf8("/Säge 1.zkm");
    window.Btn_MLoad->click();
    next = samples + "/Regalbau KW 50.zka";
    window.Btn_ALoad->click();
    QApplication::processEvents();
    window.grab().save(output + "/order.png");

    window.a_berechnung->trigger();
    QApplication::processEvents();
    window.grab().save(output + "/before.png");
    window.cb_rechentiefe->setCurrentIndex(0);
    window.Btn_Komb->click();
    QElapsedTimer clock;
    clock.start();
    bool runningTaken = false;
    while (!window.Btn_Stop->isHidden() || clock.elapsed() < 300) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        if (!runningTaken && clock.elapsed() > 2500) {
            runningTaken = true;
            window.grab().save(output + "/running.png");
        }
        if (clock.elapsed() > 4000) {
            window.Btn_Stop->click();
        }
    }
    QApplication::processEvents();
    window.grab().save(output + "/calc.png");
    window.G_V->horizontalScrollBar()->setValue(window.G_V->horizontalScrollBar()->maximum());
    QApplication::processEvents();
    window.grab().save(output + "/scrolled.png");
    window.G_V->horizontalScrollBar()->setValue(0);

    // The order changes after the plan: the plan stays and says so.
    window.a_auftragsdaten->trigger();
    window.G_Fixl->Grid().SetCell(1, 0, "30");
    window.G_Fixl->Refresh();
    window.a_berechnung->trigger();
    QApplication::processEvents();
    window.grab().save(output + "/stale.png");

    // Expert mode: the candidates for the first bar.
    window.cb_experte->setChecked(true);
    window.Btn_Komb->click();
    QApplication::processEvents();
    window.grab().save(output + "/expert.png");
    for (const std::string& text : window.Boxes().shown) {
        qInfo("box: %s", text.c_str());
    }
    return 0;
}
