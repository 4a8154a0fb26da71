// Where the program keeps its files.
//
// Its own files (the catalogue folder "locale" with the language pictures, the help document
// "anleitung.pdf", the samples) lie beside the program file in the build tree; when installed,
// they lie in the program's share folder, found from the program file's place
// (ZELK_DATA_FROM_PROGRAM, "../share/zelk" for bin/zelk), so that one binary works in any prefix.
//
// The user's files (the data directory "Data" and the ini file) lie beside the program in the
// build tree. When installed, or when the program's folder cannot be written, they lie in the
// user's application data folder instead; the help document is then also looked for there when
// it is not among the program's own files.
#pragma once

#include <QString>

namespace zelk {

struct ProgramFolders {
    QString program;   // the program's own files
    QString writable;  // the user's files

    QString DataDirectory() const { return writable + "/Data"; }
    QString CatalogueDirectory() const { return program + "/locale"; }
    QString HelpDocument() const;
};

ProgramFolders FindProgramFolders(const QString& programDirectory);

}  // namespace zelk
