// The program's start: the files given on the command line, opened by their kind, and where the
// program finds its own files and keeps the user's, in the build tree and when installed.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

#include "ui/program_folder.h"
#include "ui/test_registry.h"
#include "ui/window_fixture.h"

namespace zelk::test {

class ProgramStartTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QSettings("Quendra", "Zelk").clear(); }

    void FilesGivenAtStartOpenByTheirKind() {
        WindowFixture f;
        TMainform& w = f.W();
        w.OpenFile(Sample("Säge 1.zkm"));
        w.OpenFile(Sample("Regalbau KW 50.zka"));
        QCOMPARE(w.E_MBez->text(), QString::fromUtf8("Säge 1"));
        QCOMPARE(w.E_ABez->text(), QString("Regalbau KW 50"));
        QVERIFY(w.AP_Auftragsdaten->isVisible());
        QVERIFY(f.Shown().empty());

        // A result, as zelk-cli saves it, is shown on the calculation page.
        const QString result = f.folder.filePath("Regalbau.ZKE");
        QProcess cli;
        cli.start(ZELK_CLI, {"--depth", "XS", "--time-limit", "5", "--decimal-separator",
                             QString(w.DecimalSeparator()), "--result", result,
                             Sample("Säge 1.zkm"), Sample("Regalbau KW 50.zka")});
        QVERIFY(cli.waitForFinished(60000));
        QCOMPARE(cli.exitCode(), 0);
        f.Restart();
        f.W().OpenFile(result);
        QVERIFY(f.W().AP_Bearbeitung->isVisible() && f.W().a_berechnung->isChecked());
        QVERIFY(f.W().Calculation().G_V.RowCount() > 1);
        QCOMPARE(f.W().E_ABez->text(), QString("Regalbau KW 50"));
        QVERIFY(f.Shown().empty());

        // Any other file is refused by name, and nothing of it is loaded.
        const QString notes = f.folder.filePath("Regalbau KW 50.txt");
        QVERIFY(QFile::copy(Sample("Regalbau KW 50.zka"), notes));
        f.Restart();
        f.W().OpenFile(notes);
        QCOMPARE(f.Shown(), std::vector<std::string>{
                                "Die Datei " + QDir::toNativeSeparators(notes).toStdString() +
                                " ist keine Maschinen-, Auftrags- oder Ergebnisdatei (.zkm, "
                                ".zka, .zke)."});
        QCOMPARE(f.W().E_ABez->text(), QString());
    }

    void OwnFilesAndUserFilesFollowTheProgramsPlace() {
        QTemporaryDir tree;
        // In the build tree everything lies beside the program.
        const QString build = tree.filePath("build/src");
        QVERIFY(QDir().mkpath(build));
        const ProgramFolders beside = FindProgramFolders(build);
        QCOMPARE(beside.program, build);
        QCOMPARE(beside.writable, build);
        QCOMPARE(beside.CatalogueDirectory(), build + "/locale");
        QCOMPARE(beside.HelpDocument(), build + "/anleitung.pdf");

        // Installed, the program's own files are in its share folder, whatever the prefix, and
        // the user's files in the user's application data folder.
        const QString bin = tree.filePath("opt/zelk/bin");
        const QString share = QDir::cleanPath(bin + "/" + ZELK_DATA_FROM_PROGRAM);
        QVERIFY(share.startsWith(tree.filePath("opt/zelk/")));
        QVERIFY(QDir().mkpath(bin) && QDir().mkpath(share));
        QFile help(share + "/anleitung.pdf");
        QVERIFY(help.open(QIODevice::WriteOnly));
        help.close();
        const ProgramFolders installed = FindProgramFolders(bin);
        QCOMPARE(installed.program, share);
        QCOMPARE(installed.writable,
                 QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        QCOMPARE(installed.CatalogueDirectory(), share + "/locale");
        QCOMPARE(installed.HelpDocument(), share + "/anleitung.pdf");
        QCOMPARE(installed.DataDirectory(), installed.writable + "/Data");
    }
};

const RegisterTest<ProgramStartTest> registered;

}  // namespace zelk::test

#include "program_start_test.moc"
