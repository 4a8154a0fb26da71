// Starting the real window for a test: its folders in a temporary directory, boxes answered by the
// test, documents "opened" into a list, files chosen by the test; and helpers to type into it.
#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "base/languages.h"
#include "ui/main_window.h"

namespace zelk::test {

inline QString BenchJob(const char* file) {
    return QString(ZELK_BENCH_JOBS) + "/" + file;
}

// A file of the samples delivered with the program, named in UTF-8.
inline QString Sample(const char* name) {
    return QString(ZELK_SAMPLES) + "/" + QString::fromUtf8(name);
}

// Waits until the window is idle again: the calculation has ended and hidden its stop button.
inline void WaitUntilIdle(TMainform& w, int timeoutMs = 60000) {
    QTRY_VERIFY_WITH_TIMEOUT(w.Btn_Stop->isHidden(), timeoutMs);
}

class WindowFixture {
public:
    // The tests of the calculation check the search alone: the optimum beside it is off unless a
    // test asks for the window as the user finds it.
    explicit WindowFixture(bool optimumAsStored = false) : optimumAsStored_(optimumAsStored) {
        Start();
    }

    // A second start in the same folders, as after closing the program.
    void Restart() {
        window.reset();
        Start();
    }

    TMainform& W() { return *window; }
    std::vector<std::string>& Shown() { return window->Boxes().shown; }

    // Loads a machine and an order file through the window's buttons.
    void LoadJob(const QString& machine, const QString& order) {
        nextFile = machine;
        window->Btn_MLoad->click();
        nextFile = order;
        window->Btn_ALoad->click();
    }

    // The saw-shop job of the benchmark on the calculation page at depth "XS", ready to start.
    void PrepareSawShopJob() {
        LoadJob(BenchJob("sawshop.zkm"), BenchJob("sawshop.zka"));
        window->a_berechnung->trigger();
        window->cb_rechentiefe->setCurrentIndex(0);
    }

    // Types text where the keyboard focus is, key by key, as a user would.
    static void Type(const QString& text) {
        for (QChar c : text) {
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        }
    }
    static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

    // Runs a calculation to its end and counts how often the stop button and the progress block
    // appeared and vanished on the way.
    struct Visibility : QObject {
        int shown = 0;
        int hidden = 0;
        bool eventFilter(QObject*, QEvent* event) override {
            shown += event->type() == QEvent::Show;
            hidden += event->type() == QEvent::Hide;
            return false;
        }
    };

    QTemporaryDir folder;
    QString nextFile;
    // What the last file dialog was opened with.
    bool lastSave = false;
    QString lastFilter;
    QString lastPreset;
    std::vector<QUrl> opened;
    bool openSucceeds = true;
    std::unique_ptr<TMainform> window;
    bool optimumAsStored_ = false;

    void Start() {
        SetCatalogueDirectory(ZELK_LOCALE);
        window = std::make_unique<TMainform>(ProgramFolders{folder.path(), folder.path()});
        window->Boxes().AnswerWithoutBoxes();
        window->openDocument = [this](const QUrl& url) {
            opened.push_back(url);
            return openSucceeds;
        };
        window->chooseFile = [this](bool save, const QString& filter, const QString& preset) {
            lastSave = save;
            lastFilter = filter;
            lastPreset = preset;
            return nextFile;
        };
        if (!optimumAsStored_) {
            window->findChild<QCheckBox*>("cb_optimum")->setChecked(false);
        }
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
};

}  // namespace zelk::test
