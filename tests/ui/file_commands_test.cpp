// The file buttons of the window with the file dialogs answered by the test: machine, order and
// result saved and loaded, older files, unit conflicts, the delete question, and the paste buttons
// with text copied from a spreadsheet.
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

#include "ui/test_registry.h"
#include "ui/window_fixture.h"

namespace zelk::test {

namespace {

void WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

std::string Labels(TMainform& w) {
    std::string all;
    for (QLabel* label : {w.L_HLSumme, w.L_FIXLSumme, w.L_LagerRest, w.L_Maschrest, w.L_Rest}) {
        all += label->text().toStdString() + "|";
    }
    return all;
}

}  // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QSettings("Quendra", "Zelk").clear(); }

    void MachineSavedLoadedAndDeleted() {
        WindowFixture f;
        TMainform& w = f.W();
        const QString data = w.Folders().DataDirectory();
        w.E_MBez->setText(QString::fromUtf8("Säge 3"));
        w.E_ASL->setText("10");
        w.E_RSL->setText("120,5");
        w.E_SKB->setText("4");

        f.nextFile = data + QString::fromUtf8("/Kreissäge.zkm");
        w.Btn_MSave->click();
        QVERIFY(f.lastSave);
        QCOMPARE(f.lastFilter, QString("Maschinendaten (*.zkm)"));
        QCOMPARE(f.lastPreset, QString::fromUtf8("Säge 3.zkm"));
        QCOMPARE(w.E_MBez->text(), QString::fromUtf8("Kreissäge"));  // the file's base name
        QVERIFY(QFileInfo::exists(f.nextFile));

        w.Btn_MNeu->click();
        QCOMPARE(w.E_ASL->text(), QString());
        f.nextFile.clear();  // cancelled: nothing happens
        w.Btn_MLoad->click();
        QCOMPARE(w.E_MBez->text(), QString());
        f.nextFile = data + QString::fromUtf8("/Kreissäge.zkm");
        w.Btn_MLoad->click();
        QVERIFY(!f.lastSave);
        QCOMPARE(w.E_MBez->text(), QString::fromUtf8("Kreissäge"));
        QCOMPARE(w.E_RSL->text(), QString("120,5"));
        QCOMPARE(w.E_SKB->text(), QString("4"));

        // "Auftrag löschen" asks about the machine; "&Nein" keeps the file.
        f.Shown().clear();
        w.Boxes().QueueAnswer(false);
        w.Btn_ADel->click();
        QCOMPARE(f.Shown(), std::vector<std::string>{"Möchten Sie die Maschine wirklich löschen?"});
        QVERIFY(QFileInfo::exists(f.nextFile));
        QCOMPARE(w.E_MBez->text(), QString::fromUtf8("Kreissäge"));
        w.Boxes().QueueAnswer(true);
        w.E_SKB->setFocus();
        w.Btn_MLoesche->click();
        QVERIFY(!QFileInfo::exists(f.nextFile));
        QCOMPARE(w.E_MBez->text(), QString());
        QCOMPARE(w.focusWidget(), w.E_MBez);  // ready for the next machine's name
        QCOMPARE(w.E_SKB->text(), QString());
        w.Btn_MLoesche->click();                // empty name: nothing, no message
        QCOMPARE(f.Shown().size(), size_t{2});  // the two questions
    }

    void OlderMachineFilesAndUnitConflicts() {
        WindowFixture f;
        TMainform& w = f.W();
        const QString data = w.Folders().DataDirectory();
        WriteFile(data + "/alt.zkm", "ZELK_MDATA V1\r\nAlt\r\n5\r\n100\r\n3\r\n");
        WriteFile(data + "/zoll.zkm", "ZELK_MDATA V2\r\nZoll\r\n1\r\n4\r\n0,125\r\nin.\r\n");
        f.nextFile = data + "/zoll.zkm";
        w.Btn_MLoad->click();
        QCOMPARE(w.cb_einheit->currentText(), QString("in."));
        QCOMPARE(w.Label6->text(), QString("in."));
        QCOMPARE(w.Page().order.g_hsl.Cell(0, 1), std::string("Länge in."));
        f.nextFile = data + "/alt.zkm";
        w.Btn_MLoad->click();
        QCOMPARE(w.E_MBez->text(), QString("Alt"));
        QCOMPARE(w.cb_einheit->currentText(), QString("mm"));

        // An order in mm holds lengths: the inch machine is refused and nothing changes.
        f.nextFile = Sample("Regalbau KW 50.zka");
        w.Btn_ALoad->click();
        QVERIFY(!w.Page().order.g_hsl.Cell(1, 1).empty());
        f.nextFile = data + "/zoll.zkm";
        w.Btn_MLoad->click();
        QCOMPARE(f.Shown().back(),
                 "Die Maßeinheit von Auftrag und Maschine stimmen nicht überein!");
        QCOMPARE(w.E_MBez->text(), QString("Alt"));
        QCOMPARE(w.cb_einheit->currentText(), QString("mm"));

        // A machine file cut short is the runtime's list error; the fields stay.
        WriteFile(data + "/kurz.zkm", "ZELK_MDATA V2\r\nKurz\r\n1\r\n");
        f.nextFile = data + "/kurz.zkm";
        w.Btn_MLoad->click();
        QCOMPARE(f.Shown().back(), "Listenindex überschreitet das Maximum (3)");
        QCOMPARE(w.E_MBez->text(), QString("Alt"));

        // A file that cannot be opened ends with the runtime's open error.
        f.nextFile = data + "/fehlt.zkm";
        w.Btn_MLoad->click();
        QVERIFY(f.Shown().back().rfind("Datei ", 0) == 0);
    }

    void OrderSavedUnderAnotherNameAndLoadedBack() {
        WindowFixture f;
        TMainform& w = f.W();
        const QString data = w.Folders().DataDirectory();
        f.nextFile = Sample("Regalbau KW 50.zka");
        w.Btn_ALoad->click();
        const OrderForm loaded = w.Page().order;
        f.nextFile = data + "/Anderer Name.zka";
        w.Btn_ASave->click();
        QCOMPARE(f.lastFilter, QString("Auftragsdaten (*.zka)"));
        QCOMPARE(f.lastPreset, QString("Regalbau KW 50.zka"));
        QCOMPARE(w.E_ABez->text(), QString("Anderer Name"));
        w.Btn_ANeu->click();
        QVERIFY(w.Page().order.g_hsl.Cell(1, 1).empty());
        w.Btn_ALoad->click();
        QCOMPARE(w.E_ABez->text(), QString("Anderer Name"));
        QCOMPARE(w.Page().order.g_hsl, loaded.g_hsl);
        QCOMPARE(w.Page().order.G_Fixl, loaded.G_Fixl);
        QCOMPARE(w.Page().order.g_fixl2, loaded.g_fixl2);
        QCOMPARE(w.Page().order.EToleranz, loaded.EToleranz);

        // A version 1 order while "in." is selected: refused, the order stays.
        WriteFile(data + "/v1.zka",
                  "ZELK_ADATA V1\r\nAlt\r\n0\r\n0\r\n0\r\n1\r\n2\t6000\r\n1\r\n5\t100\r\n");
        w.cb_einheit->setCurrentIndex(1);
        f.nextFile = data + "/v1.zka";
        w.Btn_ALoad->click();
        QCOMPARE(f.Shown().back(),
                 "Die Maßeinheit von Auftrag und Maschine stimmen nicht überein!");
        QCOMPARE(w.E_ABez->text(), QString("Anderer Name"));
        w.cb_einheit->setCurrentIndex(0);
        w.Btn_ALoad->click();
        QCOMPARE(w.E_ABez->text(), QString("Alt"));
        QVERIFY(w.g_fixl2->isHidden());
    }

    void ResultOfTheCommandLineLoadsAndAnEditedResultComesBack() {
        WindowFixture f;
        TMainform& w = f.W();
        const QString data = w.Folders().DataDirectory();
        const QString job = QString(ZELK_BENCH_JOBS) + "/example";
        const QString cliResult = data + "/cli.zke";
        QProcess cli;
        cli.start(ZELK_CLI, {"--depth", "XS", "--time-limit", "5", "--decimal-separator",
                             QString(w.DecimalSeparator()), "--result", cliResult, job + ".zkm",
                             job + ".zka"});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 0);

        f.nextFile = cliResult;
        w.a_berechnung->trigger();
        w.BtnLoadErg->click();
        QCOMPARE(f.lastFilter, QString("Ergebnisdaten (*.zke)"));
        const CalculationPage loaded = w.Calculation();
        QVERIFY(loaded.G_V.RowCount() > 1);
        QVERIFY(!w.L_HLSumme->text().isEmpty());
        // The grids of the file are what the window shows; the figures follow from them.
        QFile file(cliResult);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromLocal8Bit(file.readAll());
        for (int row = 0; row < loaded.G_V.RowCount(); ++row) {
            QString line;
            for (int col = 0; col < loaded.G_V.ColCount(); ++col) {
                line += QString::fromStdString(loaded.G_V.Cell(row, col)) + "\t";
            }
            QVERIFY2(text.contains(line + "\r\n"), qPrintable(line));
        }

        // A count edited by hand is saved and loaded back with the figures that follow it.
        w.G_V->setFocus();
        w.G_V->SetCursor(1, 1);
        const std::string count = loaded.G_V.Cell(1, 1);
        f.Type("0");
        QCOMPARE(w.Calculation().G_V.Cell(1, 1), std::string("0"));
        const CalculationPage edited = w.Calculation();
        const std::string figures = Labels(w);
        QVERIFY(figures != std::string());
        f.nextFile = data + "/bearbeitet.zke";
        w.BtnSaveErg->click();
        QCOMPARE(f.lastPreset.toStdString(),
                 w.Page().order.E_ABez + "-" + w.Page().machine.E_MBez + ".zke");

        f.Restart();
        f.nextFile = data + "/bearbeitet.zke";
        f.W().a_berechnung->trigger();
        f.W().BtnLoadErg->click();
        QCOMPARE(f.W().Calculation().G_V, edited.G_V);
        QCOMPARE(f.W().Calculation().G_S, edited.G_S);
        QCOMPARE(Labels(f.W()), figures);
    }

    void PasteButtonsTakeRowsCopiedFromASpreadsheet() {
        WindowFixture f;
        TMainform& w = f.W();
        const char d = w.DecimalSeparator();
        // A spreadsheet copies a header row, TAB between the cells, CR LF after every row, and
        // its own format: thousands points and the system's decimal separator.
        const QString copied = QString::fromUtf8("Stück\tLänge\r\n3\t1.250") + d +
                               "5\r\n2\t800\r\n\t700\r\n4\tzwölf\r\n1.000\t3.000\textra\r\n";
        QApplication::clipboard()->setText(copied);
        f.Shown().clear();
        w.BtnFL2Einfuegen->click();
        const std::vector<std::string> messages = {
            "Der Wert für die Anzahl in Zeile 1 ist keine ganze Zahl!",
            "Der Wert für die Länge in Zeile 1 ist keine Zahl!",
            "Der Wert für die Länge in Zeile 5 ist keine Zahl!"};
        QCOMPARE(f.Shown(), messages);
        const TextGrid& list = w.Page().order.g_fixl2;
        // Sorted longest first. With a decimal point, the point of "1.250.5" is taken for a
        // thousands point too, as every point is.
        const std::vector<std::string> rows =
            d == ',' ? std::vector<std::string>{"1000 3000", "3 1250,5", "2 800"}
                     : std::vector<std::string>{"3 12505", "1000 3000", "2 800"};
        QCOMPARE(list.RowCount(), 4);
        for (int row = 1; row < 4; ++row) {
            QCOMPARE(list.Cell(row, 0) + " " + list.Cell(row, 1), rows[row - 1]);
        }

        // The stock list keeps the clipboard's order.
        QApplication::clipboard()->setText("2\t800\n3\t6000\n");
        w.g_hsl->SetCursor(1, 1);
        w.BtnHLEinfuegen->click();
        QCOMPARE(w.Page().order.g_hsl.Cell(1, 1), std::string("800"));
        QCOMPARE(w.g_hsl->CursorCol(), 0);  // tidied: the cursor on the first count
        QCOMPARE(w.Page().order.g_hsl.Cell(2, 1), std::string("6000"));

        // No text on the clipboard: one message, the list stays.
        QApplication::clipboard()->setImage(QImage(4, 4, QImage::Format_RGB32));
        w.BtnFLEinfuegen->click();
        QCOMPARE(f.Shown().back(), "Bitte zunächst in Excel die Zellen markieren und kopieren.");
        QCOMPARE(w.Page().order.G_Fixl.RowCount(), 2);
        QApplication::clipboard()->clear();
        w.BtnFL3Einfuegen->click();
        QCOMPARE(f.Shown().back(), "Bitte zunächst in Excel die Zellen markieren und kopieren.");
    }
};

const RegisterTest<FileCommandsTest> registered;

}  // namespace zelk::test

#include "file_commands_test.moc"
