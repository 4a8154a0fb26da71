#include "ui/program_folder.h"

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
    if (QFileInfo(programDirectory).isWritable()) {
        return {programDirectory, programDirectory};
    }
    return {programDirectory, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)};
}

}  // namespace zelk
