#include "files/section_start.h"

#include "base/translate.h"

namespace zelk {

int SectionVersion(const Lines& lines, size_t cursor, const std::string& kind,
                   const std::string& invalid, Dialogs& dialogs) {
    if (cursor >= lines.size()) {
        dialogs.ShowMessage(invalid);
        return 0;
    }
    for (int version : {1, 2}) {
        if (lines[cursor] == kind + " V" + std::to_string(version)) {
            return version;
        }
    }
    FailWithMessage(dialogs, invalid);
}

void FailWithUnitConflict(Dialogs& dialogs) {
    FailWithMessage(dialogs,
                    Translate("Die Maßeinheit von Auftrag und Maschine stimmen nicht überein!"));
}

}  // namespace zelk
