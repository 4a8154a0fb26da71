// Where the program keeps its files: the data directory "Data" and the help document
// "anleitung.pdf" lie beside the program; when the program's folder cannot be written, the data
// directory lies in the user's application data folder instead, and the help document is looked
// for there when it is not beside the program.
#pragma once

#include <QString>

namespace zelk {

struct ProgramFolders {
    QString program;   // the folder of the program file
    QString writable;  // the program's folder, or the application data folder

    QString DataDirectory() const { return writable + "/Data"; }
    QString HelpDocument() const;
};

ProgramFolders FindProgramFolders(const QString& programDirectory);

}  // namespace zelk
