#include "ui/program_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace zelk {

QString ProgramFolders::HelpDocument() const {
    QString beside = program + "/anleitung.pdf";
    if (QFileInfo::exists(beside) || writable == program) {
        return beside;
    }
    return writable + "/anleitung.pdf";
}

ProgramFolders FindProgramFolders(const QString& programDirectory) {
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    const QString installed =
        QDir::cleanPath(QDir(programDirectory).filePath(ZELK_DATA_FROM_PROGRAM));
    if (QFileInfo(installed).isDir()) {
        return {installed, userFolder};
    }
    if (QFileInfo(programDirectory).isWritable()) {
        return {programDirectory, programDirectory};
    }
    return {programDirectory, userFolder};
}

}  // namespace zelk
