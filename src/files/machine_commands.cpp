#include "files/machine_commands.h"

#include <filesystem>
#include <system_error>

#include "base/errors.h"
#include "base/translate.h"
#include "files/text_file.h"

namespace zelk {

namespace fs = std::filesystem;

void Btn_MNeuClick(MachineForm& machine) {
    machine.E_MBez.clear();
    machine.E_ASL.clear();
    machine.E_RSL.clear();
    machine.E_SKB.clear();
}

bool Btn_MLoescheClick(MachineForm& machine, const std::string& dataDirectory, Dialogs& dialogs) {
    if (machine.E_MBez.empty()) {
        return false;
    }
    // A name read from a file could hold a folder ("../x"); only files in the data directory are
    // ever deleted.
    fs::path fileName = PathFromUtf8(machine.E_MBez + ".zkm");
    fs::path file = PathFromUtf8(dataDirectory) / fileName;
    std::error_code ignored;  // a file that cannot be looked at is one that is not found
    if (fileName != fileName.filename() || !fs::is_regular_file(file, ignored)) {
        dialogs.ShowMessage(Translate("Die Maschinendatei konnte nicht gefunden werden!"));
        return false;
    }
    if (!dialogs.Confirm(Translate("Bestätigung"),
                         Translate("Möchten Sie die Maschine wirklich löschen?"), Translate("&Ja"),
                         Translate("&Nein"))) {
        return false;
    }
    std::error_code error;
    fs::remove(file, error);
    if (error) {
        throw RuntimeError(CannotDeleteText(Utf8FromPath(file), error.message()));
    }
    Btn_MNeuClick(machine);
    return true;
}

}  // namespace zelk
