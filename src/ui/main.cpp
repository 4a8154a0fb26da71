// ZELK: the cutting optimiser's window.
//
//   zelk [FILE]          FILE: a machine (.zkm), order (.zka) or result file (.zke) to open at
//                        start, as the desktop passes a file that is double-clicked
//   zelk --check [FILE]  starts as usual, prints what the window shows and where it found its
//                        files, and closes again: for checking an installation without a user
#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QScreen>
#include <QTextStream>

#include "base/languages.h"
#include "ui/main_window.h"

namespace {

// What the started window shows and where it found its files, one "name: value" a line; the
// boxes it would have shown are listed instead, so that nothing waits for a click.
void PrintStart(zelk::TMainform& window) {
    const zelk::ProgramFolders& folders = window.Folders();
    const QString help = folders.HelpDocument();
    QTextStream out(stdout);
    out << "caption: " << window.windowTitle() << '\n'
        << "language: " << QString::fromStdString(zelk::CurrentLanguage()) << '\n'
        << "new machine button: " << window.Btn_MNeu->text() << '\n'
        << "banner: " << (window.Image1->pixmap().isNull() ? "missing" : "shown") << '\n'
        << "catalogues: " << folders.CatalogueDirectory() << '\n'
        << "help document: " << help << (QFileInfo::exists(help) ? "" : " (missing)") << '\n'
        << "data directory: " << folders.DataDirectory() << '\n'
        << "machine: " << window.E_MBez->text() << '\n'
        << "order: " << window.E_ABez->text() << '\n'
        << "result rows: " << window.Calculation().G_V.RowCount() - 1 << '\n';
    for (const std::string& text : window.Boxes().shown) {
        out << "message: " << QString::fromStdString(text) << '\n';
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    application.setOrganizationName("Quendra");
    application.setApplicationName("ZelK");
    application.setDesktopFileName(ZELK_APP_ID);
    application.setWindowIcon(QIcon(":/pictures/zelk.svg"));

    QCommandLineParser arguments;
    arguments.addHelpOption();
    arguments.addPositionalArgument("file", "Machine (.zkm), order (.zka) or result file (.zke)");
    const QCommandLineOption check("check", "Print what the started window shows, then close it");
    arguments.addOption(check);
    arguments.process(application);

    const zelk::ProgramFolders folders =
        zelk::FindProgramFolders(QApplication::applicationDirPath());
    zelk::SetCatalogueDirectory(folders.CatalogueDirectory().toStdString());

    zelk::TMainform window(folders);
    if (arguments.isSet(check)) {
        window.Boxes().AnswerWithoutBoxes();
    }
    const QRect screen = window.screen()->availableGeometry();
    window.move(screen.center() - window.frameGeometry().center() + window.pos());
    window.show();
    for (const QString& file : arguments.positionalArguments()) {
        window.OpenFile(file);
    }
    if (arguments.isSet(check)) {
        PrintStart(window);
        window.close();
        return 0;
    }
    return application.exec();
}
