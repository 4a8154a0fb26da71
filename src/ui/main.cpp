// ZELK: the cutting optimiser's window.
#include <QApplication>
#include <QScreen>

#include "base/translate.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    application.setOrganizationName("Quendra");
    application.setApplicationName("ZelK");
    const QString programDirectory = QApplication::applicationDirPath();
    zelk::SetCatalogueDirectory((programDirectory + "/locale").toStdString());

    zelk::TMainform window(zelk::FindProgramFolders(programDirectory));
    const QRect screen = window.screen()->availableGeometry();
    window.move(screen.center() - window.frameGeometry().center() + window.pos());
    window.show();
    return application.exec();
}
