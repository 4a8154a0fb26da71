// The window under strain: saves that the disk refuses (a full file system, a folder mounted
// read-only, a file marked unchangeable) through the save buttons, the calculation started and
// stopped again and again, and the expert buttons pressed while a run is active.
// The tests run as root, where permissions do not stop a write; a refusal the machine cannot set
// up (no mount, no immutable attribute) skips its case with the reason.
#include <QDir>
#include <QFile>
#include <QThread>
#include <QtTest>
#include <cerrno>
#include <cstring>
#include <random>

#include "base/errors.h"
#include "support/refusing_disk.h"
#include "ui/test_registry.h"
#include "ui/window_fixture.h"

namespace zelk::test {

namespace {

enum class Refusal { FullDisk, ReadOnlyFolder, UnchangeableFile };

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A folder for the saves, made to refuse the second save in one of the three ways; undone at the
// end so that the temporary folders can be removed.
class RefusingFolder {
public:
    explicit RefusingFolder(const QString& base)
        : writable_(base + "/schreibbar"),
          saves_(base + "/speicher"),
          mount_(QFile::encodeName(saves_).toStdString()) {
        QDir().mkpath(writable_);
        QDir().mkpath(saves_);
    }
    ~RefusingFolder() {
        if (!immutable_.empty()) {
            SetImmutable(immutable_, false);
        }
    }

    // Where the saves go; with a full disk it is a small file system of its own.
    QString Prepare(Refusal refusal) {
        if (refusal == Refusal::FullDisk) {
            return mount_.MountTmpfs("size=16k") ? saves_ : QString();
        }
        return refusal == Refusal::ReadOnlyFolder ? writable_ : saves_;
    }

    // After the first save: the folder or the file refuses from now on; the folder to save into.
    QString Refuse(Refusal refusal, const QString& savedFile) {
        switch (refusal) {
            case Refusal::FullDisk: {
                QFile filler(saves_ + "/füllung");
                filler.open(QIODevice::WriteOnly);
                const QByteArray block(512, 'x');
                while (filler.write(block) == block.size() && filler.flush()) {
                }
                return saves_;
            }
            case Refusal::ReadOnlyFolder:
                return mount_.BindReadOnly(QFile::encodeName(writable_).toStdString()) ? saves_
                                                                                       : QString();
            case Refusal::UnchangeableFile: {
                const std::string file = QFile::encodeName(savedFile).toStdString();
                if (!SetImmutable(file, true)) {
                    return QString();
                }
                immutable_ = file;
                return saves_;
            }
        }
        return QString();
    }

private:
    QString writable_;
    QString saves_;
    MountedFolder mount_;
    std::string immutable_;
};

// What the boxes showed, one text a line, for a failure message.
QByteArray Joined(const std::vector<std::string>& shown) {
    QByteArray all;
    for (const std::string& text : shown) {
        all += QByteArray::fromStdString(text) + "\n";
    }
    return all;
}

int BarsShown(TMainform& w) {
    int rows = 0;
    const TextGrid& G_V = w.Calculation().G_V;
    for (int row = 1; row < G_V.RowCount(); ++row) {
        rows += !G_V.Cell(row, 0).empty();
    }
    return rows;
}

}  // namespace

class FailingSavesTest : public QObject {
    Q_OBJECT

private slots:
    void init() { QSettings("Quendra", "Zelk").clear(); }

    void ARefusedSaveShowsTheErrorAndKeepsTheFile_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<int>("refusal");
        const struct {
            const char* name;
            Refusal refusal;
        } refusals[] = {{"full disk", Refusal::FullDisk},
                        {"read-only folder", Refusal::ReadOnlyFolder},
                        {"unchangeable file", Refusal::UnchangeableFile}};
        const struct {
            const char* button;
            const char* fileName;
        } saves[] = {{"Btn_MSave", "Säge 2.zkm"},
                     {"Btn_ASave", "Aufträge.zka"},
                     {"BtnSaveErg", "Ergebnis Größe.zke"}};
        for (const auto& refusal : refusals) {
            for (const auto& save : saves) {
                QTest::addRow("%s, %s", save.button, refusal.name)
                    << save.button << QString::fromUtf8(save.fileName)
                    << static_cast<int>(refusal.refusal);
            }
        }
    }

    void ARefusedSaveShowsTheErrorAndKeepsTheFile() {
        QFETCH(QString, button);
        QFETCH(QString, fileName);
        QFETCH(int, refusal);
        WindowFixture f;
        TMainform& w = f.W();
        f.LoadJob(BenchJob("example.zkm"), BenchJob("example.zka"));
        auto* save = w.findChild<QAbstractButton*>(button);
        QVERIFY(save);

        RefusingFolder folder(f.folder.path());
        const QString first = folder.Prepare(static_cast<Refusal>(refusal));
        if (first.isEmpty()) {
            QSKIP(qPrintable("no tmpfs can be mounted here: " + QString(std::strerror(errno))));
        }
        f.nextFile = first + "/" + fileName;
        save->click();
        QVERIFY2(f.Shown().empty(), Joined(f.Shown()).constData());
        const QByteArray before = ReadAll(f.nextFile);
        QVERIFY(!before.isEmpty());

        const QString refusing = folder.Refuse(static_cast<Refusal>(refusal), f.nextFile);
        if (refusing.isEmpty()) {
            QSKIP(
                qPrintable("the refusal cannot be set up here: " + QString(std::strerror(errno))));
        }
        const QStringList entriesBefore = QDir(refusing).entryList(QDir::Files);
        f.nextFile = refusing + "/" + fileName;
        const QByteArray stillThere = ReadAll(f.nextFile);
        w.E_SKB->setText("4,5");  // a change, so that the refused save would differ
        save->click();

        const std::string path = f.nextFile.toStdString();
        // The general error box names the file in German, then the system's reason in the
        // language the window runs in.
        QVERIFY2(f.Shown().size() == 1, Joined(f.Shown()).constData());
        const std::string prefix = CannotCreateText(path, "");
        QCOMPARE(prefix, "Datei " + path + " kann nicht erstellt werden. ");
        QVERIFY2(f.Shown().front().rfind(prefix, 0) == 0, f.Shown().front().c_str());
        QVERIFY(f.Shown().front().size() > prefix.size());
        QCOMPARE(ReadAll(f.nextFile), stillThere);
        QCOMPARE(stillThere, before);
        QCOMPARE(QDir(refusing).entryList(QDir::Files), entriesBefore);
    }

    void StartAndStopTwoHundredTimesAtRandomMoments() {
        WindowFixture f;
        TMainform& w = f.W();
        f.PrepareSawShopJob();
        std::mt19937 random(20261209);
        std::uniform_int_distribution<int> waitMs(0, 30);
        for (int cycle = 0; cycle < 200; ++cycle) {
            w.Btn_Komb->click();
            QTRY_VERIFY(!w.Btn_Stop->isHidden());
            QTest::qWait(waitMs(random));
            w.Btn_Stop->click();
            QTRY_VERIFY_WITH_TIMEOUT(w.Btn_Stop->isHidden(), 30000);  // a failure ends the loop
            QVERIFY2(f.Shown().empty(), Joined(f.Shown()).constData());
        }
        QVERIFY(w.CB_KBIS->isEnabled());
    }

    void ExpertButtonsDoNothingWhileARunIsActive() {
        WindowFixture f;
        TMainform& w = f.W();
        f.PrepareSawShopJob();
        w.Btn_Komb->click();
        QTRY_VERIFY(!w.Btn_Stop->isHidden());
        QTRY_VERIFY_WITH_TIMEOUT(BarsShown(w) > 0, 30000);
        w.cb_experte->setChecked(true);  // the expert buttons appear during the run
        QVERIFY(w.OptBtn->isVisible() && w.Btn_Rest->isVisible());
        for (int press = 0; press < 20; ++press) {
            w.OptBtn->click();
            w.Btn_Rest->click();
            w.Btn_Komb->click();  // "Neustart"
            QTest::qWait(5);
        }
        QVERIFY(!w.Btn_Stop->isHidden());
        QVERIFY2(f.Shown().empty(), Joined(f.Shown()).constData());
        w.Btn_Stop->click();
        WaitUntilIdle(w, 30000);
        QVERIFY(BarsShown(w) > 0);
        QVERIFY2(f.Shown().empty(), Joined(f.Shown()).constData());
    }

    void ASecondClickBeforeTheRunHasShownItselfStartsNothing() {
        WindowFixture f;
        TMainform& w = f.W();
        f.PrepareSawShopJob();
        w.Btn_Komb->click();
        w.Btn_Komb->click();  // the stop button is not shown yet: no event was processed
        QCOMPARE(w.findChildren<QThread*>().size(), qsizetype{1});
        QTRY_VERIFY(!w.Btn_Stop->isHidden());
        w.Btn_Stop->click();
        WaitUntilIdle(w, 30000);
    }

    void TheCalculationPageCanBeShownDuringARun() {
        WindowFixture f;
        TMainform& w = f.W();
        f.PrepareSawShopJob();
        w.Btn_Komb->click();
        QTRY_VERIFY(!w.Btn_Stop->isHidden());
        const std::string caption = w.Calculation().LBerechName;
        w.a_auftragsdaten->trigger();
        w.E_ABez->setText("anders");
        w.a_berechnung->trigger();
        QVERIFY(w.AP_Bearbeitung->isVisible() && w.a_berechnung->isChecked());
        QCOMPARE(w.Calculation().LBerechName, caption);  // the job is not read again
        w.Btn_Stop->click();
        WaitUntilIdle(w, 30000);
    }

    void ARunThatEndsWhileTheCloseQuestionIsOpenLetsTheWindowClose() {
        WindowFixture f;
        TMainform& w = f.W();
        f.PrepareSawShopJob();
        w.Btn_Komb->click();
        QTRY_VERIFY(!w.Btn_Stop->isHidden());
        w.Boxes().QueueAnswer([&w] {
            w.Btn_Stop->click();  // the run ends before the user answers "Yes"
            return QTest::qWaitFor([&w] { return w.Btn_Stop->isHidden(); }, 30000);
        });
        QVERIFY(w.close());
        QVERIFY(!w.isVisible());
    }
};

const RegisterTest<FailingSavesTest> registered;

}  // namespace zelk::test

#include "failing_saves_test.moc"
