// The languages of the window: the flags, the language menu built from a catalogue folder, the
// language kept in the ini file for the next start, and the English catalogue against the texts
// of the program.
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QtTest>
#include <map>

#include "base/languages.h"
#include "ui/language_menu.h"
#include "ui/test_registry.h"
#include "ui/window_fixture.h"

namespace zelk::test {

namespace {

// The entries of a catalogue or template, msgid to msgstr, the header left out.
std::map<QString, QString> CatalogueEntries(const QString& text) {
    std::map<QString, QString> entries;
    QString id;
    QString str;
    QString* current = nullptr;
    auto unquote = [](QString line) {
        line = line.mid(line.indexOf('"') + 1);
        line.chop(1);
        return line.replace("\\\"", "\"").replace("\\n", "\n").replace("\\\\", "\\");
    };
    auto finish = [&] {
        if (!id.isEmpty()) {
            entries[id] = str;
        }
        id.clear();
        str.clear();
    };
    for (const QString& line : text.split('\n')) {
        if (line.startsWith("msgid ")) {
            finish();
            current = &id;
            id = unquote(line);
        } else if (line.startsWith("msgstr ")) {
            current = &str;
            str = unquote(line);
        } else if (line.startsWith('"') && current) {
            *current += unquote(line);
        }
    }
    finish();
    return entries;
}

QString ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void Click(QLabel* flag) {
    QTest::mouseClick(flag, Qt::LeftButton);
}

QString StoredLanguage(TMainform& w) {
    return QSettings(w.IniFile(), QSettings::IniFormat).value("Languages/last_language").toString();
}

// A catalogue folder of its own for one test; the program's folder comes back at its end.
struct OwnCatalogueFolder {
    QTemporaryDir folder;
    void AddCatalogue(const QString& from, const QString& code) {
        QDir(folder.path()).mkpath(code + "/LC_MESSAGES");
        QFile::copy(QString(ZELK_LOCALE) + "/" + from + "/LC_MESSAGES/default.mo",
                    folder.path() + "/" + code + "/LC_MESSAGES/default.mo");
    }
    void AddFile(const QString& name, const QByteArray& content) {
        QDir(folder.path()).mkpath(QFileInfo(folder.path() + "/" + name).path());
        QFile file(folder.path() + "/" + name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    ~OwnCatalogueFolder() { SetCatalogueDirectory(ZELK_LOCALE); }
};

}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QSettings("Quendra", "Zelk").clear(); }

    void EnglishFlagTranslatesTheWindowAndIsKeptForTheNextStart() {
        WindowFixture f;
        TMainform& w = f.W();
        QVERIFY(!QFileInfo::exists(w.IniFile()));  // none until the first switch
        f.LoadJob(QString(ZELK_SAMPLES) + QString::fromUtf8("/Säge 1.zkm"),
                  QString(ZELK_SAMPLES) + "/Regalbau KW 50.zka");
        w.a_berechnung->trigger();
        QVERIFY(w.CB_KBIS->count() > 2);
        w.CB_KBIS->setCurrentIndex(1);
        w.cb_ablageplaetze->setCurrentIndex(0);
        const QString machineName = w.E_MBez->text();
        // Qt's own buttons and dialogs speak the language of the window.
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Abbrechen"));

        Click(w.ImageEN);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));
        QCOMPARE(w.windowTitle(), QString("ZELK Cutting Optimiser V2.7"));
        QCOMPARE(w.findChild<QLabel*>("LBanner")->text(), QString("Cutting Optimiser"));
        QCOMPARE(w.Btn_MNeu->text(), QString("New machine"));
        QCOMPARE(w.a_Hilfe->text(), QString("&Help"));
        QCOMPARE(w.Btn_Komb->text(), QString("Start optimising"));
        QCOMPARE(w.Sprache1->title(), QString("Language"));
        QCOMPARE(w.InfoBox->title(), QString("Summary"));
        QCOMPARE(w.Btn_Druck->toolTip(), QString("Send the saw plan to Excel"));
        QCOMPARE(w.Page().order.g_hsl.Cell(0, 0), "Qty");
        QCOMPARE(w.Page().order.G_Fixl.Cell(0, 1), "Length mm");
        // The longer English headers still fit their columns.
        w.cb_einheit->setCurrentIndex(1);
        emit w.cb_einheit->activated(1);
        for (StringGrid* list : {w.g_hsl, w.G_Fixl, w.g_fixl2, w.g_fixl3}) {
            const QString header = QString::fromStdString(w.Page().order.G_Fixl.Cell(0, 1));
            QVERIFY(header.endsWith("in."));
            QVERIFY2(list->fontMetrics().horizontalAdvance(header) < list->columnWidth(1),
                     qPrintable(header));
        }
        w.cb_einheit->setCurrentIndex(0);
        emit w.cb_einheit->activated(0);
        QCOMPARE(w.Calculation().G_V.Cell(0, 0), "No.");
        QCOMPARE(w.Calculation().G_S.Cell(1, 0), "Left");
        QCOMPARE(w.CB_KBIS->itemText(0).toStdString(), "up to 1 per bar");
        QCOMPARE(w.CB_KBIS->currentIndex(), 1);  // the user's choices stay
        QCOMPARE(w.cb_ablageplaetze->currentIndex(), 0);
        QCOMPARE(w.E_MBez->text(), machineName);  // what the user entered is no design text
        QCOMPARE(w.cb_einheit->itemText(1), QString("in."));
        QCOMPARE(StoredLanguage(w), QString("en"));
        QCOMPARE(CurrentLanguage(), "en");

        f.Restart();
        QCOMPARE(f.W().Btn_MNeu->text(), QString("New machine"));
        QCOMPARE(f.W().Page().order.g_hsl.Cell(0, 0), "Qty");
        QCOMPARE(f.W().Btn_Komb->text(), QString("Start optimising"));

        Click(f.W().ImageDE);
        QCOMPARE(f.W().Btn_MNeu->text(), QString::fromUtf8("Neue Maschine anlegen"));
        QCOMPARE(f.W().windowTitle(), QString::fromUtf8("ZELK Schnittlängenoptimierung V2.7"));
        QCOMPARE(f.W().Page().order.g_hsl.Cell(0, 0), "Stück");
        QCOMPARE(StoredLanguage(f.W()), QString("de"));
    }

    void ExpertCaptionsAndTextsKeptGermanFollowTheirOwnRules() {
        WindowFixture f;
        TMainform& w = f.W();
        w.cb_experte->setChecked(true);
        Click(w.ImageEN);
        QCOMPARE(w.Btn_Komb->text(), QString("Start over"));
        QCOMPARE(w.OptBtn->text(), QString("Optimise"));
        QCOMPARE(w.LBerechName->text(), QString("Proposed cutting plan"));  // no job read yet
        // The order page's delete buttons ask in English; the box's buttons too.
        f.Shown().clear();
        w.E_MBez->setText("Nichts");
        w.Btn_MLoesche->click();
        QCOMPARE(f.Shown().back(), "The machine file could not be found!");
        // The clipboard messages speak the window's language too.
        QApplication::clipboard()->clear();
        w.BtnHLEinfuegen->click();
        QCOMPARE(f.Shown().back(), "Please select and copy the cells in Excel first.");
        Click(w.ImageDE);
        QCOMPARE(w.Btn_Komb->text(), QString("Neustart"));
        QCOMPARE(w.LBerechName->text(), QString("Vorgeschlagene Bearbeitung"));
    }

    void MenuListsTheLanguagesOfTheCatalogueFolder() {
        WindowFixture f;
        TMainform& w = f.W();
        OwnCatalogueFolder locale;
        locale.AddCatalogue("de", "de");
        locale.AddCatalogue("en", "EN");
        locale.AddFile("EN/en.txt", "English\r\nsecond line\r\n");
        locale.AddFile("fr/fr.txt", "Français\n");  // no catalogue: not a language
        locale.AddFile("pt/LC_MESSAGES/other.mo", "");
        SetCatalogueDirectory(locale.folder.path().toStdString());

        w.Sprachenerkennen1->trigger();
        QCOMPARE(LanguageList(), (std::vector<std::string>{"de", "en"}));
        const QList<QAction*> items = w.Sprache1->actions();
        QCOMPARE(items.size(), 3);
        QCOMPARE(items[0], w.Deutsch1);
        QVERIFY(!w.Deutsch1->isVisible());
        QCOMPARE(items[1]->text(), QString("de"));  // no de.txt: the code
        QCOMPARE(items[2]->text(), QString("English"));

        items[2]->trigger();
        QCOMPARE(w.Btn_MNeu->text(), QString("New machine"));  // the folder EN holds "en"
        QCOMPARE(StoredLanguage(w), QString("en"));
        QCOMPARE(items[2]->text(), QString("English"));

        // The hidden first item lies outside the list: no switch, but the code is stored again.
        QFile::remove(w.IniFile());
        w.Deutsch1->trigger();
        QCOMPARE(w.Btn_MNeu->text(), QString("New machine"));
        QCOMPARE(StoredLanguage(w), QString("en"));

        items[1]->trigger();
        QCOMPARE(w.Btn_MNeu->text(), QString::fromUtf8("Neue Maschine anlegen"));

        // A rebuild replaces the items; the old ones are gone and switching still works.
        w.Sprachenerkennen1->trigger();
        QCOMPARE(w.Sprache1->actions().size(), 3);
        w.Sprache1->actions()[2]->trigger();
        QCOMPARE(w.Btn_MNeu->text(), QString("New machine"));
    }

    void WithoutCataloguesTheMenuIsEmptyAndTheFlagsStoreTheCode() {
        WindowFixture f;
        OwnCatalogueFolder locale;
        SetCatalogueDirectory(locale.folder.path().toStdString() + "/missing");
        f.W().Sprachenerkennen1->trigger();
        QCOMPARE(f.W().Sprache1->actions().size(), 1);
        Click(f.W().ImageEN);
        QCOMPARE(f.W().Btn_MNeu->text(), QString::fromUtf8("Neue Maschine anlegen"));
        QCOMPARE(StoredLanguage(f.W()), QString("en"));
    }

    void AnIniFileThatCannotBeWrittenIsReported() {
        WindowFixture f;
        TMainform& w = f.W();
        QVERIFY(QDir().mkpath(w.IniFile()));  // a folder where the file should be
        Click(w.ImageEN);
        QCOMPARE(w.Btn_MNeu->text(), QString("New machine"));  // the switch holds all the same
        QCOMPARE(f.Shown().back(),
                 "Cannot write to " + QDir::toNativeSeparators(w.IniFile()).toStdString());
        Click(w.ImageDE);
    }

    void CatalogueAndProgramHaveTheSameTexts() {
        const QDir sources(ZELK_SOURCES);
        QStringList files;
        for (const QString& layer : sources.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            for (const QString& file :
                 QDir(sources.filePath(layer)).entryList({"*.cpp", "*.h"}, QDir::Files)) {
                files << sources.filePath(layer + "/" + file);
            }
        }
        QProcess xgettext;
        xgettext.start("xgettext", QStringList{"--from-code=UTF-8", "-c++", "--keyword=Translate",
                                               "--keyword=T", "--keyword=German",
                                               "--keyword=TranslatedLater", "-o", "-"} +
                                       files);
        QVERIFY(xgettext.waitForFinished(60000));
        QCOMPARE(xgettext.exitCode(), 0);
        const auto program = CatalogueEntries(QString::fromUtf8(xgettext.readAllStandardOutput()));
        const auto english =
            CatalogueEntries(ReadAll(QString(ZELK_LOCALE_SOURCES) + "/en/default.po"));
        QVERIFY(program.size() > 100);
        for (const auto& [id, unused] : program) {
            QVERIFY2(english.count(id), qPrintable("not in the catalogue: " + id));
        }
        for (const auto& [id, text] : english) {
            QVERIFY2(program.count(id), qPrintable("not used by the program: " + id));
            QVERIFY2(!text.isEmpty(), qPrintable("not translated: " + id));
            QCOMPARE(text.count('%'), id.count('%'));  // inserted values keep their places
        }
        QVERIFY(CatalogueEntries(ReadAll(QString(ZELK_LOCALE_SOURCES) + "/de/default.po")).empty());
    }
};

const RegisterTest<LanguageTest> registered;

}  // namespace zelk::test

#include "language_test.moc"
